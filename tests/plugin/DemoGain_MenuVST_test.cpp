#include "DemoGain_MenuVST.h"

#include <gtest/gtest.h>

#include "AAX_VViewContainer.h"
#include "EditorRendering.h"
#include "HostViewContainer.h"

using namespace VSTGUI;
using orv::host::HostViewContainer;
using MouseKind = HostViewContainer::MouseKind;

namespace
{

TEST(DemoGain_MenuVST, OpensOnTheToolkitsClickUnlessTheHostTakesIt)
{
    orv::test::EditorRendering rendering;
    orv::test::RecordingListener listener;
    auto* menu = new DemoGain_MenuVST(CRect(300, 78, 500, 102), &listener, 21);
    menu->addEntry("Soft");
    menu->addEntry("Medium");
    menu->addEntry("Hard");
    rendering.frame->addView(menu);
    ACFPtr<HostViewContainer> host(new HostViewContainer(nullptr));
    AAX_VViewContainer container(host.get());
    menu->SetViewContainer(&container);
    menu->SetParamID("Men1");

    host->SetMouseAnswer(MouseKind::Down, kResultSuccess);
    rendering.view.click(CPoint(400, 90));
    EXPECT_FALSE(rendering.view.isMenuOpen());
    EXPECT_EQ(host->MouseEventCount(MouseKind::Down, "Men1"), 1u);

    host->SetMouseAnswer(MouseKind::Down, HostViewContainer::kDecline);
    rendering.view.click(CPoint(400, 90));
    ASSERT_TRUE(rendering.view.isMenuOpen());
    ASSERT_TRUE(rendering.view.chooseMenuEntry(2));
    EXPECT_EQ(menu->getValue(), 2.0f);
    EXPECT_EQ(listener.valueChanges, 1);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "end"}));

    // Option-click restores the default entry.
    menu->setDefaultValue(0.0f);
    EXPECT_TRUE(menu->checkDefaultValue(kLButton | kAlt));
    EXPECT_EQ(menu->getValue(), 0.0f);
    EXPECT_EQ(listener.valueChanges, 2);
}

} // namespace

#include "CDropSource.h"
#include "CFrame.h"
#include "COffscreenContext.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(CFrame, SizeAndPositionAnswerThroughGetSize)
{
    RecordingEditor editor;
    CFrame* frame = new CFrame(CRect(0, 0, 0, 0), nullptr, &editor);
    EXPECT_EQ(frame->getEditor(), &editor);
    EXPECT_TRUE(frame->setSize(540, 280));
    CRect size;
    EXPECT_TRUE(frame->getSize(size));
    EXPECT_EQ(size, CRect(0, 0, 540, 280));
    EXPECT_FALSE(frame->getSize(nullptr));

    editor.allowResize = false;
    EXPECT_FALSE(frame->setSize(100, 100)) << "the editor refused";
    EXPECT_FALSE(frame->setSize(-1, 100));
    frame->getSize(&size);
    EXPECT_EQ(size.width(), 540);

    EXPECT_TRUE(frame->setPosition(10, 20));
    frame->getSize(size);
    EXPECT_EQ(size, CRect(10, 20, 550, 300));
    frame->forget();
}

TEST(CFrame, DrawsBackgroundAndChildrenInFrameCoordinatesWhereverItSits)
{
    CFrame* frame = new CFrame(CRect(0, 0, 30, 30), nullptr, nullptr);
    frame->setPosition(100, 100);
    frame->setBackgroundColor(kGreyCColor);
    CViewContainer* box = new CViewContainer(CRect(10, 10, 20, 20));
    box->setBackgroundColor(kRedCColor);
    frame->addView(box);
    COffscreenContext* context = COffscreenContext::create(frame, 30, 30);
    frame->draw(context);
    EXPECT_EQ(context->getPixel(0, 0), kGreyCColor);
    EXPECT_EQ(context->getPixel(29, 29), kGreyCColor);
    EXPECT_EQ(context->getPixel(10, 10), kRedCColor);
    EXPECT_EQ(context->getPixel(19, 19), kRedCColor);
    EXPECT_EQ(context->getPixel(20, 20), kGreyCColor);

    box->setVisible(false);
    frame->draw(context);
    EXPECT_EQ(context->getPixel(15, 15), kGreyCColor) << "invisible views are not drawn";
    context->forget();
    frame->forget();
}

TEST(CFrame, DragsGoToTheViewUnderThePointUnlessAModalViewIsSet)
{
    struct DropView : CView
    {
        using CView::CView;
        bool onDrop(CDragContainer* drag, const CPoint&) override
        {
            int32_t size = 0;
            int32_t type = 0;
            const char* data = static_cast<const char*>(drag->first(size, type));
            received.assign(data, size);
            return true;
        }
        void onDragEnter(CDragContainer*, const CPoint&) override { ++enters; }
        void onDragLeave(CDragContainer*, const CPoint&) override { ++leaves; }
        std::string received;
        int enters = 0;
        int leaves = 0;
    };
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* left = new DropView(CRect(0, 0, 50, 100));
    auto* right = new DropView(CRect(50, 0, 100, 100));
    frame->addView(left);
    frame->addView(right);
    CDropSource* drag = new CDropSource("preset", 6, CDragContainer::kText);
    EXPECT_EQ(drag->getCount(), 1);
    EXPECT_EQ(drag->getType(0), CDragContainer::kText);
    EXPECT_EQ(drag->getType(3), CDragContainer::kError);
    EXPECT_FALSE(drag->add(nullptr, 4, CDragContainer::kText));

    frame->onDragEnter(drag, CPoint(10, 10));
    frame->onDragMove(drag, CPoint(60, 10));
    EXPECT_EQ(left->enters, 1);
    EXPECT_EQ(left->leaves, 1);
    EXPECT_EQ(right->enters, 1);
    EXPECT_TRUE(frame->onDrop(drag, CPoint(60, 10)));
    EXPECT_EQ(right->received, "preset");

    EXPECT_TRUE(frame->setModalView(left));
    EXPECT_FALSE(frame->onDrop(drag, CPoint(60, 10))) << "only the modal view takes drops";
    EXPECT_TRUE(frame->onDrop(drag, CPoint(10, 10)));
    EXPECT_EQ(left->received, "preset");
    frame->removeView(left);
    EXPECT_EQ(frame->getModalView(), nullptr) << "a removed modal view is let go";
    drag->forget();
    frame->forget();
}

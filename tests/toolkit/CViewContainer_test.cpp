#include "CFrame.h"
#include "CViewContainer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{
// Counts destructions and records the events it receives.
class ProbeView : public CView
{
public:
    ProbeView(const CRect& size, int* destroyed, CMouseEventResult downResult = kMouseEventHandled)
        : CView(size), destroyed(destroyed), downResult(downResult)
    {
    }
    ~ProbeView() override { ++*destroyed; }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override
    {
        events.push_back("down");
        points.push_back(where);
        return downResult;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override
    {
        events.push_back("moved");
        points.push_back(where);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override
    {
        events.push_back("up");
        points.push_back(where);
        return kMouseEventHandled;
    }

    int* destroyed;
    CMouseEventResult downResult;
    std::vector<std::string> events;
    std::vector<CPoint> points;
};
} // namespace

TEST(CViewContainer, OwnsChildrenAndReleasesThemOnce)
{
    int destroyed = 0;
    auto* container = new CViewContainer(CRect(0, 0, 100, 100));
    auto* a = new ProbeView(CRect(0, 0, 10, 10), &destroyed);
    auto* b = new ProbeView(CRect(10, 0, 20, 10), &destroyed);
    EXPECT_TRUE(container->addView(a));
    EXPECT_TRUE(container->addView(b));
    EXPECT_FALSE(container->addView(a)) << "a view joins one container once";
    EXPECT_FALSE(container->addView(nullptr));
    EXPECT_EQ(container->getNbViews(), 2);
    EXPECT_EQ(a->getNbReference(), 1) << "the container takes over the creator's reference";

    // Someone else keeps b alive past its removal.
    b->remember();
    EXPECT_TRUE(container->removeView(b));
    EXPECT_EQ(destroyed, 0);
    EXPECT_FALSE(container->isChild(b));
    EXPECT_FALSE(container->removeView(b)) << "not a child any more";
    b->forget();
    EXPECT_EQ(destroyed, 1);

    // removeView without forget hands the reference back to the caller.
    auto* c = new ProbeView(CRect(0, 0, 5, 5), &destroyed);
    container->addView(c);
    EXPECT_TRUE(container->removeView(c, false));
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(c->isAttached());
    c->forget();
    EXPECT_EQ(destroyed, 2);

    container->forget();
    EXPECT_EQ(destroyed, 3) << "the container's destruction releases the remaining child";
}

TEST(CViewContainer, NestedContainersAttachToTheFrameAndDestroyDepthFirst)
{
    int destroyed = 0;
    auto* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, nullptr);
    auto* inner = new CViewContainer(CRect(50, 50, 150, 150));
    auto* leaf = new ProbeView(CRect(10, 10, 20, 20), &destroyed);
    inner->addView(leaf);
    EXPECT_EQ(leaf->getFrame(), nullptr) << "not in a frame yet";
    frame->addView(inner);
    EXPECT_EQ(leaf->getFrame(), frame);
    EXPECT_EQ(leaf->getParentView(), inner);

    CPoint p(10, 10);
    leaf->localToFrame(p);
    EXPECT_EQ(p, CPoint(60, 60));
    leaf->frameToLocal(p);
    EXPECT_EQ(p, CPoint(10, 10));

    frame->forget();
    EXPECT_EQ(destroyed, 1);
}

TEST(CViewContainer, MouseGoesToTheTopmostViewUnderThePointAndFollowsTheGesture)
{
    int destroyed = 0;
    auto* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, nullptr);
    auto* bottom = new ProbeView(CRect(0, 0, 100, 100), &destroyed);
    auto* top = new ProbeView(CRect(50, 50, 100, 100), &destroyed);
    auto* inner = new CViewContainer(CRect(100, 100, 200, 200));
    auto* nested = new ProbeView(CRect(10, 10, 30, 30), &destroyed);
    auto* declining = new ProbeView(CRect(0, 0, 40, 40), &destroyed, kMouseEventNotHandled);
    inner->addView(nested);
    frame->addView(bottom);
    frame->addView(top);
    frame->addView(inner);
    frame->addView(declining);

    CPoint where(60, 60);
    EXPECT_EQ(frame->onMouseDown(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(top->events, std::vector<std::string>{"down"});
    EXPECT_TRUE(bottom->events.empty()) << "only the topmost view under the point";

    // The gesture stays with the view that took the down, even outside it.
    CPoint outside(5, 5);
    frame->onMouseMoved(outside, kLButton);
    frame->onMouseUp(outside, 0);
    EXPECT_EQ(top->events, (std::vector<std::string>{"down", "moved", "up"}));
    EXPECT_TRUE(bottom->events.empty());

    // A view that declines passes the event to the one below it.
    CPoint corner(5, 5);
    frame->onMouseDown(corner, kLButton);
    frame->onMouseUp(corner, 0);
    EXPECT_EQ(declining->events, std::vector<std::string>{"down"});
    EXPECT_EQ(bottom->events, (std::vector<std::string>{"down", "up"}));

    // Nested containers hand their children points relative to the container.
    CPoint deep(115, 125);
    frame->onMouseDown(deep, kLButton);
    ASSERT_EQ(nested->points.size(), 1u);
    EXPECT_EQ(nested->points[0], CPoint(15, 25));

    // A new down while that gesture runs ends it first: its view gets the up.
    top->setMouseEnabled(false); // mouse-disabled views are passed over
    CPoint again(60, 60);
    frame->onMouseDown(again, kLButton);
    EXPECT_EQ(nested->events, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(top->events.size(), 3u);
    EXPECT_EQ(bottom->events, (std::vector<std::string>{"down", "up", "down"}));
    frame->onMouseUp(again, 0);

    // Nothing under the point: not handled, and no stale gesture view.
    CPoint empty(190, 10);
    EXPECT_EQ(frame->onMouseDown(empty, kLButton), kMouseEventNotHandled);
    frame->onMouseUp(empty, 0);
    EXPECT_EQ(bottom->events.size(), 4u) << "the up of a missed click reaches nobody";
    frame->forget();
    EXPECT_EQ(destroyed, 4) << "every probe, the nested one too";
}

TEST(CViewContainer, ViewRemovedDuringItsGestureGetsNoMoreEvents)
{
    int destroyed = 0;
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new ProbeView(CRect(0, 0, 50, 50), &destroyed);
    frame->addView(view);
    CPoint where(10, 10);
    frame->onMouseDown(where, kLButton);
    frame->removeView(view);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(frame->onMouseUp(where, 0), kMouseEventNotHandled);
    frame->forget();
}

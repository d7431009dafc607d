#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/web/pointer.h"

using web::Button;
using web::PointerAction;

namespace {
// Actions as text: "move 10,20", "press L 10,20", "release R 10,20".
std::string Text(const std::vector<PointerAction>& actions)
{
    std::string text;
    for (const PointerAction& action : actions) {
        if (!text.empty())
            text += "; ";
        const std::string at =
            std::to_string(static_cast<int>(action.x)) + "," + std::to_string(static_cast<int>(action.y));
        const char* button = action.button == Button::Left ? "L " : "R ";
        switch (action.kind) {
        case PointerAction::Move:
            text += "move " + at;
            break;
        case PointerAction::Press:
            text += std::string("press ") + button + at;
            break;
        case PointerAction::Release:
            text += std::string("release ") + button + at;
            break;
        }
    }
    return text;
}

std::string Mouse(web::MouseState& state, int buttons, double x, double y)
{
    std::vector<PointerAction> actions;
    web::TakeMouseEvent(state, buttons, x, y, &actions);
    return Text(actions);
}
}  // namespace

TEST(WebMouse, PressesAndReleasesAreWhatChangedSinceTheLastEvent)
{
    web::MouseState state;
    EXPECT_EQ(Mouse(state, 0, 5, 6), "move 5,6");
    EXPECT_EQ(Mouse(state, 1, 5, 6), "move 5,6; press L 5,6");
    EXPECT_EQ(Mouse(state, 1, 7, 6), "move 7,6");
    EXPECT_EQ(Mouse(state, 0, 7, 8), "move 7,8; release L 7,8");
    EXPECT_EQ(Mouse(state, 2, 7, 8), "move 7,8; press R 7,8");
    EXPECT_EQ(Mouse(state, 0, 7, 8), "move 7,8; release R 7,8");
}

TEST(WebMouse, BothButtonsReleasedInEitherOrder)
{
    // The second button comes as a move with both held (pointer events
    // report a chord so); each release is its own event.
    web::MouseState state;
    EXPECT_EQ(Mouse(state, 1, 40, 50), "move 40,50; press L 40,50");
    EXPECT_EQ(Mouse(state, 3, 40, 50), "move 40,50; press R 40,50");
    EXPECT_EQ(Mouse(state, 2, 40, 50), "move 40,50; release L 40,50");
    EXPECT_EQ(Mouse(state, 0, 40, 50), "move 40,50; release R 40,50");

    EXPECT_EQ(Mouse(state, 2, 40, 50), "move 40,50; press R 40,50");
    EXPECT_EQ(Mouse(state, 3, 40, 50), "move 40,50; press L 40,50");
    EXPECT_EQ(Mouse(state, 1, 40, 50), "move 40,50; release R 40,50");
    EXPECT_EQ(Mouse(state, 0, 40, 50), "move 40,50; release L 40,50");
}

TEST(WebMouse, OtherButtonsAreNotTheProgramsAndHeldButtonsAreLetGo)
{
    web::MouseState state;
    EXPECT_EQ(Mouse(state, 4, 1, 1), "move 1,1");       // the middle button
    EXPECT_EQ(Mouse(state, 4 | 1, 1, 1), "move 1,1; press L 1,1");
    std::vector<PointerAction> actions;
    web::TakeMouseEvent(state, 3, 2, 2, &actions);
    actions.clear();
    web::ReleaseMouse(state, 9, 9, &actions);
    EXPECT_EQ(Text(actions), "release L 9,9; release R 9,9");
    EXPECT_EQ(state.buttons, 0);
    actions.clear();
    web::ReleaseMouse(state, 9, 9, &actions);
    EXPECT_TRUE(actions.empty());
}

namespace {
struct Touch {
    web::TouchGestures gestures;
    std::vector<PointerAction> actions;

    std::string Start(int finger, double x, double y, double time)
    {
        actions.clear();
        web::TouchStart(gestures, finger, x, y, time, &actions);
        return Text(actions);
    }
    std::string End(int finger, double time)
    {
        actions.clear();
        web::TouchEnd(gestures, finger, time, &actions);
        return Text(actions);
    }
    std::string Tick(double time)
    {
        actions.clear();
        web::TouchTick(gestures, time, &actions);
        return Text(actions);
    }
};
}  // namespace

TEST(WebTouch, ATapIsALeftClickWhereTheFingerCameDown)
{
    Touch touch;
    EXPECT_EQ(touch.Start(1, 100, 200, 1000), "move 100,200");
    web::TouchMove(touch.gestures, 1, 105, 203);  // a finger wanders a little
    EXPECT_EQ(touch.Tick(1300), "");
    EXPECT_EQ(touch.End(1, 1350), "move 100,200; press L 100,200; release L 100,200");
    EXPECT_FALSE(web::FeedbackOf(touch.gestures).visible);
}

TEST(WebTouch, ALongPressIsOneRightClickWithFeedback)
{
    Touch touch;
    touch.Start(1, 30, 40, 1000);
    web::TouchFeedback feedback = web::FeedbackOf(touch.gestures);
    EXPECT_TRUE(feedback.visible);
    EXPECT_FALSE(feedback.longPressed);
    EXPECT_EQ(feedback.startTime, 1000);
    EXPECT_EQ(touch.Tick(1499), "");
    EXPECT_EQ(touch.Tick(1500), "move 30,40; press R 30,40; release R 30,40");
    feedback = web::FeedbackOf(touch.gestures);
    EXPECT_TRUE(feedback.visible);
    EXPECT_TRUE(feedback.longPressed);
    EXPECT_EQ(touch.Tick(1600), "");
    EXPECT_EQ(touch.End(1, 1700), "");
    EXPECT_FALSE(web::FeedbackOf(touch.gestures).visible);
}

TEST(WebTouch, ALongPressWhoseTickCameLateStillClicksOnce)
{
    Touch touch;
    touch.Start(1, 30, 40, 1000);
    EXPECT_EQ(touch.End(1, 1800), "move 30,40; press R 30,40; release R 30,40");
}

TEST(WebTouch, ATwoFingerTapIsTheBothButtonClickOnTheFirstFingersSquare)
{
    Touch touch;
    touch.Start(1, 50, 60, 1000);
    EXPECT_EQ(touch.Start(2, 90, 60, 1050), "");
    EXPECT_EQ(touch.Tick(1600), "");  // no long press once a second finger came
    EXPECT_EQ(touch.End(2, 1650), "");
    EXPECT_EQ(touch.End(1, 1660),
              "move 50,60; press L 50,60; press R 50,60; release L 50,60; release R 50,60");
    // Then a tap again.
    touch.Start(3, 10, 10, 2000);
    EXPECT_EQ(touch.End(3, 2050), "move 10,10; press L 10,10; release L 10,10");
}

TEST(WebTouch, ADragOrACancelClicksNothing)
{
    Touch touch;
    touch.Start(1, 50, 60, 1000);
    web::TouchMove(touch.gestures, 2, 300, 300);  // not the first finger: ignored
    web::TouchMove(touch.gestures, 1, 50 + web::touchSlop + 1, 60);
    EXPECT_EQ(touch.Tick(1600), "");
    EXPECT_EQ(touch.End(1, 1700), "");

    touch.Start(1, 50, 60, 2000);
    web::TouchCancel(touch.gestures);
    EXPECT_EQ(touch.Tick(2600), "");
    EXPECT_EQ(touch.End(1, 2700), "");
    EXPECT_TRUE(touch.gestures.fingers.empty());
}

TEST(WebTouch, AFingerSeenTwiceOrNeverCountsOnce)
{
    Touch touch;
    touch.Start(1, 5, 5, 0);
    EXPECT_EQ(touch.Start(1, 5, 5, 10), "");  // the same finger again: no chord
    EXPECT_EQ(touch.End(7, 20), "");          // a finger never seen to come down
    EXPECT_EQ(touch.End(1, 30), "move 5,5; press L 5,5; release L 5,5");
}

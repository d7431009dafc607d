#include "platform/web/pointer.h"

#include <algorithm>
#include <cmath>

namespace web {

namespace {
void Add(std::vector<PointerAction>* actions, PointerAction::Kind kind, Button button, double x, double y)
{
    PointerAction action;
    action.kind = kind;
    action.button = button;
    action.x = x;
    action.y = y;
    actions->push_back(action);
}

void Click(std::vector<PointerAction>* actions, Button button, double x, double y)
{
    Add(actions, PointerAction::Move, button, x, y);
    Add(actions, PointerAction::Press, button, x, y);
    Add(actions, PointerAction::Release, button, x, y);
}

void Forget(TouchGestures& gestures, int finger)
{
    auto& fingers = gestures.fingers;
    fingers.erase(std::remove(fingers.begin(), fingers.end(), finger), fingers.end());
}

bool IsDown(const TouchGestures& gestures, int finger)
{
    return std::find(gestures.fingers.begin(), gestures.fingers.end(), finger) != gestures.fingers.end();
}
}  // namespace

void TakeMouseEvent(MouseState& state, int buttons, double x, double y, std::vector<PointerAction>* actions)
{
    buttons &= leftButtonBit | rightButtonBit;
    Add(actions, PointerAction::Move, Button::Left, x, y);
    const int released = state.buttons & ~buttons;
    const int pressed = buttons & ~state.buttons;
    if (released & leftButtonBit)
        Add(actions, PointerAction::Release, Button::Left, x, y);
    if (released & rightButtonBit)
        Add(actions, PointerAction::Release, Button::Right, x, y);
    if (pressed & leftButtonBit)
        Add(actions, PointerAction::Press, Button::Left, x, y);
    if (pressed & rightButtonBit)
        Add(actions, PointerAction::Press, Button::Right, x, y);
    state.buttons = buttons;
}

void ReleaseMouse(MouseState& state, double x, double y, std::vector<PointerAction>* actions)
{
    if (state.buttons & leftButtonBit)
        Add(actions, PointerAction::Release, Button::Left, x, y);
    if (state.buttons & rightButtonBit)
        Add(actions, PointerAction::Release, Button::Right, x, y);
    state.buttons = 0;
}

void TouchStart(TouchGestures& gestures, int finger, double x, double y, double time,
                std::vector<PointerAction>* actions)
{
    if (IsDown(gestures, finger))
        return;
    gestures.fingers.push_back(finger);
    switch (gestures.phase) {
    case TouchGestures::Phase::Idle:
        gestures.phase = TouchGestures::Phase::Pending;
        gestures.firstFinger = finger;
        gestures.x = x;
        gestures.y = y;
        gestures.startTime = time;
        gestures.longPressed = false;
        // The pointer follows the finger, as the program's cursor would.
        Add(actions, PointerAction::Move, Button::Left, x, y);
        break;
    case TouchGestures::Phase::Pending:
        gestures.phase = TouchGestures::Phase::Chord;
        break;
    case TouchGestures::Phase::Chord:
    case TouchGestures::Phase::Done:
        break;
    }
}

void TouchMove(TouchGestures& gestures, int finger, double x, double y)
{
    if (gestures.phase != TouchGestures::Phase::Pending || finger != gestures.firstFinger)
        return;
    if (std::hypot(x - gestures.x, y - gestures.y) > touchSlop)
        gestures.phase = TouchGestures::Phase::Done;
}

void TouchEnd(TouchGestures& gestures, int finger, double time, std::vector<PointerAction>* actions)
{
    if (!IsDown(gestures, finger))
        return;
    // A long press held to its time clicks even if its tick came late.
    TouchTick(gestures, time, actions);
    Forget(gestures, finger);
    if (!gestures.fingers.empty())
        return;
    const double x = gestures.x;
    const double y = gestures.y;
    switch (gestures.phase) {
    case TouchGestures::Phase::Pending:
        Click(actions, Button::Left, x, y);
        break;
    case TouchGestures::Phase::Chord:
        // Both buttons down on the first finger's square, then both up:
        // the program uncovers around it on the first release.
        Add(actions, PointerAction::Move, Button::Left, x, y);
        Add(actions, PointerAction::Press, Button::Left, x, y);
        Add(actions, PointerAction::Press, Button::Right, x, y);
        Add(actions, PointerAction::Release, Button::Left, x, y);
        Add(actions, PointerAction::Release, Button::Right, x, y);
        break;
    case TouchGestures::Phase::Idle:
    case TouchGestures::Phase::Done:
        break;
    }
    gestures.phase = TouchGestures::Phase::Idle;
}

void TouchCancel(TouchGestures& gestures)
{
    gestures = TouchGestures();
}

void TouchTick(TouchGestures& gestures, double time, std::vector<PointerAction>* actions)
{
    if (gestures.phase != TouchGestures::Phase::Pending || time - gestures.startTime < longPressMilliseconds)
        return;
    gestures.phase = TouchGestures::Phase::Done;
    gestures.longPressed = true;
    Click(actions, Button::Right, gestures.x, gestures.y);
}

TouchFeedback FeedbackOf(const TouchGestures& gestures)
{
    TouchFeedback feedback;
    feedback.visible = gestures.phase == TouchGestures::Phase::Pending ||
                       (gestures.phase == TouchGestures::Phase::Done && gestures.longPressed);
    feedback.longPressed = gestures.longPressed;
    feedback.x = gestures.x;
    feedback.y = gestures.y;
    feedback.startTime = gestures.startTime;
    return feedback;
}

}  // namespace web

// What the browser's mouse and touch input is to the window system: moves,
// presses and releases of the left and right buttons at points of the page.
//
// A mouse reports which buttons it holds with each event (a second button
// pressed while one is held comes as a move, not as a press), so presses
// and releases are what changed since the last event. Touch has gestures:
// a tap is a left click, a long press a right click, and a tap with two
// fingers the both-button click that uncovers around a number.
#pragma once

#include <vector>

namespace web {

enum class Button { Left, Right };

struct PointerAction {
    enum Kind { Move, Press, Release };
    Kind kind = Move;
    Button button = Button::Left;
    double x = 0;  // page CSS pixels
    double y = 0;
};

// The buttons of PointerEvent.buttons that reach the program.
constexpr int leftButtonBit = 1;
constexpr int rightButtonBit = 2;

struct MouseState {
    int buttons = 0;  // the left and right bits held at the last event
};

// A mouse event at (x, y) holding `buttons`: a move there, then a release
// for each button let go and a press for each button newly held (left
// first). Other buttons (the middle one) are not the program's.
void TakeMouseEvent(MouseState& state, int buttons, double x, double y, std::vector<PointerAction>* actions);

// The buttons still held, released where the pointer last was: the page
// lost the pointer or the focus and will not hear of their release.
void ReleaseMouse(MouseState& state, double x, double y, std::vector<PointerAction>* actions);

constexpr double longPressMilliseconds = 500;
// How far (CSS pixels) a finger may wander and still tap or press.
constexpr double touchSlop = 12;

struct TouchGestures {
    enum class Phase {
        Idle,     // no finger down
        Pending,  // one finger down: a tap or, held, a long press
        Chord,    // a second finger came: a both-button click when all are up
        Done,     // the long press has clicked, or the finger wandered: nothing more until all are up
    };
    Phase phase = Phase::Idle;
    std::vector<int> fingers;  // the ids of the fingers down
    int firstFinger = 0;
    double x = 0;  // where the first finger came down
    double y = 0;
    double startTime = 0;  // milliseconds
    bool longPressed = false;
};

void TouchStart(TouchGestures& gestures, int finger, double x, double y, double time,
                std::vector<PointerAction>* actions);
void TouchMove(TouchGestures& gestures, int finger, double x, double y);
void TouchEnd(TouchGestures& gestures, int finger, double time, std::vector<PointerAction>* actions);
// The browser took the touch (a system gesture): nothing clicks.
void TouchCancel(TouchGestures& gestures);
// Time passing with a finger down: a long press clicks once it is held long enough.
void TouchTick(TouchGestures& gestures, double time, std::vector<PointerAction>* actions);

// What the page shows under a finger: a ring filling while a press may
// become a long press, a mark once it has.
struct TouchFeedback {
    bool visible = false;
    bool longPressed = false;
    double x = 0;
    double y = 0;
    double startTime = 0;
};
TouchFeedback FeedbackOf(const TouchGestures& gestures);

}  // namespace web

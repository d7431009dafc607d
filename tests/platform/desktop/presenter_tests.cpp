// The presenter between the display and the program: the real program's
// WinMain runs on SDL's dummy display, and the display's events (pushed as a
// real display would send them) must reach the program as the real system
// delivers them. The clock is the test's, so double clicks can be timed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <deque>
#include <functional>

#include "model/cell.h"
#include "platform/app_handles.h"
#include "platform/desktop/presenter.h"
#include "shell/game.h"
#include "shell/main_window.h"
#include "tests/support/game_harness.h"
#include "view/geometry.h"

using namespace desktop;

namespace {
// SDL's dummy display is 1024 x 768: too small a screen for zoom 2 (the
// end-to-end test plays at zoom 2 on a larger one).
constexpr int zoom = 1;

class Presenter : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ResetProgram(1000);
        portable::ShowMessageBoxes();
        PresenterOptions options;
        options.zoom = zoom;
        ASSERT_TRUE(StartPresenter(options));
        portable::SetTickSource([this] { return clock; });
    }
    void TearDown() override { StopPresenter(); }

    // Runs the program. Each step runs when the program asks the display for
    // input and every event of the step before has been taken: it checks
    // what they did and pushes the next events, at least one of which gives
    // the program a message. Once the steps are done the main window's close
    // box is used.
    int Run()
    {
        portable::SetInputSource([this] {
            DrawEverythingNow();
            SDL_PumpEvents();
            if (SDL_HasEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL)) {
                // Input of the step before is still waiting.
            } else if (!steps.empty()) {
                const std::function<void()> step = steps.front();
                steps.pop_front();
                step();
            } else if (!closed) {
                closed = true;
                PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
            }
            return TakeDisplayInput();
        });
        return WinMain(reinterpret_cast<HINSTANCE>(0x400000), nullptr, nullptr, SW_SHOWNORMAL);
    }

    // A step that pushes events; checks go first in it.
    void Step(std::function<void()> step) { steps.push_back(std::move(step)); }

    static Uint32 MainId() { return SDL_GetWindowID(DisplayWindowOf(mainWindow)); }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    static void PushWindowEvent(SDL_WindowEventID what)
    {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = MainId();
        event.window.event = what;
        Push(event);
    }

    // A button at a display pixel of the main window (the menu bar is above
    // the client area).
    static void PushButton(Uint32 type, Uint8 button, int x, int y)
    {
        SDL_Event event = {};
        event.type = type;
        event.button.windowID = MainId();
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = x;
        event.button.y = y;
        Push(event);
    }

    // The menu bar's height above the client area, one line of it.
    static int MenuBar() { return GetSystemMetrics(SM_CYMENU); }

    // The display pixel of a screen point of the window system in the main
    // window's display window, which starts at the menu bar.
    static SDL_Point MainPixel(POINT screen)
    {
        POINT origin = {0, 0};
        ClientToScreen(mainWindow, &origin);
        return SDL_Point{(screen.x - origin.x) * zoom, (screen.y - origin.y + MenuBar()) * zoom};
    }

    // The display pixel of the centre of a square.
    static SDL_Point SquarePixel(int column, int row)
    {
        return SDL_Point{(fieldLeft + squareSize * column + squareSize / 2) * zoom,
                         (MenuBar() + fieldTop + squareSize * row + squareSize / 2) * zoom};
    }

    static void PushSquare(Uint32 type, Uint8 button, int column, int row)
    {
        const SDL_Point pixel = SquarePixel(column, row);
        PushButton(type, button, pixel.x, pixel.y);
    }

    static void PushMotion(SDL_Point pixel)
    {
        SDL_Event event = {};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = MainId();
        event.motion.x = pixel.x;
        event.motion.y = pixel.y;
        Push(event);
    }

    static void PushAltWith(SDL_Keycode key)
    {
        PushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
        PushKey(SDL_KEYDOWN, key, KMOD_LALT);
        PushKey(SDL_KEYUP, key, KMOD_LALT);
        PushKey(SDL_KEYUP, SDLK_LALT);
    }

    static void PushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers = KMOD_NONE)
    {
        SDL_Event event = {};
        event.type = type;
        event.key.windowID = MainId();
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        event.key.keysym.mod = modifiers;
        Push(event);
    }

    static void PushKeys(std::initializer_list<SDL_Keycode> keys)
    {
        for (SDL_Keycode key : keys) {
            PushKey(SDL_KEYDOWN, key);
            PushKey(SDL_KEYUP, key);
        }
    }

    DWORD clock = 1000;
    std::deque<std::function<void()>> steps;
    bool closed = false;
};
}  // namespace

TEST_F(Presenter, AClickLandsOnItsSquareAndTheCloseBoxEndsTheProgramWithZero)
{
    Step([] {
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 0, 0);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 0, 0);
    });
    Step([this] {
        EXPECT_EQ(liveBoard[0][0].state, Marked);
        clock += 600;
        // The last display pixel of square (3, 4), then the first of (4, 5).
        const int right = (fieldLeft + squareSize * 4) * zoom;
        const int bottom = (MenuBar() + fieldTop + squareSize * 5) * zoom;
        PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, right - 1, bottom - 1);
        PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, right - 1, bottom - 1);
    });
    Step([this] {
        clock += 600;  // not a double click
        const int right = (fieldLeft + squareSize * 4) * zoom;
        const int bottom = (MenuBar() + fieldTop + squareSize * 5) * zoom;
        PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, right, bottom);
        PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, right, bottom);
    });
    Step([this] {
        EXPECT_EQ(liveBoard[3][4].state, Marked);
        EXPECT_EQ(liveBoard[4][5].state, Marked);
        EXPECT_EQ(liveBoard[3][5].state, Covered);
        EXPECT_EQ(liveBoard[4][4].state, Covered);
        clock += 600;
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 6, 7);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 6, 7);
    });
    Step([] {
        EXPECT_NE(liveBoard[6][7].state, Covered);
        PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
        PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_FALSE(closed) << "the program ended on the close box of the last step";
}

TEST_F(Presenter, BothButtonsMakeATwoButtonClickReleasedInEitherOrder)
{
    for (const Uint8 first : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT}) {
        const Uint8 second = first == SDL_BUTTON_LEFT ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
        Step([this] {
            clock += 600;
            PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, 2);
            PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2, 2);
        });
        Step([first] {
            EXPECT_TRUE(leftDown);
            EXPECT_TRUE(rightDown);
            PushSquare(SDL_MOUSEBUTTONUP, first, 2, 2);
        });
        Step([first, second] {
            EXPECT_EQ(leftDown != 0, first == SDL_BUTTON_RIGHT);
            EXPECT_EQ(rightDown != 0, first == SDL_BUTTON_LEFT);
            PushSquare(SDL_MOUSEBUTTONUP, second, 2, 2);
        });
        Step([] {
            EXPECT_FALSE(leftDown);
            EXPECT_FALSE(rightDown);
            PushKeys({SDLK_F2});
        });
    }
    EXPECT_EQ(Run(), 0);
}

TEST_F(Presenter, ASecondPressIsADoubleClickOnlyWithinHalfASecond)
{
    Step([] {
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 1);
    });
    Step([this] {
        ASSERT_EQ(liveBoard[1][1].state, Marked);
        clock += 499;
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 1);
    });
    Step([this] {
        // A fast second right click does not take back the mark.
        EXPECT_EQ(liveBoard[1][1].state, Marked);
        clock += 500;
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 1);
    });
    Step([] {
        EXPECT_NE(liveBoard[1][1].state, Marked);
        PushKeys({SDLK_F2});
    });
    EXPECT_EQ(Run(), 0);
}

TEST_F(Presenter, KeysReachTheProgramAndAKeyAfterAnOpeningBoxGoesToTheBox)
{
    Step([] { PushKeys({SDLK_F2}); });
    Step([] {
        EXPECT_EQ(gamesStarted, 2u);
        // H on a fresh board: Solver has no safe square and says so in a
        // box; the Enter typed after it, at the main window, closes the box.
        PushKeys({SDLK_h, SDLK_RETURN});
    });
    Step([] {
        // The box is gone (the program asks for input again) and no game began.
        EXPECT_TRUE(portable::OpenMessageBoxes().empty());
        EXPECT_EQ(gamesStarted, 2u);
        PushKeys({SDLK_F2});
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(gamesStarted, 3u);
}

TEST_F(Presenter, AltAndTheMnemonicsDriveTheMenu)
{
    Step([] {
        // Alt+G, Down, Down, Enter: Intermediate.
        PushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
        PushKey(SDL_KEYDOWN, SDLK_g, KMOD_LALT);
        PushKey(SDL_KEYUP, SDLK_g, KMOD_LALT);
        PushKey(SDL_KEYUP, SDLK_LALT);
        PushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
    });
    Step([] {
        EXPECT_EQ(boardColumns, 16);
        EXPECT_EQ(boardRows, 16);
        // Alt alone, then Enter opens Game and three Downs reach Expert.
        PushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
        PushKey(SDL_KEYUP, SDLK_LALT);
        PushKeys({SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
    });
    Step([] {
        EXPECT_EQ(boardColumns, 30);
        // F10, Escape, Escape: the menu closes and nothing is chosen; the
        // F2 after it is the program's again.
        PushKeys({SDLK_F10, SDLK_ESCAPE, SDLK_ESCAPE, SDLK_F2});
    });
    Step([] {
        EXPECT_EQ(boardColumns, 30);
        EXPECT_EQ(gamesStarted, 4u);
        PushKeys({SDLK_F2});
    });
    EXPECT_EQ(Run(), 0);
}

TEST_F(Presenter, APressOnATitleAndAReleaseOnAnItemChooseItAndAClickElsewhereClosesTheMenu)
{
    Step([] {
        // A press on Game: the menu's loop takes over and opens its drop-down.
        const RECT game = portable::MenuBarOf(mainWindow)[0].rect;
        const SDL_Point title = MainPixel({game.left + 5, game.top + 5});
        PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, title.x, title.y);
    });
    Step([] {
        // The release over Expert (position 4), where the drop-down is.
        portable::DropDownView view;
        ASSERT_TRUE(portable::OpenDropDown(&view));
        const RECT expert = view.items[4].rect;
        const SDL_Point item = MainPixel({expert.left + 10, (expert.top + expert.bottom) / 2});
        PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, item.x, item.y);
    });
    Step([] {
        EXPECT_EQ(boardColumns, 30);
        // Help opened with a click, then a click on the board: the menu
        // closes and the click reaches the board, as under the real system.
        const RECT help = portable::MenuBarOf(mainWindow)[2].rect;
        const SDL_Point title = MainPixel({help.left + 5, help.top + 5});
        PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, title.x, title.y);
        PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, title.x, title.y);
    });
    Step([] {
        portable::DropDownView view;
        EXPECT_TRUE(portable::OpenDropDown(&view)) << "a click on a title keeps its drop-down open";
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 29, 15);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 29, 15);
        PushSquare(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0, 15);
        PushSquare(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 0, 15);
    });
    Step([] {
        portable::DropDownView view;
        EXPECT_FALSE(portable::OpenDropDown(&view));
        EXPECT_EQ(liveBoard[29][15].state, Covered) << "the right click is the menu's";
        EXPECT_NE(liveBoard[0][15].state, Covered) << "the left click closes the menu and reaches the board";
        EXPECT_TRUE(portable::OpenMessageBoxes().empty());
        PushKeys({SDLK_F2});
    });
    EXPECT_EQ(Run(), 0);
}

TEST_F(Presenter, AMotionReportedWithoutMovementDoesNotChooseTheItemOpenedUnderThePointer)
{
    // A display reports pointer motion also when a window appears under a
    // pointer that stays still; a mouse reports nothing then.
    SDL_Point expert = {0, 0};
    Step([] { PushAltWith(SDLK_g); });
    Step([&expert] {
        portable::DropDownView view;
        ASSERT_TRUE(portable::OpenDropDown(&view));
        const RECT item = view.items[4].rect;
        expert = MainPixel({item.left + 10, (item.top + item.bottom) / 2});
        PushKeys({SDLK_ESCAPE, SDLK_ESCAPE});
        PushMotion(expert);
    });
    Step([] { PushAltWith(SDLK_g); });
    Step([&expert] {
        // The drop-down is open again under the pointer, New Game selected.
        PushMotion(expert);
        PushKeys({SDLK_RETURN});
    });
    Step([] {
        EXPECT_EQ(boardColumns, 9) << "not Expert, which is under the pointer";
        EXPECT_EQ(gamesStarted, 2u) << "New Game";
        PushKeys({SDLK_F2});
    });
    EXPECT_EQ(Run(), 0);
}

TEST_F(Presenter, SolveModeGoesOnWhileTheDisplayIsQuiet)
{
    // The program does not wait in Solve! mode: each turn asks the display
    // for input, takes none, and Solver steps on.
    Step([] { PushKeys({SDLK_F3}); });
    for (int turn = 0; turn < 5; ++turn)
        Step([] {});
    Step([] {
        EXPECT_GT(CountSquares(Revealed) + CountSquares(Exploded), 0) << "Solver has played";
        PushKeys({SDLK_F2});
    });
    EXPECT_EQ(Run(), 0);
}

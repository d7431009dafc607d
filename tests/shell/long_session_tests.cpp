// A long session: a player at it for hours, or Solve! left running game after
// game. Every picture on screen holds one bitmap object; the process's GDI
// objects must stay exactly that many, or the session runs into the limit
// and the board goes blank.
#include <gtest/gtest.h>

#include <string>

#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "support/game_harness.h"
#include "view/cell_view.h"
#include "view/counters.h"
#include "view/face.h"

namespace {
int PicturesOnScreen()
{
    return static_cast<int>(portable::ChildWindows(mainWindow).size());
}

void ExpectOneObjectPerPicture(const std::string& where)
{
    EXPECT_EQ(portable::LiveGdiObjectCount(), PicturesOnScreen()) << "after " << where;
}

// Whether the picture window shows its own bitmap, pixel for pixel, in the
// rendered client area.
bool ShowsItsBitmap(const portable::Image& screen, HWND picture)
{
    char name[20] = "";
    GetWindowTextA(picture, name, sizeof name);
    const portable::Image bitmap = portable::BitmapResource(name);
    RECT rect;
    GetWindowRect(picture, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(mainWindow, &corner);
    if (bitmap.width == 0)
        return false;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if (screen.At(corner.x + x, corner.y + y) != bitmap.At(x, y))
                return false;
    return true;
}

void ExpectEveryPictureShown()
{
    const portable::Image screen = portable::RenderClientArea(mainWindow);
    for (int32_t x = 0; x < boardColumns; ++x)
        for (int32_t y = 0; y < boardRows; ++y)
            ASSERT_TRUE(ShowsItsBitmap(screen, cellViews[x][y].window)) << "square " << x << ", " << y;
    EXPECT_TRUE(ShowsItsBitmap(screen, faceWindow));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(ShowsItsBitmap(screen, counterDigits[i])) << "counter digit " << i;
        EXPECT_TRUE(ShowsItsBitmap(screen, timerDigits[i])) << "timer digit " << i;
    }
}

// New games with a hint, a safe click and a mine click in each, then Solve!
// runs to their end, all on the present level.
void PlayALevel(Script& script, const std::string& level, int newGames, int solveRuns)
{
    for (int game = 0; game < newGames; ++game) {
        script.Command(CommandNewGame)
            .Turn()
            .Command(CommandHint)
            .Do([] {
                if (!CoveredSafeSquares().empty())
                    ClickSquareNow(CoveredSafeSquares().back());
                portable::PumpMessages();
                ClickSquareNow(MineSquares().front());
            })
            .Turn();
    }
    for (int run = 0; run < solveRuns; ++run)
        script.Command(CommandNewGame).Turn().Command(CommandSolve).WaitUntil([] { return !solving; }).Turn();
    script.Do([level] { ExpectOneObjectPerPicture(level); });
}
}  // namespace

TEST(LongSession, EveryLevelPlayedAtLengthKeepsOneBitmapObjectPerPicture)
{
    int solverWins = 0, solverLosses = 0;
    const auto countOutcomes = [&] {
        solverWins += gameState == Won;
        solverLosses += gameState == Lost;
    };

    Script script;
    script.Turn().Do([] { ExpectOneObjectPerPicture("start-up"); });

    // A game won by hand: every safe square uncovered.
    script.Do([] {
        for (auto covered = CoveredSafeSquares(); !covered.empty(); covered = CoveredSafeSquares()) {
            ClickSquareNow(covered.front());
            portable::PumpMessages();
        }
    });
    script.Turn().Do([] {
        EXPECT_EQ(gameState, Won);
        ExpectOneObjectPerPicture("a game won by hand");
    });

    PlayALevel(script, "Beginner", 10, 6);
    script.Command(CommandIntermediate);
    PlayALevel(script, "Intermediate", 10, 4);
    script.Command(CommandExpert);
    PlayALevel(script, "Expert", 25, 3);
    script.Command(CommandCustom).Do([] { EnterCustomGame("49", "49", "480"); });
    PlayALevel(script, "49 by 49", 5, 1);

    // Solve! runs, counting outcomes, back on Beginner.
    script.Command(CommandBeginner);
    for (int run = 0; run < 8; ++run)
        script.Command(CommandNewGame).Command(CommandSolve).WaitUntil([] { return !solving; }).Turn().Do(countOutcomes);

    script.Turn().Do([] {
        ExpectOneObjectPerPicture("the whole session");
        ExpectEveryPictureShown();
        EXPECT_LT(portable::LiveGdiObjectCount(), 49 * 49 + 7 + 1);
    });
    script.Exit();

    EXPECT_EQ(RunProgram(script, 4242), 0);
    EXPECT_GT(portable::WindowsCreated(), uint64_t{portable::defaultGdiObjectLimit})
        << "the session made more pictures than the process may hold bitmaps";
    EXPECT_GT(solverWins, 0);
    EXPECT_GT(solverLosses, 0);
}

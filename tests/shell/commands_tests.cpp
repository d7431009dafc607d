// The menu commands and the help texts.
#include <gtest/gtest.h>

#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "support/game_harness.h"
#include "view/geometry.h"

namespace {
int CheckedPosition()
{
    int checked = -1;
    for (int position = 2; position <= 5; ++position) {
        if (DifficultyChecked(position)) {
            EXPECT_EQ(checked, -1) << "one radio check at a time";
            checked = position;
        }
    }
    return checked;
}
}  // namespace

TEST(Commands, EachDifficultyStartsItsGameAtOnceAndMovesTheRadioCheck)
{
    const struct {
        unsigned command;
        int columns, rows, mines, position;
    } levels[] = {
        {CommandExpert, 30, 16, 99, PositionExpert},
        {CommandIntermediate, 16, 16, 40, PositionIntermediate},
        {CommandBeginner, 9, 9, 10, PositionBeginner},
        {CommandBeginner, 9, 9, 10, PositionBeginner},  // the level in force: still a new game
    };
    uint32_t games = 0;
    Script script;
    script.Turn();
    for (const auto& level : levels) {
        script.Do([&games] {
                  games = gamesStarted;
                  ClickSquareNow(SafeSquares()[0]);
              })
            .Command(level.command)
            .Turn()
            .Do([&level, &games] {
                EXPECT_EQ(gamesStarted, games + 1);
                EXPECT_EQ(gameState, Fresh);
                EXPECT_EQ(boardColumns, level.columns);
                EXPECT_EQ(boardRows, level.rows);
                EXPECT_EQ(static_cast<int>(MineSquares().size()), level.mines);
                EXPECT_EQ(CheckedPosition(), level.position);
                EXPECT_EQ(MainClientRect().right, ClientWidthFor(level.columns));
                EXPECT_EQ(MainClientRect().bottom, ClientHeightFor(level.rows));
                EXPECT_EQ(CountSquares(Revealed), 0);
                EXPECT_EQ(CounterText(), level.mines == 10 ? "010" : level.mines == 40 ? "040" : "099");
            });
    }
    script.Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Commands, NewGameKeepsTheSettingsAndNeverChangesThem)
{
    Script script;
    script.Turn()
        .Do([] { SetGameSettings(7, 5, 6); })
        .Command(CommandNewGame)
        .Key(VK_F2)
        .Do([] {
            const POINT face = FaceCentre();
            ClickNow(face);
        })
        .Do([] {
            EXPECT_EQ(boardColumns, 7);
            EXPECT_EQ(boardRows, 5);
            EXPECT_EQ(MineSquares().size(), 6u);
            EXPECT_EQ(GetSettingColumns(), 7);
            EXPECT_EQ(GetSettingRows(), 5);
            EXPECT_EQ(GetSettingMines(), 6);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Commands, TheHelpMessagesShowTheirExactTexts)
{
    Script script;
    script.Turn().Command(CommandHowToPlay).Command(CommandAboutSolver).Command(CommandAbout).Exit();
    EXPECT_EQ(RunProgram(script), 0);
    const auto& log = portable::MessageBoxLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].title, "How to Play");
    EXPECT_EQ(log[0].text,
              "How To Play Blastgrid\n\nYour goal is to mark all of the mines without revealing any of them.\n\n"
              "Left-click to reveal a square, right-click to mark it as a mine.\n\nSquares with numbers in them "
              "indicate that that many mines are in adjacent squares (including diagonals).\n\nPress H to have "
              "Solver give you a hint (if possible) or F3 to have Solver take over.");
    EXPECT_EQ(log[1].title, "About Solver");
    const std::string solver = log[1].text;
    const std::string lines[] = {
        "About Solver",
        "",
        "",  // the paragraph, checked below
        "",
        "Solver's algorithm works as follows:",
        "  \xB7 Automatically reveal squares around \"solved\" squares.",
        "  \xB7 Mark mines around squares where only one mine configuration exists.",
        "  \xB7 Logically check for squares that can or cannot be mines using recursive exclusion.",
        "  \xB7 Analyze probabilities of hitting mines on various squares and guess randomly (if needed).",
        "",
        "Solver can give hints to gameplay.  Pressing H will have Solver analyze the board and automatically "
        "reveal a safe square (if they exist).",
    };
    std::vector<std::string> actual;
    for (size_t start = 0;;) {
        const size_t end = solver.find('\n', start);
        actual.push_back(solver.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    ASSERT_EQ(actual.size(), 11u);
    for (size_t i = 0; i < 11; ++i) {
        if (i != 2) {
            EXPECT_EQ(actual[i], lines[i]) << "line " << i + 1;
        }
    }
    const std::string rest =
        "  It uses a combination of logical tests and forced-move patterns to quickly reveal and mark appropriate "
        "squares.  Solver DOES NOT have advance knowledge of the board.  As a result, it sometimes runs into "
        "situations where it will have to guess.  Unfortunately, sometimes these guesses cause Solver to uncover "
        "mines.";
    ASSERT_GT(actual[2].size(), rest.size());
    EXPECT_EQ(actual[2].substr(actual[2].size() - rest.size()), rest);
    EXPECT_EQ(actual[2].find("Solver is an algorithm designed to play Blastgrid"), 0u);
    EXPECT_EQ(solver.find('\r'), std::string::npos);

    EXPECT_EQ(log[2].title, "About Blastgrid");
    EXPECT_NE(log[2].text.find("Blastgrid"), std::string::npos);
    EXPECT_NE(log[2].text.find("the Blastgrid developers"), std::string::npos);
    for (const auto& call : log) {
        EXPECT_EQ(call.type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(call.owner, mainWindow);
    }
}

TEST(Commands, ExitAndTheCloseBoxBothEndWithZero)
{
    Script viaMenu;
    viaMenu.Turn().Exit();
    EXPECT_EQ(RunProgram(viaMenu), 0);
    EXPECT_EQ(portable::WindowCount(), 0);

    Script viaCloseBox;
    viaCloseBox.Turn().Do([] { portable::ClickCloseBox(mainWindow); });
    EXPECT_EQ(RunProgram(viaCloseBox), 0);
    EXPECT_EQ(portable::WindowCount(), 0);
    EXPECT_FALSE(portable::InputExhausted());
}

TEST(Commands, TheMenuBarHoldsEveryItemWithItsId)
{
    Script script;
    script.Turn()
        .Do([] {
            const struct {
                int menu, position;
                const char* text;
                UINT id;
            } items[] = {
                {0, 0, "New Game\tF2", CommandNewGame}, {0, 1, "", 0},          {0, 2, "Beginner", CommandBeginner},
                {0, 3, "Intermediate", CommandIntermediate}, {0, 4, "Expert", CommandExpert}, {0, 5, "Custom...", CommandCustom},
                {0, 6, "", 0},                 {0, 7, "Exit", CommandExit},   {1, 0, "Hint\tH", CommandHint},
                {1, 1, "", 0},                 {1, 2, "Solve!\tF3", CommandSolve}, {2, 0, "How to Play", CommandHowToPlay},
                {2, 1, "What is Solver?", CommandAboutSolver}, {2, 2, "", 0},       {2, 3, "About Blastgrid...", CommandAbout},
            };
            const char* const titles[] = {"&Game", "&Solver", "&Help"};
            ASSERT_EQ(GetMenuItemCount(menuBar), 3);
            for (int menu = 0; menu < 3; ++menu) {
                char text[64];
                GetMenuStringA(menuBar, menu, text, sizeof text, MF_BYPOSITION);
                EXPECT_STREQ(text, titles[menu]);
            }
            EXPECT_EQ(GetMenuItemCount(GetSubMenu(menuBar, 0)), 8);
            EXPECT_EQ(GetMenuItemCount(GetSubMenu(menuBar, 1)), 3);
            EXPECT_EQ(GetMenuItemCount(GetSubMenu(menuBar, 2)), 4);
            EXPECT_EQ(GetSubMenu(menuBar, 0), difficultyMenu);
            for (const auto& item : items) {
                const HMENU menu = GetSubMenu(menuBar, item.menu);
                char text[64] = "";
                GetMenuStringA(menu, item.position, text, sizeof text, MF_BYPOSITION);
                EXPECT_STREQ(text, item.text);
                EXPECT_EQ(GetMenuItemID(menu, item.position), item.id);
                const bool separator = (GetMenuState(menu, item.position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
                EXPECT_EQ(separator, item.id == 0) << item.menu << "," << item.position;
            }
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

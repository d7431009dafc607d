// The custom-game window, through the real main loop.
#include <gtest/gtest.h>

#include "custom/custom_window.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "support/game_harness.h"

namespace {
const char* const invalidText = "Invalid minefield specifications.";

struct Control {
    const char* className;
    const char* text;
    DWORD style;
    LONG left, top, width, height;
    int id;
};

POINT CornerIn(HWND parent, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(parent, &corner);
    return corner;
}

// Opens the window, enters the fields and presses OK; then checks.
void RunEntry(const char* rows, const char* columns, const char* mines, std::function<void()> check)
{
    Script script;
    script.Turn()
        .Command(CommandCustom)
        .Do([=] { EnterCustomGame(rows, columns, mines); })
        .Turn()
        .Do(check)
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}
}  // namespace

TEST(CustomWindow, OpensCentredWithExactlyTwoHundredSquarePixelsAndItsNineControls)
{
    Script script;
    script.Turn()
        .Do([] { portable::SetScreenSize(1280, 1024); })
        .Command(CommandCustom)
        .Do([] {
            ASSERT_TRUE(customWindowOpen);
            EXPECT_EQ(FindWindowA("cstmfld", "Custom Game"), customWindow);
            EXPECT_EQ(GetParent(customWindow), mainWindow) << "owned by the main window";
            RECT client;
            GetClientRect(customWindow, &client);
            EXPECT_EQ(client.right, 200);
            EXPECT_EQ(client.bottom, 200);
            RECT expected;
            SetRect(&expected, (1280 - 200) / 2, (1024 - 200) / 2, 0, 0);
            AdjustWindowRect(&expected, WS_VISIBLE | WS_BORDER | WS_SYSMENU, TRUE);
            RECT window;
            GetWindowRect(customWindow, &window);
            EXPECT_EQ(window.left, expected.left);
            EXPECT_EQ(window.top, expected.top);

            const Control controls[] = {
                {"Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, 0},
                {"Static", "Rows:", WS_CHILD | WS_VISIBLE | SS_RIGHT, 10, 10, 75, 30, 0},
                {"Static", "Columns:", WS_CHILD | WS_VISIBLE | SS_RIGHT, 10, 40, 75, 20, 0},
                {"Static", "Mines:", WS_CHILD | WS_VISIBLE | SS_RIGHT, 10, 70, 75, 20, 0},
                {"Edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 95, 7, 30, 30, 0},
                {"Edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 95, 37, 30, 30, 0},
                {"Edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 95, 67, 45, 30, 0},
                {"Button", "OK", WS_CHILD | WS_VISIBLE, 50, 120, 100, 25, 30000},
                {"Button", "Cancel", WS_CHILD | WS_VISIBLE, 50, 155, 100, 25, 20000},
            };
            const std::vector<HWND> children = portable::ChildWindows(customWindow);
            ASSERT_EQ(children.size(), 9u);
            for (size_t i = 0; i < 9; ++i) {
                char text[32];
                GetClassNameA(children[i], text, sizeof text);
                EXPECT_STREQ(text, controls[i].className) << i;
                GetWindowTextA(children[i], text, sizeof text);
                EXPECT_STREQ(text, controls[i].text) << i;
                EXPECT_EQ(GetDlgCtrlID(children[i]), controls[i].id) << i;
                const POINT corner = CornerIn(customWindow, children[i]);
                RECT rect;
                GetWindowRect(children[i], &rect);
                EXPECT_EQ(corner.x, controls[i].left) << i;
                EXPECT_EQ(corner.y, controls[i].top) << i;
                EXPECT_EQ(rect.right - rect.left, controls[i].width) << i;
                EXPECT_EQ(rect.bottom - rect.top, controls[i].height) << i;
            }
            EXPECT_EQ(children[4], rowsEdit);
            EXPECT_EQ(children[5], columnsEdit);
            EXPECT_EQ(children[6], minesEdit);
        })
        .Command(CommandCustom)
        .Do([] { EXPECT_EQ(portable::TopLevelWindows().size(), 2u) << "a second Custom... opens nothing"; })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_FALSE(customWindowOpen) << "closed with its owner";
}

TEST(CustomWindow, TypedDigitsMakeAGameAndPutTheCheckOnCustom)
{
    uint32_t gamesBefore = 0;
    Script script;
    script.Turn()
        .Command(CommandCustom)
        .Do([] {
            // Rows 16, columns 30, mines 99, typed; letters do not get in.
            const struct {
                HWND edit;
                const char* keys;
            } fields[] = {{rowsEdit, "1x6"}, {columnsEdit, "30"}, {minesEdit, "9 9"}};
            for (const auto& field : fields) {
                RECT rect;
                GetWindowRect(field.edit, &rect);
                POINT corner = {rect.left + 5, rect.top + 5};
                ScreenToClient(customWindow, &corner);
                portable::ClickMouse(customWindow, portable::MouseButton::Left, corner.x, corner.y);
                portable::TypeText(field.keys);
            }
        })
        .Do([] {
            char text[50];
            GetWindowTextA(rowsEdit, text, sizeof text);
            EXPECT_STREQ(text, "16");
            GetWindowTextA(minesEdit, text, sizeof text);
            EXPECT_STREQ(text, "99");
            portable::ClickMouse(customWindow, portable::MouseButton::Left, 100, 132);
        })
        .Turn()
        .Do([] {
            EXPECT_FALSE(customWindowOpen);
            EXPECT_FALSE(IsWindow(customWindow));
            EXPECT_EQ(boardColumns, 30);
            EXPECT_EQ(boardRows, 16);
            EXPECT_EQ(MineSquares().size(), 99u);
            EXPECT_EQ(GetSettingColumns(), 30);
            EXPECT_EQ(GetSettingRows(), 16);
            EXPECT_EQ(GetSettingMines(), 99);
            EXPECT_EQ(MainClientRect().right, 512);
            for (int position = 2; position <= 4; ++position)
                EXPECT_FALSE(DifficultyChecked(position));
            EXPECT_TRUE(DifficultyChecked(5));
        })
        .Do([&gamesBefore] { gamesBefore = gamesStarted; })
        .Key(VK_F2)
        .Do([&gamesBefore] {
            // The custom window has gone: the main window has the focus
            // again, so F2 reaches it.
            EXPECT_EQ(gamesStarted, gamesBefore + 1) << "F2 started a new game";
            EXPECT_EQ(boardColumns, 30) << "New Game keeps the custom size";
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_TRUE(portable::MessageBoxLog().empty());
}

TEST(CustomWindow, TheLimitsOfAValidEntry)
{
    const struct {
        const char *rows, *columns, *mines;
        int width, height, count;
    } valid[] = {
        {"49", "49", "2401", 49, 49, 2401},
        {"1", "1", "1", 1, 1, 1},
        {"3", "4", "12", 4, 3, 12},
        {" +7", "08", "5x", 8, 7, 5},  // white space, a sign, leading zeros, trailing text
    };
    for (const auto& entry : valid) {
        RunEntry(entry.rows, entry.columns, entry.mines, [&entry] {
            EXPECT_EQ(boardColumns, entry.width);
            EXPECT_EQ(boardRows, entry.height);
            EXPECT_EQ(static_cast<int>(MineSquares().size()), entry.count);
            EXPECT_TRUE(MessageBoxes().empty());
        });
    }
}

TEST(CustomWindow, EveryKindOfInvalidEntryIsRefusedAndChangesNothing)
{
    const struct {
        const char *rows, *columns, *mines;
    } invalid[] = {
        {"", "9", "10"},  {"9", "", "10"},   {"9", "9", ""},    {"0", "9", "10"},   {"9", "0", "1"},
        {"50", "9", "10"}, {"9", "50", "10"}, {"9", "9", "0"},  {"3", "4", "13"},   {"-3", "4", "1"},
        {"9", "9", "99999999999"}, {"4294967305", "9", "10"}, {"9", "9", "-4294967295"},
    };
    for (const auto& entry : invalid) {
        RunEntry(entry.rows, entry.columns, entry.mines, [&entry] {
            EXPECT_EQ(MessageBoxes(), std::vector<std::string>{std::string("Blastgrid: ") + invalidText})
                << entry.rows << "/" << entry.columns << "/" << entry.mines;
            EXPECT_EQ(portable::MessageBoxLog()[0].type, static_cast<UINT>(MB_OK));
            EXPECT_FALSE(customWindowOpen);
            EXPECT_EQ(boardColumns, 9);
            EXPECT_EQ(GetSettingMines(), 10);
            EXPECT_TRUE(DifficultyChecked(2));
        });
    }
}

TEST(CustomWindow, CancelClosesItAndItReopensWithEmptyFields)
{
    Script script;
    script.Turn()
        .Command(CommandCustom)
        .Do([] {
            SetWindowTextA(rowsEdit, "12");
            portable::ClickMouse(customWindow, portable::MouseButton::Left, 100, 167);
        })
        .Do([] {
            EXPECT_FALSE(customWindowOpen);
            EXPECT_EQ(boardColumns, 9);
        })
        .Command(CommandCustom)
        .Do([] {
            ASSERT_TRUE(customWindowOpen);
            EXPECT_EQ(GetWindowTextLengthA(rowsEdit), 0);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_TRUE(portable::MessageBoxLog().empty());
}

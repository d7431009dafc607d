// Helpers shared by the solver tests: one step on a board picture, the
// message a step showed, and whole-board snapshots.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app_handles.h"
#include "platform/portable/testing.h"
#include "solver/solver.h"
#include "support/boards.h"

typedef std::vector<std::string> Rows;

inline int32_t Step(ScopedBoard& board, int32_t pass, int32_t passLimit, Truth hypothetical = 0)
{
    return SolverStep(pass, board.width, board.height, 0, board.board, nullptr, passLimit, hypothetical);
}

// One step on a board picture: the step's result and the picture after it.
struct StepCase {
    const char* what;
    Rows before;
    int32_t pass;
    int32_t passLimit;
    Truth hypothetical;
    int32_t result;
    Rows after;
};

// Runs each case on a board of its own; none may show a message box.
inline void ExpectSteps(const std::vector<StepCase>& cases)
{
    for (const StepCase& c : cases) {
        ScopedBoard board(c.before);
        EXPECT_EQ(Step(board, c.pass, c.passLimit, c.hypothetical), c.result) << c.what;
        EXPECT_EQ(board.text(), c.after) << c.what;
        EXPECT_TRUE(portable::MessageBoxLog().empty()) << c.what;
        portable::ClearMessageBoxLog();
    }
}

// Gives the message boxes an owner to check, and takes it away again.
struct ScopedMainWindow {
    HWND saved = mainWindow;
    ScopedMainWindow() { mainWindow = reinterpret_cast<HWND>(0x5150); }
    ~ScopedMainWindow() { mainWindow = saved; }
};

// Exactly one message box was shown, this one, by Solver; the log is cleared.
inline void ExpectSolverMessage(const char* text, UINT type)
{
    const auto& log = portable::MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, text);
    EXPECT_EQ(log[0].title, "Solver");
    EXPECT_EQ(log[0].type, type);
    EXPECT_EQ(log[0].owner, mainWindow);
    portable::ClearMessageBoxLog();
}

// Every field of every square, column by column.
inline std::vector<Cell> Snapshot(int32_t width, int32_t height, Board board)
{
    std::vector<Cell> cells;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            cells.push_back(board[x][y]);
    return cells;
}

inline bool SameSnapshot(const std::vector<Cell>& a, const std::vector<Cell>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameCell(a[i], b[i]))
            return false;
    return true;
}

#!/usr/bin/env python3
"""Plants single-point faults, one at a time, and tells which ones the native
tests catch.

Each fault is a (file, exact text, replacement) entry: the text must occur
exactly once in the file, so a fault whose text a later change removed fails
loudly instead of quietly testing nothing. The faults are planted in a
scratch copy of the tree (the files git knows, as they are in the working
tree), never in the tree itself; the scratch copy has its own native build,
rebuilt incrementally for each fault.

    tests/tools/plant-faults.py                 plant every fault, report caught/survived
    tests/tools/plant-faults.py --list          list the faults
    tests/tools/plant-faults.py --only 3,7-9    plant some of them
    tests/tools/plant-faults.py --scratch DIR   where the copy and its build live
                                          (default: build/plant-faults)

A fault is caught when the build fails or a test fails (or hangs past the
timeout). A survivor that changes nothing a player can see is marked
`equivalent` below, with the reason.

Each fault is judged by the native CTest entries, less the slow ones that
run whole programs or build packages (SLOW_TESTS): a fault that only those
can see names them (`tests`), and they run for it alone.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


# CTest entries left out unless a fault names them: each runs the whole
# program as a process or on a virtual display, or builds a package, and
# takes from seconds to minutes where the rest together take seconds.
SLOW_TESTS = ["native_end_to_end", "native_stress", "native_process", "debian_package_build", "debian_package",
              "bitmaps_up_to_date", "include_arrows_point_one_way", "include_arrows_catch_a_wrong_include"]
# Seconds one CTest entry may take before it counts as a hang.
TEST_TIMEOUT = 60


def fault(path, text, replacement, what, equivalent=None, tests=()):
    """`tests`: patterns of the slow CTest entries that also judge this fault
    (the rest, the presenter's own tests among them, always run)."""
    return {"path": path, "text": text, "replacement": replacement, "what": what, "equivalent": equivalent,
            "tests": list(tests)}


FAULTS = [
    # The main window's input handlers.
    fault("shell/main_window.cpp", "    if (leftDown)\n        UncoverAt(", "    UncoverAt(",
          "a left release counts without a left press in the window"),
    fault("shell/main_window.cpp", "    if (rightDown)\n        MarkAt(", "    MarkAt(",
          "a right release counts without a right press in the window"),
    fault("shell/main_window.cpp", "    if (rightDown)\n        AreaRevealTest(", "    if (leftDown)\n        AreaRevealTest(",
          "the left release tests the wrong button for the area reveal"),
    fault("shell/main_window.cpp", "    if (leftDown)\n        AreaRevealTest(", "    if (rightDown)\n        AreaRevealTest(",
          "the right release tests the wrong button for the area reveal"),
    fault("shell/main_window.cpp", "    if (gameState == Lost || gameState == Won || !GameReady())\n        return;\n    int32_t",
          "    if (gameState == Lost || !GameReady())\n        return;\n    int32_t",
          "a left release still uncovers after a win",
          equivalent="a won game has every square uncovered or marked (the win marks the rest), so a release there changes nothing"),
    fault("shell/main_window.cpp", "(gameState != Fresh && gameState != Running)", "(gameState != Running)",
          "no marks before the clock starts"),
    fault("shell/main_window.cpp", "    StartClock();\n    if (rightDown)", "    if (rightDown)",
          "uncovering does not start the clock"),
    fault("shell/main_window.cpp", " &&\n        cell.state == Revealed) {", ") {",
          "the area reveal forgets to test that the square is uncovered"),
    fault("shell/main_window.cpp", "liveBoard) == cell.adjacentMines", "liveBoard) >= cell.adjacentMines",
          "the area reveal with more marks than the number"),
    fault("shell/main_window.cpp", "*column < boardColumns", "*column <= boardColumns",
          "`<` for `<=`: a release right of the field reaches past the board"),
    fault("shell/main_window.cpp", "*row >= 0 && *row < boardRows", "*row < boardRows",
          "a release above the field is not refused"),
    fault("shell/main_window.cpp", "if (liveBoard[column][row].state == Marked)\n        UnmarkCell",
          "if (liveBoard[column][row].state == Covered)\n        UnmarkCell", "marking tests the wrong state"),
    fault("shell/main_window.cpp", "        SendCommand(window, CommandSolve);", "        SendCommand(window, CommandHint);",
          "F3 sends the wrong command"),
    fault("shell/main_window.cpp", "(character & 0xFF) == 'H'", "(character & 0xFF) == 'h'",
          "a capital H gives no hint"),
    fault("shell/main_window.cpp", "counterWellLeft, wellTop, counterWellRight, wellBottom, DKGRAY_BRUSH",
          "counterWellLeft, wellTop, counterWellRight, wellBottom, LTGRAY_BRUSH", "the counter's well in the wrong brush"),
    fault("shell/main_window.cpp", "        ShowWindow(counterDigits[i], SW_SHOW);\n", "",
          "painting no longer shows the counter's digits",
          equivalent="the digits are created visible and nothing hides them, so showing them again changes nothing"),
    # The tally, the win test and the end of a game.
    fault("shell/game.cpp", "minesLeft == coveredCount", "minesLeft >= coveredCount",
          "the win test with too many marks",
          equivalent="while a game is in play every mine is covered or marked, so mines - marks <= covered and >= holds only when == does"),
    fault("shell/game.cpp", "            if (liveBoard[x][y].state == Covered)\n                ++coveredCount;",
          "            if (liveBoard[x][y].state != Revealed)\n                ++coveredCount;",
          "the tally counts marked squares as covered"),
    fault("shell/game.cpp", "gameState != Won && gameState != Lost && minesLeft", "gameState != Won && minesLeft",
          "a lost game can still be won by the tally"),
    fault("shell/game.cpp", "if (minesLeft != shownMinesLeft) {", "if (minesLeft < shownMinesLeft) {",
          "the counter is not redrawn when it goes up"),
    fault("shell/game.cpp", "        RefreshCells(boardColumns, boardRows, liveBoard, cellViews);\n        WinGame();",
          "        WinGame();", "the marks of a won game are not drawn"),
    fault("shell/game.cpp", "                else if (cell.state != Marked)\n                    cell.state = Revealed;",
          "                else\n                    cell.state = Revealed;", "a lost game uncovers correctly marked mines"),
    fault("shell/game.cpp", "            } else if (cell.state == Marked) {\n                cell.state = FalseMark;",
          "            } else if (cell.state == Covered) {\n                cell.state = FalseMark;",
          "a lost game crosses out the wrong squares"),
    fault("shell/game.cpp", "    if (gameState == Fresh) {\n        gameState = Running;",
          "    if (gameState != Running) {\n        gameState = Running;", "the clock starts again after the game ended"),
    fault("shell/game.cpp", "    ShowFace(\"csmile\");", "    ShowFace(\"smile\");", "a won game shows the plain face"),
    # The idle turn and Solve!.
    fault("shell/main_loop.cpp", "    TallyBoard();\n\n    if (solving)\n        SolveStep();",
          "    if (solving)\n        SolveStep();\n\n    TallyBoard();", "the idle turn steps Solver before the tally"),
    fault("shell/main_loop.cpp", "    if (solvePass == OutcomeFinished)\n        WinGame();\n    else if (solvePass == OutcomeFailed)\n        LoseGame();",
          "    if (solvePass == OutcomeFailed)\n        WinGame();\n    else if (solvePass == OutcomeFinished)\n        LoseGame();",
          "Solve! outcomes swapped"),
    fault("shell/main_loop.cpp", "    solving = 0;\n    DrawTimer();", "    solving = 0;",
          "the timer is not redrawn when Solve! ends"),
    fault("shell/main_loop.cpp", "PtInRect(&face, cursor) && leftDown", "PtInRect(&face, cursor) || leftDown",
          "the face is pressed by any held left button"),
    fault("shell/main_loop.cpp", "lastTimerTick / 1000 && gameState == Running", "lastTimerTick / 1000 && gameState != Fresh",
          "the timer keeps running after the game ended"),
    fault("shell/main_loop.cpp", "if (now / 1000 != lastTimerTick / 1000", "if (now != lastTimerTick",
          "the timer is redrawn on every tick, not every second"),
    fault("shell/main_loop.cpp", "    if (gameState == Lost || gameState == Won || !GameReady()) {\n        solving = 0;",
          "    if (gameState == Lost || !GameReady()) {\n        solving = 0;", "Solve! keeps playing a won game"),
    fault("shell/commands.cpp", "    solvePass = PassStart;\n    StartClock();", "    solvePass = PassStart;",
          "Solve! does not start the clock"),
    fault("shell/commands.cpp", "ChooseDifficulty(30, 16, 99, PositionExpert);", "ChooseDifficulty(16, 30, 99, PositionExpert);",
          "Expert with columns and rows swapped"),
    # The hint.
    fault("shell/hint.cpp", "!copy[x][y].isMine && liveBoard[x][y].state == Covered", "!copy[x][y].isMine",
          "the hint may pick a square already uncovered or marked"),
    fault("shell/hint.cpp", "copy[x][y].state == Revealed && !copy[x][y].isMine && ", "copy[x][y].state == Revealed && ",
          "the hint may uncover a mine",
          equivalent="the copy's squares are uncovered only by Solver's deductions, which never uncover a mine: a step that does returns OutcomeFailed and the hint stops before its search"),
    fault("shell/hint.cpp", "constexpr int32_t hintPassLimit = PassGuess;", "constexpr int32_t hintPassLimit = noPassLimit;",
          "the hint is allowed to guess"),
    fault("shell/hint.cpp", "    for (int32_t x = 0; x < width; ++x) {\n        for (int32_t y = 0; y < height; ++y) {",
          "    for (int32_t y = 0; y < height; ++y) {\n        for (int32_t x = 0; x < width; ++x) {",
          "the hint's search with the loops swapped"),
    fault("shell/hint.cpp", "    if (gameState == Lost || gameState == Won || !GameReady())",
          "    if (gameState == Lost || !GameReady())", "a hint after a win"),
    fault("shell/hint.cpp", "if (pass >= OutcomeStop) {", "if (pass > OutcomeStop) {",
          "`>` for `>=`: the hint misses Solver's stop"),
    # The view: pixel mapping, counters, face, pictures, layout.
    fault("view/cell_view.cpp", "(x - fieldLeft) >> squareShift", "(x - fieldLeft) / squareSize",
          "division for the shift: the left margin rounds into column 0"),
    fault("view/cell_view.cpp", "row * squareSize + fieldTop", "row * squareSize + fieldLeft",
          "rows placed from the wrong origin"),
    fault("view/cell_view.cpp", "        return \"rmine\";", "        return \"bmine\";",
          "the exploded mine shows the crossed-out picture"),
    fault("view/cell_view.cpp", "                board[x][y].dirty = 0;\n", "",
          "the dirty flag is never cleared"),
    fault("view/counters.cpp", "sizeof text, \"%03d\"", "sizeof text, \"%3d\"", "the counter text without leading zeros"),
    fault("view/counters.cpp", "character >= '0' && character <= '9'", "character >= '0' && character < '9'",
          "`<` for `<=`: a 9 shows as a minus sign"),
    fault("view/counters.cpp", "    if (value > 999)\n        value = 999;", "    if (value >= 999)\n        value = 999;",
          "the counter's cap tested with `>=`",
          equivalent="a value of 999 is replaced by 999"),
    fault("view/counters.cpp", "    if (value > 999)\n        value = 999;\n", "",
          "the counter is not capped"),
    fault("view/counters.cpp", "uint32_t elapsed = (GetTickCount() - startTick) / 1000u;",
          "uint32_t elapsed = static_cast<uint32_t>(static_cast<int32_t>(GetTickCount() - startTick) / 1000);",
          "the timer's difference taken as signed"),
    fault("view/face.cpp", "left + faceSize, faceTop + faceSize", "left + faceSize + 1, faceTop + faceSize",
          "the face rectangle's right edge inside"),
    fault("view/layout.cpp", "    rect.bottom += clientHeight - (client.bottom - client.top);\n", "",
          "the window height is not corrected after measuring the client area"),
    # The custom-game window.
    fault("custom/custom_window.cpp", "rows < 50 && columns < 50", "rows <= 50 && columns < 50",
          "`<=` for `<`: 50 rows accepted"),
    fault("custom/custom_window.cpp", "mines <= rows * columns", "mines < rows * columns",
          "`<` for `<=`: a board full of mines refused"),
    fault("custom/custom_window.cpp", "mines > 0 &&", "mines >= 0 &&", "no mines accepted"),
    fault("custom/custom_window.cpp", "PositionCustom, PositionCustom, MF_BYPOSITION", "PositionCustom, PositionBeginner, MF_BYPOSITION",
          "a custom game checks Beginner"),
    fault("custom/custom_window.cpp", "SetGameSettings(columns, rows, mines);", "SetGameSettings(rows, columns, mines);",
          "rows and columns swapped"),
    fault("custom/custom_window.cpp", "    if (customWindowOpen)\n        return;\n", "",
          "a second custom window while one is open"),
    fault("custom/custom_window.cpp", "void OnDestroy()\n{\n    customWindowOpen = 0;", "void OnDestroy()\n{",
          "the window never opens again once closed"),
    fault("custom/custom_window.cpp", "    if (id == customCancelId) {\n        DestroyWindow(customWindow);",
          "    if (id == customCancelId) {", "Cancel does not close the window"),
    fault("custom/entry_number.cpp", "if (magnitude > limit)", "if (magnitude >= limit)",
          "`>=` for `>`: the largest numbers refused"),
    # Solver: float for double.
    fault("solver/guess.cpp", "const double estimate = static_cast<double>(cell.adjacentMines - marked) / static_cast<double>(covered);",
          "const float estimate = static_cast<float>(cell.adjacentMines - marked) / static_cast<float>(covered);",
          "float for double in the guess's estimates"),
    # The loop's and the idle turn's order, and Solver's pass limits.
    fault("shell/main_loop.cpp",
          "    const uint32_t now = GetTickCount();\n    if (now / 1000 != lastTimerTick / 1000 && gameState == Running) {\n        lastTimerTick = now;\n        DrawTimer();\n    }\n\n    TallyBoard();\n",
          "    TallyBoard();\n\n    const uint32_t now = GetTickCount();\n    if (now / 1000 != lastTimerTick / 1000 && gameState == Running) {\n        lastTimerTick = now;\n        DrawTimer();\n    }\n",
          "the idle turn tallies before it redraws the timer"),
    fault("shell/main_loop.cpp",
          "    const RECT face = FaceRectangle();\n    POINT cursor;\n    GetCursorPos(&cursor);\n    ScreenToClient(mainWindow, &cursor);\n",
          "    const RECT face = FaceRectangle();\n    POINT cursor;\n    GetCursorPos(&cursor);\n    ScreenToClient(mainWindow, &cursor);\n    const uint32_t early = GetTickCount();\n    if (early / 1000 != lastTimerTick / 1000 && gameState == Running) {\n        lastTimerTick = early;\n        DrawTimer();\n    }\n",
          "the idle turn redraws the timer before the face press"),
    fault("shell/main_loop.cpp", "            ShowFace(\"psmile\");\n            return;", "            ShowFace(\"psmile\");",
          "a turn that presses the face goes on to the timer, the tally and Solver"),
    fault("shell/main_loop.cpp", "        ShowFace(FaceForState());\n        return;", "        ShowFace(FaceForState());",
          "a turn that puts back the face goes on to the timer, the tally and Solver"),
    fault("shell/main_loop.cpp", "        if (!solving)\n            WaitMessage();", "        WaitMessage();",
          "the loop waits for a message in Solve! mode too"),
    fault("shell/main_loop.cpp", "    SeedRandom(GetTickCount());\n    appInstance = instance;", "    appInstance = instance;",
          "the generator is never seeded"),
    fault("shell/main_loop.cpp",
          "    RefreshCells(boardColumns, boardRows, liveBoard, cellViews);\n    if (solvePass < OutcomeStop)\n        return;",
          "    if (solvePass < OutcomeStop)\n        return;\n    RefreshCells(boardColumns, boardRows, liveBoard, cellViews);",
          "a Solve! step draws its squares only when Solver is done"),
    fault("shell/main_loop.cpp", "constexpr int32_t solvePassLimit = noPassLimit;", "constexpr int32_t solvePassLimit = PassGuess;",
          "Solve! never guesses (pass limit 6)"),
    fault("shell/main_loop.cpp", "constexpr int32_t solvePassLimit = noPassLimit;",
          "constexpr int32_t solvePassLimit = OutcomeFinished;", "Solve!'s pass limit one below 11",
          equivalent="Solve! calls SolverStep only with the passes 0 and 2 to 6 (a result of 8 or more ends it), and "
                     "the limit is otherwise compared only with 4 and 5: every limit from 7 up, 10 and 12 among them, "
                     "runs the same passes"),
    fault("shell/hint.cpp", "constexpr int32_t hintPassLimit = PassGuess;", "constexpr int32_t hintPassLimit = PassExcludeSafe;",
          "the hint's pass limit one below 6: no exclusion of safe squares"),
    fault("shell/hint.cpp", "constexpr int32_t hintPassLimit = PassGuess;", "constexpr int32_t hintPassLimit = PassGuess + 1;",
          "the hint's pass limit one above 6: the hint guesses"),
    fault("shell/hint.cpp",
          "        if (pass >= OutcomeStop) {\n            MessageBoxA(mainWindow,\n                        \"Solver has not identified any squares that can be safely uncovered without guessing.\",\n                        \"Hint\", MB_OK | MB_ICONINFORMATION);\n            break;\n        }\n        int32_t column = 0;\n        int32_t row = 0;\n        if (FindHintSquare(width, height, copy, &column, &row)) {\n            RevealCell(column, row, boardColumns, boardRows, liveBoard, 0);\n            RefreshCells(boardColumns, boardRows, liveBoard, cellViews);\n            break;\n        }\n",
          "        int32_t column = 0;\n        int32_t row = 0;\n        if (FindHintSquare(width, height, copy, &column, &row)) {\n            RevealCell(column, row, boardColumns, boardRows, liveBoard, 0);\n            RefreshCells(boardColumns, boardRows, liveBoard, cellViews);\n            break;\n        }\n        if (pass >= OutcomeStop) {\n            MessageBoxA(mainWindow,\n                        \"Solver has not identified any squares that can be safely uncovered without guessing.\",\n                        \"Hint\", MB_OK | MB_ICONINFORMATION);\n            break;\n        }\n",
          "the hint looks for its square before it tests Solver's outcome",
          equivalent="no step that returns 8 or more has uncovered a safe square on the copy: the audit's "
                     "fill-out and the deductions that uncover return a pass below 8, the finish only marks, and the "
                     "hint never guesses; so the search finds nothing after such a step and the message follows in "
                     "either order"),
    fault("shell/hint.cpp",
          "            RevealCell(column, row, boardColumns, boardRows, liveBoard, 0);\n            RefreshCells(boardColumns, boardRows, liveBoard, cellViews);",
          "            RefreshCells(boardColumns, boardRows, liveBoard, cellViews);\n            RevealCell(column, row, boardColumns, boardRows, liveBoard, 0);",
          "the hint draws the squares before it uncovers its square"),
    fault("solver/exclusion.cpp", "trial, step.views, PassExcludeMine, 1);", "trial, step.views, PassMarkForced, 1);",
          "the trials' pass limit one below 4"),
    fault("solver/exclusion.cpp", "trial, step.views, PassExcludeMine, 1);", "trial, step.views, PassExcludeSafe, 1);",
          "the trials' pass limit one above 4: trials nest"),
    fault("solver/solver.cpp", "    if (pass >= passLimit)\n        return OutcomeStop;", "    if (pass > passLimit)\n        return OutcomeStop;",
          "`>` for `>=`: a step may run the pass at its limit"),
    fault("shell/game.cpp",
          "        PlaceMines(columns, rows, *boardSlot, mines);\n    RefreshCells(columns, rows, *boardSlot, *viewSlot);",
          "        RefreshCells(columns, rows, *boardSlot, *viewSlot);\n    PlaceMines(columns, rows, *boardSlot, mines);",
          "a new game draws its squares before it lays the mines"),
    fault("shell/game.cpp", "    gameState = Fresh;\n    // Drawing the board, or a message box on the way, can take more than a\n    // second; the fresh game's timer must still read 000.\n    startTick = GetTickCount();\n",
          "    gameState = Fresh;\n",
          "a new game's timer counts from before its board was drawn"),
    # The window system: the queue and the loop calls.
    fault("platform/portable/messages.cpp", "        while (next != system.queue.end() && next->input)\n            ++next;\n", "",
          "posted messages no longer go before input"),
    fault("platform/portable/messages.cpp", "if (next == system.queue.end() && system.quitPosted) {", "if (system.quitPosted) {",
          "the quit message goes before posted messages"),
    fault("platform/portable/messages.cpp", "    system.askInputOnNextPeek = !found;", "    system.askInputOnNextPeek = true;",
          "PeekMessage asks for input within a turn, not once a turn"),
    fault("platform/portable/messages.cpp", "const char shiftedDigits[] = \")!@#$%^&*(\";", "const char shiftedDigits[] = \"!@#$%^&*()\";",
          "Shift with a digit types the character of the next digit"),
    fault("platform/portable/messages.cpp", "const bool shift = (TheSystem().threadKeyState[VK_SHIFT] & 0x80) != 0;",
          "const bool shift = (TheSystem().keyState[VK_SHIFT] & 0x80) != 0;",
          "TranslateMessage reads Shift from the device, not as the thread last saw it"),
    fault("platform/portable/messages.cpp", "message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;", "WM_CHAR;",
          "a key with Alt makes WM_CHAR, not WM_SYSCHAR"),
    fault("platform/portable/messages.cpp", "        return shift ? static_cast<int>(key) : static_cast<int>(key - 'A' + 'a');",
          "        return shift ? static_cast<int>(key - 'A' + 'a') : static_cast<int>(key);", "letters with Shift lower-case"),
    # The window system: the mouse and activation.
    fault("platform/portable/input.cpp", "GetTickCount() - last.time < doubleClickMilliseconds", "GetTickCount() - last.time <= doubleClickMilliseconds",
          "`<=` for `<`: a second press exactly 500 ms later is a double click"),
    fault("platform/portable/input.cpp", "constexpr DWORD doubleClickMilliseconds = 500;", "constexpr DWORD doubleClickMilliseconds = 1000;",
          "the double-click time a second"),
    fault("platform/portable/input.cpp", "std::abs(last.point.x - screen.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2",
          "std::abs(last.point.x - screen.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2",
          "`<=` for `<`: two pixels off is still a double click"),
    fault("platform/portable/input.cpp", "std::abs(last.point.y - screen.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2",
          "std::abs(last.point.y - screen.y) < GetSystemMetrics(SM_CYDOUBLECLK)",
          "the whole double-click height for half of it"),
    fault("platform/portable/input.cpp", "const bool classAsks = (FindWindowRecord(target)->windowClass->record.style & CS_DBLCLKS) != 0;",
          "const bool classAsks = true;", "double clicks without CS_DBLCLKS"),
    fault("platform/portable/input.cpp", "    if (quickSecondPress) {\n        system.lastPress.valid = false;", "    if (quickSecondPress) {",
          "a third quick press is a double click again"),
    fault("platform/portable/messages.cpp", "root != nullptr && root != system.active &&", "root != nullptr && root == system.active &&",
          "a press on an inactive window does not activate it"),
    fault("platform/portable/input.cpp", "    const HWND target = system.capture != nullptr ? system.capture : WindowAt(screen, &hitTest);",
          "    const HWND target = WindowAt(screen, &hitTest);", "the mouse ignores the capture"),
    fault("platform/portable/input.cpp", "            message = WM_SYSKEYDOWN;\n            keys[VK_MENU] |= 0x02;", "            message = WM_SYSKEYDOWN;",
          "Alt's release is never a system key"),
    fault("platform/portable/input.cpp", "        message = WM_SYSKEYDOWN;\n        keys[VK_MENU] &= ~0x02;\n    }\n    LPARAM flags = 1;",
          "        message = WM_SYSKEYDOWN;\n    }\n    LPARAM flags = 1;", "Alt's release stays a system key after Alt with another key"),
    fault("platform/portable/input.cpp", "    if (IsEnabledForInput(window))\n        PostQueued(window, WM_SYSCOMMAND, SC_CLOSE, 0, true);",
          "    PostQueued(window, WM_SYSCOMMAND, SC_CLOSE, 0, true);", "the close box works on a window under a message box",
          tests=["native_process"]),
    # The window system: system keys and the menu's modal loop.
    fault("platform/portable/default_processing.cpp", "PostMessageA(TopLevelOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);",
          "PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);", "Alt+F4 closes the window with the focus, not its top-level window"),
    fault("platform/portable/default_processing.cpp", "if ((wParam == VK_MENU && system.menuKeyAlone) ||", "if ((wParam == VK_MENU) ||",
          "Alt's release opens the menu after Alt with another key too"),
    fault("platform/portable/default_processing.cpp", "            system.f10Pressed = true;", "            system.f10Pressed = false;",
          "F10 does not open the menu"),
    fault("platform/portable/default_processing.cpp", "        if (wParam == HTMENU)\n            SendMessageA(window, WM_SYSCOMMAND",
          "        if (wParam == HTCAPTION)\n            SendMessageA(window, WM_SYSCOMMAND", "a press on the menu bar does not open the menu"),
    fault("platform/portable/menu_tracking.cpp", "    for (int i = step > 0 ? 0 : count - 1; i >= 0 && i < count; i += step) {",
          "    for (int i = step > 0 ? 0 : count - 2; i >= 0 && i < count; i += step) {", "Up from the first item goes round to the one before the last"),
    fault("platform/portable/menu_tracking.cpp", "    for (int i = step > 0 ? 0 : count - 1; i >= 0 && i < count; i += step) {",
          "    for (int i = step > 0 ? 1 : count - 1; i >= 0 && i < count; i += step) {", "going round forwards starts at the second item"),
    fault("platform/portable/menu_tracking.cpp",
          "        for (int i = current + step; i >= 0 && i < count; i += step) {\n            if (!(ItemAt(menu, i)->flags & MF_SEPARATOR)) {",
          "        for (int i = current + step; i >= 0 && i < count; i += step) {\n            {",
          "the arrows stop on separators"),
    fault("platform/portable/menu_tracking.cpp", "std::tolower(static_cast<unsigned char>(text[at + 1])) == std::tolower(key)",
          "text[at + 1] == key", "mnemonics match only in the case written"),
    fault("platform/portable/menu_tracking.cpp", "        if (t.open)\n            HidePopup();\n        else\n            t.end = true;",
          "        t.end = true;", "Escape closes the whole menu, not the drop-down first"),
    fault("platform/portable/menu_tracking.cpp", "        if (wasOpen)\n            ShowPopup(true);\n", "",
          "Left and Right leave the drop-down closed"),
    fault("platform/portable/menu_tracking.cpp", "        ShowPopup(true);\n        return popupOpened;", "        ShowPopup(false);\n        return popupOpened;",
          "Enter on a title opens its drop-down with nothing selected"),
    fault("platform/portable/menu_tracking.cpp", "    SetCapture(owner);\n    RunModalLoop(owner, MSGF_MENU", "    RunModalLoop(owner, MSGF_MENU",
          "the menu does not capture the mouse while it tracks"),
    fault("platform/portable/menu_tracking.cpp", "            t.end = true;\n            PutBack(message);", "            t.end = true;",
          "a press outside an open menu is not put back for the window under it"),
    fault("platform/portable/menu_tracking.cpp", "        if (t.releasedOnOpenTitle)\n            return true;\n", "",
          "a second click on the open title does not close the menu"),
    fault("platform/portable/menu_tracking.cpp", "        SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);\n", "",
          "the end of the menu is not told with WM_MENUSELECT"),
    fault("platform/portable/menu_tracking.cpp",
          "    SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);\n    SendMessageA(owner, WM_SETCURSOR, reinterpret_cast<WPARAM>(owner), HTCAPTION);\n    SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);",
          "    SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);\n    SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);\n    SendMessageA(owner, WM_SETCURSOR, reinterpret_cast<WPARAM>(owner), HTCAPTION);",
          "WM_INITMENU before WM_ENTERMENULOOP"),
    fault("platform/portable/menu_tracking.cpp", "        if (title < 0) {\n            t.end = true;", "        if (title < 0) {",
          "Alt with a letter that no title has leaves the menu open"),
    fault("platform/portable/menu_layout.cpp", "    if (x + size.cx > screenWidth)\n        x = screenWidth - size.cx;",
          "    if (x > screenWidth)\n        x = screenWidth - size.cx;", "a drop-down may pass the screen's right edge"),
    fault("platform/portable/menu_layout.cpp", "y - size.cy - titleHeight :", "y - size.cy :",
          "a drop-down above its title covers the title"),
    fault("platform/portable/menu_layout.cpp", "if (x > 0 && x + titleWidth > width) {", "if (x > 0 && x > width) {",
          "the menu bar wraps only after a title has passed the edge"),
    fault("platform/portable/menu_layout.cpp", "if (barCache.bar == bar && barCache.width == width &&", "if (barCache.bar == bar &&",
          "the menu bar's layout is kept when the window's width changes"),
    fault("platform/portable/menu_layout.cpp",
          "TextWidth(WithoutMnemonicMarks(ItemTextBeforeTab(item))) + 2 * menuTitlePadding",
          "TextWidth(ItemTextBeforeTab(item)) + 2 * menuTitlePadding", "the bar's titles are measured with their '&' marks"),
    # The window system: message boxes.
    fault("platform/portable/message_box.cpp", "    if (message.message != WM_KEYDOWN || RootOf(message.hwnd) != box)",
          "    if (message.message != WM_KEYUP || RootOf(message.hwnd) != box)", "the box answers Enter and Escape on their release"),
    fault("platform/portable/message_box.cpp",
          "    if (ownerWasEnabled && IsWindow(owner))\n        EnableWindow(owner, TRUE);\n    DestroyWindow(box);",
          "    DestroyWindow(box);\n    if (ownerWasEnabled && IsWindow(owner))\n        EnableWindow(owner, TRUE);",
          "the owner is enabled after the box is gone, so it is not activated"),
    fault("platform/portable/message_box.cpp", "    if (ownerWasEnabled)\n        EnableWindow(owner, FALSE);\n", "",
          "the owner stays enabled under its box"),
    fault("platform/portable/message_box.cpp", "const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);",
          "const bool ownerWasEnabled = owner != nullptr;", "a nested box enables the owner while the outer box is up"),
    fault("platform/portable/message_box.cpp", "    SetFocus(button);\n", "", "the box's button does not take the focus"),
    # The window system: windows, focus, GDI objects, painting and texts.
    fault("platform/portable/windows.cpp", "        width = std::max(width, minimumTrackWidth);\n", "",
          "no minimum track width"),
    fault("platform/portable/windows.cpp", "    system.active = window;\n    NoteChange();\n    SetFocusWindow(window);",
          "    system.active = window;\n    NoteChange();", "the focus does not follow the active window"),
    fault("platform/portable/windows.cpp",
          "    SendMessageA(handle, WM_DESTROY, 0, 0);\n    for (HWND child : ChildWindows(handle))\n        DestroyTree(child);",
          "    for (HWND child : ChildWindows(handle))\n        DestroyTree(child);\n    SendMessageA(handle, WM_DESTROY, 0, 0);",
          "children get WM_DESTROY before their parent"),
    fault("platform/portable/windows.cpp",
          "    if (!enable && system.focus != nullptr && (system.focus == window || RootOf(system.focus) == window))\n        SetFocusWindow(nullptr);\n",
          "", "a disabled window keeps the focus"),
    fault("platform/portable/gdi_objects.cpp", "LiveGdiObjectCount() >= system.gdiObjectLimit", "LiveGdiObjectCount() > system.gdiObjectLimit",
          "`>` for `>=`: one GDI object past the limit"),
    fault("platform/portable/gdi_objects.cpp", "    system.nextBitmapHandle += 4;  // handles are never reused\n", "",
          "every bitmap object gets the same handle"),
    fault("platform/portable/views.cpp", "record->damage = record->damaged ? Union(record->damage, area) : area;",
          "record->damage = area;", "new damage replaces the damage not yet taken"),
    fault("platform/portable/views.cpp", "    record->damaged = false;\n    if (damage.right", "    if (damage.right",
          "damage taken stays"),
    fault("platform/portable/painting.cpp", "DrawBitmap(image, *bitmap, picture->rect.left - area.left, picture->rect.top - area.top);",
          "DrawBitmap(image, *bitmap, picture->rect.left, picture->rect.top);",
          "a part of the client area draws its pictures where the whole would"),
    fault("platform/portable/painting.cpp", "    if (!same)\n        NoteDamage(window, ClientRectOf(*record));",
          "    if (same)\n        NoteDamage(window, ClientRectOf(*record));", "a paint that changed the fills damages nothing"),
    fault("platform/portable/painting.cpp", "point.x >= rect->left && point.x < rect->right", "point.x >= rect->left && point.x <= rect->right",
          "PtInRect with the right edge inside"),
    fault("platform/portable/text.cpp", "if (byte >= 0x80 && byte < 0xA0)", "if (byte > 0x80 && byte < 0xA0)",
          "the euro sign of the code page reaches presenters as U+0080"),
    # The desktop presenter.
    fault("platform/desktop/zoom.cpp", "    return POINT{FloorDivide(displayX, zoom), FloorDivide(displayY, zoom)};",
          "    return POINT{displayX / zoom, displayY / zoom};", "the zoom's points rounded towards zero"),
    fault("platform/desktop/zoom.cpp", "    while (zoom > 1 && !Fits(zoom, displayWidth, displayHeight))", "    while (zoom > 2 && !Fits(zoom, displayWidth, displayHeight))",
          "a zoom of 2 is kept where it does not fit"),
    fault("platform/desktop/input_routing.cpp",
          "        if (!PointerMoved(event.motion.windowID, event.motion.x, event.motion.y) ||\n            !ScreenPointOf(",
          "        if (!ScreenPointOf(", "pointer motion without movement reaches the window system"),
    fault("platform/desktop/presenter.cpp", "        if (!waiting)\n            return false;", "",
          "the presenter waits for the display while the program does not",
          tests=["native_process"]),
    fault("platform/desktop/display_windows.cpp", "    if (entry == nullptr || active == presenter.focused)\n        return;",
          "    if (entry == nullptr || presenter.focused != nullptr)\n        return;",
          "the display's keyboard stays with the first window", tests=["native_process"]),
    fault("platform/desktop/input.cpp", "    {SDLK_KP_1, SDLK_KP_9, '1'},", "    {SDLK_KP_1, SDLK_KP_9, '0'},",
          "the keypad's digits one off"),
]


def parse_only(text, count):
    chosen = set()
    for part in text.split(","):
        first, _, last = part.partition("-")
        chosen.update(range(int(first), int(last or first) + 1))
    return sorted(n for n in chosen if 1 <= n <= count)


def run(command, cwd, timeout=None):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        return done.returncode, done.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return -1, "timed out"


def test_command(build, jobs, named):
    """The usual entries and the slow ones named, stopping at the first failure."""
    left_out = [name for name in SLOW_TESTS if not any(re.fullmatch(pattern, name) for pattern in named)]
    return ["ctest", "--test-dir", build, "-j", jobs, "--stop-on-failure", "--timeout", str(TEST_TIMEOUT),
            "-E", "^(" + "|".join(left_out) + ")$"]


def run_tests(build, arguments, named):
    """Returns the exit code, the output and how the tests failed ("" when they passed)."""
    code, output = run(test_command(build, arguments.jobs, named), ROOT, arguments.timeout)
    if code == 0:
        return 0, output, ""
    if code < 0 or "***Timeout" in output:
        return code, output, "tests hang"
    return code, output, "tests fail"


def copy_tree(scratch):
    """The files git knows, as they are in the working tree, with their modes."""
    source = os.path.join(scratch, "src")
    listed = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
    for name in listed.decode().split("\0"):
        if not name:
            continue
        target = os.path.join(source, name)
        original = os.path.join(ROOT, name)
        if not os.path.isfile(original):
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(original, "rb") as new:
            content = new.read()
        if os.path.exists(target):
            with open(target, "rb") as old:
                unchanged = old.read() == content
        else:
            unchanged = False
        if not unchanged:
            with open(target, "wb") as out:
                out.write(content)
        # Scripts the tests run keep their execute bits.
        shutil.copymode(original, target)
    return source


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--only")
    parser.add_argument("--scratch", default=os.path.join(ROOT, "build", "plant-faults"))
    parser.add_argument("--jobs", default="2")
    parser.add_argument("--timeout", type=int, default=600, help="seconds for one fault's tests, all together")
    arguments = parser.parse_args()

    numbers = parse_only(arguments.only, len(FAULTS)) if arguments.only else range(1, len(FAULTS) + 1)
    if arguments.list:
        for n in numbers:
            f = FAULTS[n - 1]
            tests = f"  (also {', '.join(f['tests'])})" if f["tests"] else ""
            print(f"{n:3} {f['path']}: {f['what']}{tests}" +
                  (f"  [equivalent: {f['equivalent']}]" if f["equivalent"] else ""))
        return 0

    unknown = [f"fault {n}: no slow test is named {pattern}" for n in numbers for pattern in FAULTS[n - 1]["tests"]
               if not any(re.fullmatch(pattern, name) for name in SLOW_TESTS)]
    if unknown:
        print("\n".join(unknown))
        return 2

    source = copy_tree(arguments.scratch)
    # Every fault's text must be there, exactly once, before anything runs.
    missing = []
    for n in numbers:
        f = FAULTS[n - 1]
        with open(os.path.join(source, f["path"]), encoding="utf-8") as file:
            occurrences = file.read().count(f["text"])
        if occurrences != 1:
            missing.append(f"fault {n} ({f['path']}): its text occurs {occurrences} times")
    if missing:
        print("\n".join(missing))
        return 2

    build = os.path.join(arguments.scratch, "build")
    configure = ["cmake", "-S", source, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"]
    for step in (configure, ["cmake", "--build", build, "-j", arguments.jobs]):
        code, output = run(step, ROOT)
        if code != 0:
            print(output)
            print("the scratch tree does not build without faults")
            return 2
    # The tests without faults: the usual entries and every slow one a chosen fault names.
    named = sorted({name for n in numbers for name in FAULTS[n - 1]["tests"]})
    code, output, _ = run_tests(build, arguments, named)
    if code != 0:
        print(output)
        print("the tests fail without faults")
        return 2

    caught, survived, equivalent = [], [], []
    run_started = time.time()
    for n in numbers:
        f = FAULTS[n - 1]
        path = os.path.join(source, f["path"])
        with open(path, encoding="utf-8") as file:
            original = file.read()
        started = time.time()
        try:
            with open(path, "w", encoding="utf-8") as file:
                file.write(original.replace(f["text"], f["replacement"]))
            code, _ = run(["cmake", "--build", build, "-j", arguments.jobs], ROOT)
            how = "build fails"
            if code == 0:
                code, _, how = run_tests(build, arguments, f["tests"])
        finally:
            with open(path, "w", encoding="utf-8") as file:
                file.write(original)
        seconds = time.time() - started
        if code != 0:
            caught.append(n)
            verdict = f"caught ({how})"
        elif f["equivalent"]:
            equivalent.append(n)
            verdict = f"survived, equivalent: {f['equivalent']}"
        else:
            survived.append(n)
            verdict = "SURVIVED"
        print(f"{n:3} {f['path']}: {f['what']}: {verdict} [{seconds:.0f} s]", flush=True)

    total = len(caught) + len(survived) + len(equivalent)
    print(f"\n{total} faults planted: {len(caught)} caught, {len(survived)} survived, "
          f"{len(equivalent)} survived as equivalent")
    if total:
        print(f"kill rate {100.0 * len(caught) / total:.1f} % "
              f"({100.0 * len(caught) / max(total - len(equivalent), 1):.1f} % of the non-equivalent faults)")
    print(f"{time.time() - run_started:.0f} s for the faults, {(time.time() - run_started) / max(total, 1):.0f} s each")
    if survived:
        print("survivors: " + ", ".join(str(n) for n in survived))
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())

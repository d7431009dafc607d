// The robot's long modes, each in a file of its own; robot.cpp runs them.
#pragma once

#include <windows.h>

// Hundreds of new games of every kind, then checks that every picture is
// still shown, that the game's memory stayed flat, and (in the caller) that
// it exits with 0.
void RunSession(const PROCESS_INFORMATION& process);

// Prints what new games of each size and Solve! runs on Expert take, and
// the floor of each size (floor.cpp).
void RunBenchmark(const PROCESS_INFORMATION& process);

// robot.exe floor COLUMNS ROWS: the benchmark's floor, a program that does
// to its pictures what a new game does and nothing else. Its main window is
// of this class.
constexpr const char* floorClass = "robotfloor";
int RunFloorProgram(int columns, int rows);

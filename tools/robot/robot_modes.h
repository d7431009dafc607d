// The robot's long modes, each in a file of its own; robot.cpp runs them.
#pragma once

#include <windows.h>

// Hundreds of new games of every kind, then checks that every picture is
// still shown, that the game's memory stayed flat, and (in the caller) that
// it exits with 0.
void RunSession(const PROCESS_INFORMATION& process);

// Prints what new games of each size and Solve! runs on Expert take.
void RunBenchmark(const PROCESS_INFORMATION& process);

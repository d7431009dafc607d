// Games played by a job, written into bytes for the process that started it
// and read back there.
#pragma once

#include <string>

#include "tools/solver_lab/lab_run.h"

void WriteGame(std::string& bytes, const GameResult& game);

// Reads the game at `offset` and moves past it; false when the bytes end
// before the game does.
bool ReadGame(const std::string& bytes, size_t& offset, GameResult& game);

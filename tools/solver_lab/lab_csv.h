// The per-game lines of a run as comma-separated values, for a spreadsheet
// or a plot: a header, then one line per game in seed order.
#pragma once

#include <cstdio>

#include "tools/solver_lab/lab_run.h"

void WriteCsv(std::FILE* file, const LabTotals& totals);

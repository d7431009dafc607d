// Solver's messages, each in a box owned by the main window titled "Solver".
// The step that shows one returns at once.
#pragma once

void ReportWrongMark();
void ReportFillOutHitMine();
void ReportLogicalMistake();
void ReportGuessHitMine();

#include "tools/solver_lab/lab_csv.h"

void WriteCsv(std::FILE* file, const LabTotals& totals)
{
    std::fprintf(file, "seed,result,steps,game_ms,step_max_ms,hint_max_ms,digest\n");
    for (const GameRow& row : totals.rows)
        std::fprintf(file, "%u,%s,%d,%.4f,%.4f,%.4f,%016llx\n", row.seed,
                     row.end == GameWon ? "won" : row.end == GameLost ? "lost" : "stopped", row.steps,
                     row.gameMilliseconds, row.stepMax, row.hintMax, static_cast<unsigned long long>(row.digest));
}

#include "tools/solver_lab/lab_run.h"

#include <cstdio>

#include "tools/solver_lab/lab_play.h"
#include "tools/solver_lab/trace_digest.h"

LabTotals RunLab(const LabOptions& options)
{
    LabTotals totals;
    totals.digest = emptyDigest;
    AnswerMessagesAtOnce();
    for (uint64_t seed = options.firstSeed; seed <= options.lastSeed; ++seed) {
        const GameRecord record = PlayGame(options, static_cast<uint32_t>(seed));
        ++totals.games;
        totals.won += record.end == GameWon;
        totals.lost += record.end == GameLost;
        totals.stopped += record.end == GameStopped;
        totals.stepTimes.insert(totals.stepTimes.end(), record.stepMilliseconds.begin(), record.stepMilliseconds.end());
        totals.hintTimes.insert(totals.hintTimes.end(), record.hintMilliseconds.begin(), record.hintMilliseconds.end());
        totals.gameTimes.push_back(record.gameMilliseconds);
        totals.digest = MixValue(totals.digest, record.digest);
        if (options.trace)
            std::fputs(record.trace.c_str(), stdout);
    }
    return totals;
}

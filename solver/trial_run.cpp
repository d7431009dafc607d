#include "solver/trials.h"

void RunTrial(const StepArguments& step, Board trial)
{
    int32_t pass = PassRevealSolved;
    while (pass < OutcomeStop)
        pass = SolverStep(pass, step.width, step.height, step.mineTotal, trial, step.views, PassExcludeMine, 1);
}

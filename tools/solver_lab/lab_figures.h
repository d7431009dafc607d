// Summary figures of a run of the solver lab.
#pragma once

#include <vector>

// The middle value (the mean of the two middle ones for an even count) and
// the largest; both 0 for no values. Reorders `values`.
double MedianOf(std::vector<double>& values);
double MaximumOf(const std::vector<double>& values);

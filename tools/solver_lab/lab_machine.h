// The machine a run's figures come from: its processor, its cores and how
// busy it was, since the figures mean little without them.
#pragma once

#include <string>

// "AMD EPYC, 2 cores, load average 0.52 0.61 0.70", as far as the system
// tells (Linux's /proc); parts it does not tell are left out.
std::string DescribeMachine();

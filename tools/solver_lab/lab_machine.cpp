#include "tools/solver_lab/lab_machine.h"

#include <fstream>
#include <sstream>
#include <thread>

namespace {
std::string ProcessorName()
{
    std::ifstream cpus("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpus, line)) {
        if (line.compare(0, 10, "model name") != 0)
            continue;
        const size_t colon = line.find(':');
        if (colon != std::string::npos && colon + 2 <= line.size())
            return line.substr(colon + 2);
    }
    return "";
}

std::string LoadAverage()
{
    std::ifstream loads("/proc/loadavg");
    std::string one, five, fifteen;
    if (!(loads >> one >> five >> fifteen))
        return "";
    return "load average " + one + " " + five + " " + fifteen;
}
}  // namespace

std::string DescribeMachine()
{
    std::ostringstream text;
    const std::string processor = ProcessorName();
    if (!processor.empty())
        text << processor << ", ";
    const unsigned cores = std::thread::hardware_concurrency();
    if (cores != 0)
        text << cores << (cores == 1 ? " core" : " cores");
    const std::string load = LoadAverage();
    if (!load.empty())
        text << ", " << load;
    return text.str();
}

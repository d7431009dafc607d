#include "tools/solver_lab/lab_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char* const labUsage =
    "usage: solver-lab [--level beginner|intermediate|expert | --size WxH --mines N]\n"
    "                  [--seeds FIRST-LAST | --seeds N] [--trace] [--hints] [--once] [--jobs N] [--csv FILE|-]";

namespace {
// A whole decimal number from `text` within [low, high]; nothing else may follow.
bool ReadNumber(const std::string& text, uint64_t low, uint64_t high, uint64_t& value)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0 && value >= low && value <= high;
}

bool ReadLevel(const std::string& name, LabOptions& options)
{
    if (name == "beginner") {
        options.width = 9, options.height = 9, options.mines = 10;
    } else if (name == "intermediate") {
        options.width = 16, options.height = 16, options.mines = 40;
    } else if (name == "expert") {
        options.width = 30, options.height = 16, options.mines = 99;
    } else {
        return false;
    }
    return true;
}

bool ReadSize(const std::string& text, LabOptions& options)
{
    const size_t cross = text.find('x');
    if (cross == std::string::npos)
        return false;
    uint64_t width = 0, height = 0;
    if (!ReadNumber(text.substr(0, cross), 1, 49, width) || !ReadNumber(text.substr(cross + 1), 1, 49, height))
        return false;
    options.width = static_cast<int32_t>(width);
    options.height = static_cast<int32_t>(height);
    return true;
}

bool ReadSeeds(const std::string& text, LabOptions& options)
{
    const uint64_t largest = UINT32_MAX;
    const size_t dash = text.find('-');
    uint64_t first = 1, last = 0;
    if (dash == std::string::npos) {
        if (!ReadNumber(text, 1, largest, last))
            return false;
    } else if (!ReadNumber(text.substr(0, dash), 0, largest, first) ||
               !ReadNumber(text.substr(dash + 1), 0, largest, last) || first > last) {
        return false;
    }
    options.firstSeed = static_cast<uint32_t>(first);
    options.lastSeed = static_cast<uint32_t>(last);
    return true;
}
}  // namespace

bool ParseLabOptions(int argc, char** argv, LabOptions& options, std::string& error, bool& wantsHelp)
{
    wantsHelp = false;
    bool sawLevel = false, sawSize = false, sawMines = false;
    std::string minesText;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool takesValue = argument == "--level" || argument == "--size" || argument == "--mines" ||
                                argument == "--seeds" || argument == "--jobs" || argument == "--csv";
        if (takesValue && i + 1 >= argc) {
            error = argument + " needs a value";
            return false;
        }
        if (argument == "--help" || argument == "-h") {
            wantsHelp = true;
            return false;
        } else if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--hints") {
            options.hints = true;
        } else if (argument == "--once") {
            options.once = true;
        } else if (argument == "--level") {
            const std::string name = argv[++i];
            if (!ReadLevel(name, options)) {
                error = "unknown level '" + name + "' (beginner, intermediate or expert)";
                return false;
            }
            sawLevel = true;
        } else if (argument == "--size") {
            const std::string size = argv[++i];
            if (!ReadSize(size, options)) {
                error = "bad size '" + size + "': WxH with each side from 1 to 49";
                return false;
            }
            sawSize = true;
        } else if (argument == "--mines") {
            minesText = argv[++i];
            sawMines = true;
        } else if (argument == "--jobs") {
            const std::string jobs = argv[++i];
            uint64_t count = 0;
            if (!ReadNumber(jobs, 1, maxJobs, count)) {
                error = "bad job count '" + jobs + "': from 1 to " + std::to_string(maxJobs);
                return false;
            }
            options.jobs = static_cast<int32_t>(count);
        } else if (argument == "--csv") {
            options.csv = argv[++i];
            if (options.csv.empty()) {
                error = "--csv needs a file name, or - for standard output";
                return false;
            }
        } else if (argument == "--seeds") {
            const std::string seeds = argv[++i];
            if (!ReadSeeds(seeds, options)) {
                error = "bad seed range '" + seeds + "': FIRST-LAST (FIRST <= LAST) or a count N of at least 1";
                return false;
            }
        } else {
            error = "unknown argument '" + argument + "'";
            return false;
        }
    }
    if (options.trace && options.csv == "-") {
        error = "--trace and --csv - would both write to standard output";
        return false;
    }
    if (sawLevel && (sawSize || sawMines)) {
        error = "--level cannot be combined with --size or --mines";
        return false;
    }
    if (sawSize != sawMines) {
        error = "--size and --mines go together";
        return false;
    }
    if (sawMines) {
        const uint64_t squares = static_cast<uint64_t>(options.width) * static_cast<uint64_t>(options.height);
        uint64_t mines = 0;
        if (!ReadNumber(minesText, 1, squares, mines)) {
            error = "bad mine count '" + minesText + "': from 1 to " + std::to_string(squares) + " for this size";
            return false;
        }
        options.mines = static_cast<int32_t>(mines);
    }
    return true;
}

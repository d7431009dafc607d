#include "tools/solver_lab/lab_wire.h"

#include <cstring>

namespace {
template <typename Value>
void Put(std::string& bytes, const Value& value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename Value>
bool Take(const std::string& bytes, size_t& offset, Value& value)
{
    if (bytes.size() - offset < sizeof value)
        return false;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    offset += sizeof value;
    return true;
}

void PutTimes(std::string& bytes, const std::vector<double>& times)
{
    Put(bytes, static_cast<uint64_t>(times.size()));
    bytes.append(reinterpret_cast<const char*>(times.data()), times.size() * sizeof(double));
}

bool TakeTimes(const std::string& bytes, size_t& offset, std::vector<double>& times)
{
    uint64_t count = 0;
    if (!Take(bytes, offset, count) || (bytes.size() - offset) / sizeof(double) < count)
        return false;
    times.resize(count);
    std::memcpy(times.data(), bytes.data() + offset, count * sizeof(double));
    offset += count * sizeof(double);
    return true;
}
}  // namespace

void WriteGame(std::string& bytes, const GameResult& game)
{
    Put(bytes, game.seed);
    Put(bytes, static_cast<int32_t>(game.end));
    Put(bytes, game.steps);
    Put(bytes, game.gameMilliseconds);
    Put(bytes, game.digest);
    PutTimes(bytes, game.stepMilliseconds);
    PutTimes(bytes, game.hintMilliseconds);
    Put(bytes, game.stepMaxAgain);
    Put(bytes, game.hintMaxAgain);
    Put(bytes, game.stepsAgain);
    Put(bytes, game.hintsAgain);
    Put(bytes, static_cast<uint64_t>(game.trace.size()));
    bytes += game.trace;
}

bool ReadGame(const std::string& bytes, size_t& offset, GameResult& game)
{
    int32_t end = 0;
    uint64_t traceSize = 0;
    if (!Take(bytes, offset, game.seed) || !Take(bytes, offset, end) || !Take(bytes, offset, game.steps) ||
        !Take(bytes, offset, game.gameMilliseconds) || !Take(bytes, offset, game.digest) ||
        !TakeTimes(bytes, offset, game.stepMilliseconds) || !TakeTimes(bytes, offset, game.hintMilliseconds) ||
        !Take(bytes, offset, game.stepMaxAgain) || !Take(bytes, offset, game.hintMaxAgain) ||
        !Take(bytes, offset, game.stepsAgain) || !Take(bytes, offset, game.hintsAgain) ||
        !Take(bytes, offset, traceSize) || bytes.size() - offset < traceSize)
        return false;
    if (end != GameWon && end != GameLost && end != GameStopped)
        return false;
    game.end = static_cast<GameEnd>(end);
    game.trace.assign(bytes, offset, traceSize);
    offset += traceSize;
    return true;
}

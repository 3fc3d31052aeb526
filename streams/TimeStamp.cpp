#include "streams/TimeStamp.h"

#include <chrono>

std::uint64_t* QueryTimeStamp(std::uint64_t* stamp)
{
    using namespace std::chrono;
    if (stamp != nullptr)
        *stamp = static_cast<std::uint64_t>(
            duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
    return stamp;
}

std::uint64_t ElapsedMilliseconds(std::uint64_t start, std::uint64_t end)
{
    // Ticks are nanoseconds; dividing directly cannot overflow.
    return end > start ? (end - start) / 1'000'000u : 0;
}

#pragma once
// High-resolution time stamps for the protocol's and the transports' time limits.

#include <cstdint>

/// Stores the monotonic clock's current tick in *stamp and returns stamp.
std::uint64_t* QueryTimeStamp(std::uint64_t* stamp);
/// Milliseconds from start to end (0 when end is not later).
std::uint64_t ElapsedMilliseconds(std::uint64_t start, std::uint64_t end);

#pragma once
// The exports' progress positions: the k-th of n steps on a stretch of the
// bar (0 to 1000).

#include <algorithm>

class CExportProgress
{
public:
    static constexpr int kFull = 1000;

    /// trunc(k / n x scale) + offset, always on the bar. With nothing to
    /// export (n of 0 or less) the bar stays at 0.
    static constexpr int Position(long long k, long long n, int scale, int offset = 0)
    {
        if (n <= 0)
            return 0;
        const long long position = k * scale / n + offset;
        return static_cast<int>(std::clamp<long long>(position, 0, kFull));
    }
};

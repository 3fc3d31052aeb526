#include "grid/GridGradient.h"

#include <algorithm>
#include <cmath>

namespace
{

/// a * wa + b * wb + c * wc, channel by channel, rounded.
TGridColor Mix(TGridColor a, double wa, TGridColor b, double wb, TGridColor c, double wc)
{
    auto channel = [&](unsigned (*get)(TGridColor))
    {
        const double value = get(a) * wa + get(b) * wb + get(c) * wc;
        return static_cast<unsigned>(std::clamp(std::lround(value), 0L, 255L));
    };
    return GridRgb(channel(GridRed), channel(GridGreen), channel(GridBlue));
}

} // namespace

TGridColor CGridGradient::Corner4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight,
                                  TGridColor bottomLeft, TGridColor bottomRight, int x, int y)
{
    const int spanX = rect.Width() - 1;
    const int spanY = rect.Height() - 1;
    const double s = spanX > 0 ? static_cast<double>(x - rect.left) / spanX : 0.0;
    const double t = spanY > 0 ? static_cast<double>(y - rect.top) / spanY : 0.0;
    // Above the diagonal from top-left to bottom-right, the first triangle.
    if (s >= t)
        return Mix(topLeft, 1.0 - s, topRight, s - t, bottomRight, t);
    return Mix(topLeft, 1.0 - t, bottomLeft, t - s, bottomRight, s);
}

TGridColor CGridGradient::Linear(TGridColor from, TGridColor to, int i, int count)
{
    const double t = count > 0 ? (i + 0.5) / count : 0.0;
    return Mix(from, 1.0 - t, to, t, 0, 0.0);
}

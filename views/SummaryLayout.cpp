#include "views/SummaryLayout.h"

#include <algorithm>

#include "views/SummaryMeasure.h"

int SSummaryLayout::ContentWidth(int clientWidth)
{
    return std::max(clientWidth - kWindowRoom, kMinWidth);
}

SSummaryLayout SSummaryLayout::Compute(int clientWidth, int series, int remembered, CSummaryMeasure& m)
{
    SSummaryLayout l;
    const int w = ContentWidth(clientWidth);
    l.contentWidth = w;
    SGridPoint* at = l.at;
    SGridSize* size = l.size;

    size[Title] = m.Title();
    at[Title] = {kTitleAt, kTitleAt};
    const int y0 = kTitleAt + static_cast<int>(1.4 * size[Title].cy);

    size[Statistics] = m.Statistics();
    int height = kColumnHeight;
    size[Values] = m.Values(height);
    if (size[Values].cx + size[Statistics].cx > w)
    {
        height = remembered > 0 ? remembered : kColumnPerSeries * std::max(series, 1);
        size[Values] = m.Values(height);
        // Taller columns make the values narrower, until they stand in one:
        // then nothing more can be won, and the search ends.
        const int oneColumn = m.ValuesOneColumnHeight();
        while (size[Values].cx + size[Statistics].cx > w && height < oneColumn)
        {
            height += kColumnStep;
            size[Values] = m.Values(height);
        }
    }
    l.columnHeight = height;

    at[Diagram] = {kMargin, y0};
    size[Diagram] = m.Diagram(w, kDiagramHeight);
    const int y1 = y0 + size[Diagram].cy;
    const SGridSize& v = size[Values];
    at[Values] = {kMargin, y1};
    at[Statistics] = {v.cx + kMargin, y1};
    at[Comment] = {v.cx + kMargin, y1 + size[Statistics].cy};
    l.commentWidth = w - v.cx;
    size[Comment] = m.Comment(l.commentWidth);

    const int below = std::max(v.cy, size[Statistics].cy + size[Comment].cy);
    l.extent.cx = static_cast<int>(std::max(kMinWidth, size[Diagram].cx) * 1.1);
    l.extent.cy = static_cast<int>((below + kDiagramHeight) * 1.1);
    // The page is never cut short of its lowest block, however small its title makes the room.
    l.extent.cy = std::max(l.extent.cy, y1 + below + kMargin);
    return l;
}

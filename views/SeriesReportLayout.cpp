#include "views/SeriesReportLayout.h"

#include <algorithm>

#include "views/SeriesReportMeasure.h"

SSeriesReportLayout SSeriesReportLayout::Compute(int readings, int width, CSeriesReportMeasure& m)
{
    SSeriesReportLayout l;
    const int w = std::max(width, kMinWidth);
    const int h = kDiagramHeight;
    SGridPoint* at = l.at;
    SGridSize* size = l.size;
    if (readings <= 25)
    {
        size[Statistics] = m.Statistics();
        size[Readings] = m.Readings(h);
        l.diagramWidth = w - size[Readings].cx - size[Statistics].cx;
        size[Diagram] = m.Diagram(l.diagramWidth, h);
        const SGridSize& d = size[Diagram];
        at[Readings] = {d.cx, 0};
        at[Statistics] = {d.cx + size[Readings].cx, 0};
        size[Settings] = m.Settings();
        at[Settings] = {d.cx + size[Readings].cx, size[Statistics].cy};
        l.commentWidth = w - d.cx - size[Readings].cx;
        size[Comment] = m.Comment(l.commentWidth);
        at[Comment] = {d.cx + size[Readings].cx, size[Statistics].cy + size[Settings].cy};
        l.total = std::max(h, size[Statistics].cy + size[Settings].cy + size[Comment].cy);
    }
    else if (readings <= 50)
    {
        size[Readings] = m.Readings(h);
        l.diagramWidth = w - size[Readings].cx;
        size[Diagram] = m.Diagram(l.diagramWidth, h);
        at[Readings] = {size[Diagram].cx, 0};
        const int below = size[Readings].cy;
        size[Statistics] = m.Statistics();
        at[Statistics] = {0, below};
        size[Settings] = m.Settings();
        at[Settings] = {size[Statistics].cx, below};
        l.commentWidth = w - size[Statistics].cx - size[Settings].cx;
        size[Comment] = m.Comment(l.commentWidth);
        at[Comment] = {size[Statistics].cx + size[Settings].cx, below};
        l.total = std::max({size[Readings].cy, size[Statistics].cy, size[Settings].cy}) + h;
    }
    else
    {
        int rh = 210;
        size[Statistics] = m.Statistics();
        size[Settings] = m.Settings();
        size[Readings] = m.Readings(rh);
        const SGridSize& s = size[Statistics];
        const SGridSize& t = size[Settings];
        if (size[Readings].cx + t.cx + s.cx > w)
        {
            l.stacked = true;
            rh = s.cy + t.cy;
            size[Readings] = m.Readings(rh);
        }
        // Taller columns make the readings narrower, until they stand in one.
        const int oneColumn = m.ReadingsOneColumnHeight();
        while (size[Readings].cx + s.cx > w && rh < oneColumn)
        {
            rh += 20;
            size[Readings] = m.Readings(rh);
        }
        l.diagramWidth = w;
        size[Diagram] = m.Diagram(w, h);
        const int dy = size[Diagram].cy;
        const int rx = size[Readings].cx;
        at[Readings] = {0, dy};
        at[Statistics] = {rx, dy};
        l.commentWidth = w - rx;
        size[Comment] = m.Comment(l.commentWidth);
        if (l.stacked)
        {
            at[Settings] = {rx, dy + s.cy};
            at[Comment] = {rx, dy + s.cy + t.cy};
            l.total = std::max(dy + s.cy + t.cy, size[Readings].cy) + h;
        }
        else
        {
            at[Settings] = {rx + s.cx, dy};
            at[Comment] = {rx, dy + std::max(s.cy, t.cy)};
            l.total = std::max({dy + s.cy, dy + t.cy, size[Readings].cy}) + h;
        }
        l.readingsHeight = rh;
    }
    // The report is never cut short of a block, however long its comment.
    for (int b = 0; b < BlockCount; ++b)
        l.total = std::max(l.total, at[b].y + size[b].cy);
    return l;
}

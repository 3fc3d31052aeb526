#include "views/SeriesReportLayout.h"

#include <algorithm>

#include "views/SeriesReportMeasure.h"

namespace
{

using L = SSeriesReportLayout;

/// Everything side by side: the diagram, the readings, and statistics,
/// settings and comment in one column as wide as the widest of them. False
/// when the diagram cannot be as narrow as that leaves it.
bool SideBySide(L& l, int w, CSeriesReportMeasure& m)
{
    const int h = L::kDiagramHeight;
    SGridPoint* at = l.at;
    SGridSize* size = l.size;
    size[L::Statistics] = m.Statistics();
    size[L::Settings] = m.Settings();
    size[L::Readings] = m.Readings(h);
    const int column = std::max(size[L::Statistics].cx, size[L::Settings].cx);
    l.diagramWidth = w - size[L::Readings].cx - column;
    if (l.diagramWidth <= 0)
        return false;
    size[L::Diagram] = m.Diagram(l.diagramWidth, h);
    const SGridSize& d = size[L::Diagram];
    if (d.cx > l.diagramWidth)
        return false;
    const int x = d.cx + size[L::Readings].cx;
    at[L::Readings] = {d.cx, 0};
    at[L::Statistics] = {x, 0};
    at[L::Settings] = {x, size[L::Statistics].cy};
    l.commentWidth = w - x;
    size[L::Comment] = m.Comment(l.commentWidth);
    at[L::Comment] = {x, size[L::Statistics].cy + size[L::Settings].cy};
    l.total = std::max(h, size[L::Statistics].cy + size[L::Settings].cy + size[L::Comment].cy);
    return true;
}

/// Statistics, settings and comment side by side from `y` on, the settings
/// under the statistics and the comment under both where they do not fit;
/// returns their bottom.
int BlocksBelow(L& l, int x, int y, int w, CSeriesReportMeasure& m)
{
    SGridPoint* at = l.at;
    SGridSize* size = l.size;
    const SGridSize s = size[L::Statistics];
    const SGridSize t = size[L::Settings];
    at[L::Statistics] = {x, y};
    if (s.cx + t.cx + L::kMinCommentWidth <= w)
    {
        at[L::Settings] = {x + s.cx, y};
        l.commentWidth = w - s.cx - t.cx;
        at[L::Comment] = {x + s.cx + t.cx, y};
        size[L::Comment] = m.Comment(l.commentWidth);
        return y + std::max({s.cy, t.cy, size[L::Comment].cy});
    }
    l.stacked = true;
    at[L::Settings] = {x, y + s.cy};
    const int column = std::max(s.cx, t.cx);
    if (column + L::kMinCommentWidth <= w)
    {
        l.commentWidth = w - column;
        at[L::Comment] = {x + column, y};
        size[L::Comment] = m.Comment(l.commentWidth);
        return y + std::max(s.cy + t.cy, size[L::Comment].cy);
    }
    l.commentWidth = w;
    at[L::Comment] = {x, y + s.cy + t.cy};
    size[L::Comment] = m.Comment(l.commentWidth);
    return y + s.cy + t.cy + size[L::Comment].cy;
}

/// The diagram beside the readings, the other blocks beneath. False when
/// the diagram cannot be as narrow as the readings leave it.
bool BesideReadings(L& l, int w, CSeriesReportMeasure& m)
{
    const int h = L::kDiagramHeight;
    SGridSize* size = l.size;
    size[L::Readings] = m.Readings(h);
    l.diagramWidth = w - size[L::Readings].cx;
    if (l.diagramWidth <= 0)
        return false;
    size[L::Diagram] = m.Diagram(l.diagramWidth, h);
    if (size[L::Diagram].cx > l.diagramWidth)
        return false;
    l.at[L::Readings] = {size[L::Diagram].cx, 0};
    // Beneath the diagram too: few readings leave the readings short of it.
    const int below = std::max(size[L::Readings].cy, size[L::Diagram].cy);
    size[L::Statistics] = m.Statistics();
    size[L::Settings] = m.Settings();
    const int bottom = BlocksBelow(l, 0, below, w, m);
    l.total = std::max({size[L::Readings].cy, size[L::Statistics].cy, size[L::Settings].cy}) + h;
    l.total = std::max(l.total, bottom);
    return true;
}

/// The diagram across the width, the readings under it and the other
/// blocks beside them, the settings under the statistics where they do not
/// fit side by side.
void UnderDiagram(L& l, int w, CSeriesReportMeasure& m)
{
    const int h = L::kDiagramHeight;
    SGridPoint* at = l.at;
    SGridSize* size = l.size;
    int rh = 210;
    size[L::Statistics] = m.Statistics();
    size[L::Settings] = m.Settings();
    size[L::Readings] = m.Readings(rh);
    const SGridSize& s = size[L::Statistics];
    const SGridSize& t = size[L::Settings];
    if (size[L::Readings].cx + t.cx + s.cx > w)
    {
        l.stacked = true;
        rh = s.cy + t.cy;
        size[L::Readings] = m.Readings(rh);
    }
    // Taller columns make the readings narrower, until they stand in one.
    const int beside = l.stacked ? std::max(s.cx, t.cx) : s.cx + t.cx;
    const int oneColumn = m.ReadingsOneColumnHeight();
    while (size[L::Readings].cx + beside > w && rh < oneColumn)
    {
        rh += 20;
        size[L::Readings] = m.Readings(rh);
    }
    l.readingsHeight = rh;
    l.diagramWidth = w;
    size[L::Diagram] = m.Diagram(w, h);
    const int dy = size[L::Diagram].cy;
    const int rx = size[L::Readings].cx;
    at[L::Readings] = {0, dy};
    if (rx + beside > w)
    {
        // Not even one column of readings leaves them room: they go beneath.
        const int bottom = BlocksBelow(l, 0, dy + size[L::Readings].cy, w, m);
        l.total = std::max(bottom, dy + size[L::Readings].cy);
        return;
    }
    at[L::Statistics] = {rx, dy};
    l.commentWidth = w - rx;
    size[L::Comment] = m.Comment(l.commentWidth);
    if (l.stacked)
    {
        at[L::Settings] = {rx, dy + s.cy};
        at[L::Comment] = {rx, dy + s.cy + t.cy};
        l.total = std::max(dy + s.cy + t.cy, size[L::Readings].cy) + h;
    }
    else
    {
        at[L::Settings] = {rx + s.cx, dy};
        at[L::Comment] = {rx, dy + std::max(s.cy, t.cy)};
        l.total = std::max({dy + s.cy, dy + t.cy, size[L::Readings].cy}) + h;
    }
}

} // namespace

SSeriesReportLayout SSeriesReportLayout::Compute(int readings, int width, CSeriesReportMeasure& m,
                                                 int minWidth)
{
    const int w = std::max(width, minWidth);
    // Each arrangement gives way to the next when its blocks do not fit the width.
    SSeriesReportLayout l;
    bool placed = readings <= 25 && SideBySide(l, w, m);
    if (!placed && readings <= 50)
    {
        l = SSeriesReportLayout();
        placed = BesideReadings(l, w, m);
    }
    if (!placed)
    {
        l = SSeriesReportLayout();
        UnderDiagram(l, w, m);
    }
    // The report is never cut short of a block, however long its comment.
    for (int b = 0; b < BlockCount; ++b)
        l.total = std::max(l.total, l.at[b].y + l.size[b].cy);
    return l;
}

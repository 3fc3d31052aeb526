#include "drawing/SensitiveArea.h"

#include "grid/GridSurface.h"

void CSensitiveArea::Add(const SGridRect& rect, int priority, int firstId, int secondId,
                         const std::wstring* text, bool enabled)
{
    if (!enabled)
        return;
    SArea area{rect, priority, firstId, secondId, std::nullopt};
    if (text)
        area.text = *text;
    m_areas.push_back(std::move(area));
}

SGridRect CSensitiveArea::AddText(CGridSurface& dc, int x, int y, const std::wstring& text, int priority,
                                  int firstId, int secondId, const std::wstring* areaText, bool enabled)
{
    const SGridSize size = dc.GetTextExtent(text);
    const SGridRect rect{x, y, x + size.cx, y + size.cy};
    Add(rect, priority, firstId, secondId, areaText, enabled);
    return rect;
}

bool CSensitiveArea::HitTest(SGridPoint point, int* firstId, int* secondId, std::wstring* text,
                             SGridRect* rect) const
{
    const SArea* best = nullptr;
    int bestPriority = -1;
    for (const SArea& area : m_areas)
    {
        const SGridRect& r = area.rect;
        const bool inside =
            point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom;
        if (inside && area.priority > bestPriority)
        {
            best = &area;
            bestPriority = area.priority;
        }
    }
    if (!best)
        return false;
    if (firstId)
        *firstId = best->firstId;
    if (secondId)
        *secondId = best->secondId;
    if (text)
    {
        text->clear();
        if (best->text)
            *text = *best->text;
    }
    if (rect)
        *rect = best->rect;
    return true;
}

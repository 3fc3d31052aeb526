#pragma once
#include <optional>
#include <string>
#include <vector>

#include "grid/GridTypes.h"

class CGridSurface;

/// Clickable regions that a drawing routine lists while it paints and a mouse
/// handler asks afterwards: which link, bar or tile lies under the pointer.
/// Rectangles are in the coordinates the drawing used; all four edges belong
/// to an area.
class CSensitiveArea
{
public:
    /// Appends an area unless `enabled` is false. Areas of negative priority
    /// are kept but never found.
    void Add(const SGridRect& rect, int priority, int firstId, int secondId,
             const std::wstring* text = nullptr, bool enabled = true);
    /// Measures `text` in the surface's current font, adds the area it covers
    /// drawn at (x, y) and returns that rectangle, stored or not.
    SGridRect AddText(CGridSurface& dc, int x, int y, const std::wstring& text, int priority, int firstId,
                      int secondId, const std::wstring* areaText = nullptr, bool enabled = true);
    /// The area of highest priority that contains `point` (the first added
    /// among equals). False, touching no output, when there is none.
    bool HitTest(SGridPoint point, int* firstId = nullptr, int* secondId = nullptr,
                 std::wstring* text = nullptr, SGridRect* rect = nullptr) const;
    void RemoveAll() { m_areas.clear(); }
    int GetCount() const { return static_cast<int>(m_areas.size()); }

private:
    struct SArea
    {
        SGridRect rect;
        int priority = 0;
        int firstId = 0;
        int secondId = 0;
        std::optional<std::wstring> text;
    };
    std::vector<SArea> m_areas;
};

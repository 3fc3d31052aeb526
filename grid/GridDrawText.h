#pragma once
#include <string_view>

#include "grid/GridSurface.h"
#include "grid/GridTypes.h"

/// Text laid out in a rectangle by DrawText's format bits (DT_LEFT, DT_CENTER,
/// DT_RIGHT, DT_VCENTER, DT_BOTTOM, DT_SINGLELINE, DT_WORDBREAK,
/// DT_END_ELLIPSIS) on any surface, in its current font and colour. It does
/// not clip: callers that need it set the surface's clip.
class CGridDrawText
{
public:
    /// `rect` has its right and bottom outside.
    static void Draw(CGridSurface& dc, std::wstring_view text, const SGridRect& rect, unsigned format);
};

#pragma once
#include "grid/GridFont.h"
#include "views/TextMeasure.h"

class CGridSurface;

/// Measures text in one font on a grid surface; the surface's own font and
/// state are left as they were.
class CSurfaceTextMeasure final : public CTextMeasure
{
public:
    /// `surface` must outlive the measurer.
    CSurfaceTextMeasure(CGridSurface& surface, const SGridFont& font);
    ~CSurfaceTextMeasure() override;
    CSurfaceTextMeasure(const CSurfaceTextMeasure&) = delete;
    CSurfaceTextMeasure& operator=(const CSurfaceTextMeasure&) = delete;

    int TextWidth(std::wstring_view text) override;
    int AverageCharWidth() override;

private:
    CGridSurface& m_surface;
};

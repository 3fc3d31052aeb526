#include "views/SurfaceTextMeasure.h"

#include "grid/GridSurface.h"

CSurfaceTextMeasure::CSurfaceTextMeasure(CGridSurface& surface, const SGridFont& font) : m_surface(surface)
{
    m_surface.SaveState();
    m_surface.SetFont(font);
}

CSurfaceTextMeasure::~CSurfaceTextMeasure()
{
    m_surface.RestoreState();
}

int CSurfaceTextMeasure::TextWidth(std::wstring_view text)
{
    return m_surface.GetTextExtent(text).cx;
}

int CSurfaceTextMeasure::AverageCharWidth()
{
    return m_surface.GetFontMetrics().aveCharWidth;
}

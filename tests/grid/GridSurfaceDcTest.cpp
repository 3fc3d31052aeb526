// The surface table on the wx surface over a memory DC: the same cases the
// recording surface passes headless.
#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "grid/GridDcSurface.h"
#include "tests/grid/GridSurfaceCases.h"

namespace
{

class CDcUnderTest : public CSurfaceUnderTest
{
public:
    CDcUnderTest() : m_bitmap(200, 200, 24), m_dc(m_bitmap)
    {
        m_dc.SetBackground(*wxWHITE_BRUSH);
        m_dc.Clear();
        m_surface = std::make_unique<CGridDcSurface>(m_dc, SGridRect{0, 0, 200, 200});
    }
    CGridSurface& Surface() override { return *m_surface; }
    void Finish() override
    {
        m_surface.reset();
        m_dc.SelectObject(wxNullBitmap);
        m_image = m_bitmap.ConvertToImage();
    }
    TGridColor Pixel(int x, int y) override
    {
        return GridRgb(m_image.GetRed(x, y), m_image.GetGreen(x, y), m_image.GetBlue(x, y));
    }

private:
    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
    std::unique_ptr<CGridDcSurface> m_surface;
    wxImage m_image;
};

class SurfaceTable : public ::testing::TestWithParam<SSurfaceCase>
{
};

TEST_P(SurfaceTable, OnAMemoryDc)
{
    CDcUnderTest target;
    RunSurfaceCase(GetParam(), target);
}

INSTANTIATE_TEST_SUITE_P(WxDc, SurfaceTable, ::testing::ValuesIn(SurfaceCases()),
                         [](const ::testing::TestParamInfo<SSurfaceCase>& info)
                         { return SurfaceCaseName(info.param); });

} // namespace

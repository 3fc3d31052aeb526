// The surface table on the wx surface over a memory DC: the same cases the
// recording surface passes headless.
#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "grid/GridCtrl.h"
#include "grid/GridDcPrintSurface.h"
#include "grid/GridDcSurface.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/grid/GridPrimitivesCell.h"
#include "tests/grid/GridSurfaceCases.h"

namespace
{

class CDcUnderTest : public CSurfaceUnderTest
{
public:
    /// With `printing` a printed page's surface over the memory DC.
    explicit CDcUnderTest(bool printing = false) : m_bitmap(200, 200, 24), m_dc(m_bitmap)
    {
        m_dc.SetBackground(*wxWHITE_BRUSH);
        m_dc.Clear();
        if (printing)
            m_surface = std::make_unique<CGridDcPrintSurface>(m_dc, SGridSize{200, 200});
        else
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
    std::unique_ptr<CGridSurface> m_surface;
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

TEST_P(SurfaceTable, OnAPrintedPage)
{
    CDcUnderTest target(true);
    RunSurfaceCase(GetParam(), target);
}

INSTANTIATE_TEST_SUITE_P(WxDc, SurfaceTable, ::testing::ValuesIn(SurfaceCases()),
                         [](const ::testing::TestParamInfo<SSurfaceCase>& info)
                         { return SurfaceCaseName(info.param); });

TGridColor PixelOf(const wxImage& image, int x, int y)
{
    return GridRgb(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

TEST(GridSurfaceWindow, ACellWithEveryPrimitiveStaysInItsClipAndIsSavedAsAScreenshot)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "primitives", wxDefaultPosition, wxDefaultSize);
    frame->SetClientSize(700, 160);
    auto* grid = new CGridCtrl(frame, 101, wxDefaultPosition, frame->GetClientSize());
    frame->Show();
    CPrimitivesCell::PlaceIn(*grid);
    Pump();
    grid->OnVScroll(SB_THUMBPOSITION, 32); // the report's top 10 pixels lie under the heading
    Pump();
    SGridRect cell;
    ASSERT_TRUE(grid->GetCellRect(2, 1, &cell));
    ASSERT_EQ(cell.top, 20 - 10);

    const wxSize client = grid->GetClientSize();
    wxBitmap shot(client.GetWidth(), client.GetHeight(), 24);
    {
        wxMemoryDC dc(shot);
        grid->RenderClient(dc);
    }
    const wxImage image = shot.ConvertToImage();
    ASSERT_TRUE(image.SaveFile(TERRION_GRID_ARTEFACTS "/grid_primitives_cell.png", wxBITMAP_TYPE_PNG));
    const SGridPoint g = CPrimitivesCell::kGradientCorner;
    EXPECT_EQ(PixelOf(image, cell.left + g.x, cell.top + g.y), GridRgb(255, 0, 0));
    int escaped = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            escaped += PixelOf(image, x, y) == CPrimitivesCell::kEscape ? 1 : 0;
    EXPECT_EQ(escaped, 0);
    EXPECT_EQ(PixelOf(image, cell.left + 100, 4), grid->GetDefaultCell(true, false)->GetBackColor());

    // The whole grid, the report in full.
    wxBitmap whole;
    ASSERT_TRUE(grid->DrawToBitmap(&whole));
    ASSERT_TRUE(whole.ConvertToImage().SaveFile(TERRION_GRID_ARTEFACTS "/grid_primitives_whole.png",
                                                wxBITMAP_TYPE_PNG));
    frame->Destroy();
    Pump();
}

} // namespace

// The surface table on the recording surface, headless. The same table runs
// on the wx surface in the window tests, so the two cannot drift apart.
#include <gtest/gtest.h>

#include "tests/grid/GridSurfaceCases.h"
#include "tests/support/RecordingGridSurface.h"

namespace
{

class CRecordingUnderTest : public CSurfaceUnderTest
{
public:
    explicit CRecordingUnderTest(bool printing = false) : m_dc(SGridRect{0, 0, 200, 200}, printing)
    {
        m_dc.KeepPixels(GridRgb(255, 255, 255));
    }
    CGridSurface& Surface() override { return m_dc; }
    void Finish() override { EXPECT_EQ(m_dc.saveDepth(), 0); }
    TGridColor Pixel(int x, int y) override { return m_dc.Pixel(x, y); }

private:
    CRecordingGridSurface m_dc;
};

class SurfaceTable : public ::testing::TestWithParam<SSurfaceCase>
{
};

TEST_P(SurfaceTable, OnTheRecordingSurface)
{
    CRecordingUnderTest target;
    RunSurfaceCase(GetParam(), target);
}

TEST_P(SurfaceTable, OnTheRecordingSurfaceForPrinting)
{
    CRecordingUnderTest target(true);
    RunSurfaceCase(GetParam(), target);
}

INSTANTIATE_TEST_SUITE_P(Recording, SurfaceTable, ::testing::ValuesIn(SurfaceCases()),
                         [](const ::testing::TestParamInfo<SSurfaceCase>& info)
                         { return SurfaceCaseName(info.param); });

} // namespace

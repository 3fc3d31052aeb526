// Painting and page-by-page scrolling of a series-shaped grid: 20,000 rows
// (10,000 series, detail rows collapsed) against 200, in one run. Only the
// visible rows may cost anything, so the two should paint alike.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/SeriesPageShape.h"
#include "grid/GridCore.h"
#include "tests/grid/FakeGridHost.h"

namespace
{

/// A surface that draws nothing and measures a fixed-pitch font.
class CNullSurface : public CGridSurface
{
public:
    bool IsPrinting() const override { return false; }
    void SaveState() override {}
    void RestoreState() override {}
    SGridRect GetClipBox() const override { return {0, 0, 640, 400}; }
    void SetClip(const SGridRect&) override {}
    void IntersectClip(const SGridRect&) override {}
    void ResetClip() override {}
    SGridPoint GetOrigin() const override { return {}; }
    void SetOrigin(SGridPoint) override {}
    int GetPenWidth() const override { return 1; }
    void SetPenWidth(int) override {}
    void FillSolidRect(const SGridRect&, TGridColor) override { ++operations; }
    void FrameRect(const SGridRect&, TGridColor) override { ++operations; }
    void Rectangle(const SGridRect&, TGridColor, TGridColor) override { ++operations; }
    void Line(SGridPoint, SGridPoint, TGridColor) override { ++operations; }
    void Polygon(const SGridPoint*, std::size_t, TGridColor, TGridColor) override { ++operations; }
    void GradientFill(const SGridRect&, TGridColor, TGridColor, bool) override { ++operations; }
    void GradientFill4(const SGridRect&, TGridColor, TGridColor, TGridColor, TGridColor) override
    {
        ++operations;
    }
    void DrawImage(const CGridImageList&, int, int, int, bool) override { ++operations; }
    void SetFont(const SGridFont&) override {}
    SGridFont GetFont() const override { return {}; }
    SGridFontMetrics GetFontMetrics() override { return {13, 10, 3, 7}; }
    void SetTextColor(TGridColor) override {}
    void SetTextAlign(NGridTextAlign) override {}
    void SetTextVAlign(NGridTextVAlign) override {}
    void TextOut(int, int, std::wstring_view) override { ++operations; }
    SGridSize GetTextExtent(std::wstring_view text) override
    {
        return SGridSize{static_cast<int>(text.size()) * 7, 13};
    }
    long operations = 0;
};

struct SSeriesGrid
{
    explicit SSeriesGrid(int series) : host(640, 400)
    {
        grid.AttachHost(&host, 101);
        grid.OnCreate();
        FillLikeTheSeriesPage(grid, series);
    }
    CFakeGridHost host;
    CGridCore grid;
};

void BM_GridPaint(benchmark::State& state)
{
    SSeriesGrid fixture(static_cast<int>(state.range(0)));
    CNullSurface surface;
    fixture.grid.OnVScroll(SB_THUMBPOSITION, 1000);
    for (auto _ : state)
        fixture.grid.OnDraw(surface, false);
    state.counters["rows"] = static_cast<double>(fixture.grid.GetRowCount());
    state.counters["ops/paint"] =
        static_cast<double>(surface.operations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GridPaint)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_GridPageScroll(benchmark::State& state)
{
    SSeriesGrid fixture(static_cast<int>(state.range(0)));
    CNullSurface surface;
    for (auto _ : state)
    {
        const int before = fixture.grid.GetScrollPos32(SB_VERT);
        fixture.grid.OnVScroll(SB_PAGEDOWN);
        if (fixture.grid.GetScrollPos32(SB_VERT) == before)
            fixture.grid.OnVScroll(SB_TOP);
        fixture.grid.OnDraw(surface, false);
    }
    state.counters["rows"] = static_cast<double>(fixture.grid.GetRowCount());
}
BENCHMARK(BM_GridPageScroll)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

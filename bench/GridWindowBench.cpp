// The grid window's paint (double-buffered, text through Pango), page
// scrolling, 20,000 rows against 200, and filling it with 10,000 series
// with drawing on against off, on a display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <string>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "bench/SeriesPageShape.h"
#include "grid/GridCtrl.h"

namespace
{

struct SWindowGrid
{
    explicit SWindowGrid(int series)
    {
        frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(660, 420));
        grid = new CGridCtrl(frame, 101);
        frame->Show();
        grid->SetRedraw(false);
        FillLikeTheSeriesPage(*grid, series);
        grid->SetRedraw(true, true);
        wxYield();
        const wxSize client = grid->GetClientSize();
        bitmap = wxBitmap(client.GetWidth(), client.GetHeight(), 24);
    }
    ~SWindowGrid() { frame->Destroy(); }

    void Paint()
    {
        wxMemoryDC dc(bitmap);
        grid->RenderClient(dc);
    }

    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
    wxBitmap bitmap;
};

void BM_GridWindowPaint(benchmark::State& state)
{
    SWindowGrid fixture(static_cast<int>(state.range(0)));
    fixture.grid->OnVScroll(SB_THUMBPOSITION, 1000);
    for (auto _ : state)
        fixture.Paint();
    state.counters["rows"] = static_cast<double>(fixture.grid->GetRowCount());
}
BENCHMARK(BM_GridWindowPaint)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_GridWindowPageScroll(benchmark::State& state)
{
    SWindowGrid fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        const int before = fixture.grid->GetScrollPos32(SB_VERT);
        fixture.grid->OnVScroll(SB_PAGEDOWN);
        if (fixture.grid->GetScrollPos32(SB_VERT) == before)
            fixture.grid->OnVScroll(SB_TOP);
        fixture.Paint();
    }
    state.counters["rows"] = static_cast<double>(fixture.grid->GetRowCount());
}
BENCHMARK(BM_GridWindowPageScroll)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

/// Fills the window as the series page does: from nothing, two rows a series,
/// the detail row merged and folded to 0, then one paint. Argument 1 keeps
/// drawing on throughout (as the page fills), 0 switches it off meanwhile.
void BM_GridWindowFill(benchmark::State& state)
{
    constexpr int kSeries = 10000;
    const bool drawing = state.range(0) != 0;
    SWindowGrid fixture(1);
    CGridCtrl& grid = *fixture.grid;
    for (auto _ : state)
    {
        if (!drawing)
            grid.SetRedraw(false);
        grid.DeleteAllItems();
        FillLikeTheSeriesPage(grid, kSeries);
        if (!drawing)
            grid.SetRedraw(true, true);
        benchmark::DoNotOptimize(grid.GetScrollRange(wxVERTICAL)); // hands the bars over to GTK
        fixture.Paint();
    }
    state.counters["rows"] = static_cast<double>(grid.GetRowCount());
}
BENCHMARK(BM_GridWindowFill)->ArgName("drawing")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

// The series report cell's layout through Pango: measuring one report by its
// number of readings, expanding all reports of 200 series at once (as
// "Expand all" does) and the first paint after it. On a display: run under
// xvfb-run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "grid/GridDcSurface.h"
#include "tests/report/ReportDocument.h"
#include "views/GridCellSeries.h"

namespace
{

TerrionTest::SReportSeries Series(int readings)
{
    TerrionTest::SReportSeries s = TerrionTest::BaseSeries();
    s.object.readings.clear();
    for (int i = 0; i < readings; ++i)
        s.object.readings.push_back({10.0 + 0.7 * (i % 13), 0, static_cast<std::uint16_t>(100 + i)});
    s.comment = L"Core taken at the north end of the pier, after two dry days.";
    return s;
}

/// The series page's rows over a document of `series` series of 12, 30 and
/// 60 readings in turn, the reports 1000 pixels wide.
struct SReportGrid
{
    explicit SReportGrid(int series)
    {
        std::vector<TerrionTest::SReportSeries> all;
        for (int i = 0; i < series; ++i)
            all.push_back(Series(i % 3 == 0 ? 12 : i % 3 == 1 ? 30 : 60));
        TerrionTest::FillDocument(doc, all);
        frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1160, 760));
        grid = new CGridCtrl(frame, 101);
        frame->Show();
        grid->SetRedraw(false);
        grid->SetWholeRowScrolling(false);
        grid->SetFixedRowCount(1);
        grid->SetListMode(true);
        grid->SetColumnCount(6);
        grid->SetRowCount(2 * series + 1);
        grid->SetColumnWidth(0, 80);
        for (int c = 1; c < 6; ++c)
            grid->SetColumnWidth(c, 200);
        for (int i = 0; i < series; ++i)
        {
            const int d = 2 * i + 2;
            for (int c = 1; c < 6; ++c)
                grid->SetCellType<CGridCellSeries>(d, c);
            grid->MergeCells(d, 1, 5);
            grid->SetRowHeight(d, 0);
            Report(i)->SetSeries(&doc, i);
        }
        grid->SetRedraw(true, true);
        wxYield();
        const wxSize client = grid->GetClientSize();
        bitmap = wxBitmap(client.GetWidth(), client.GetHeight(), 24);
    }
    ~SReportGrid() { frame->Destroy(); }
    CGridCellSeries* Report(int i) { return dynamic_cast<CGridCellSeries*>(grid->GetCell(2 * i + 2, 1)); }
    void ExpandAll(bool expand)
    {
        grid->SetRedraw(false);
        for (int i = 0; i < doc.GetSeriesCount(); ++i)
            expand ? Report(i)->Expand(true) : Report(i)->Collapse(true);
        grid->SetRedraw(true, true);
    }
    void Paint()
    {
        wxMemoryDC dc(bitmap);
        grid->RenderClient(dc);
    }

    CTerrionDoc doc;
    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
    wxBitmap bitmap;
};

void BM_MeasureReport(benchmark::State& state)
{
    CTerrionDoc doc;
    TerrionTest::FillDocument(doc, {Series(static_cast<int>(state.range(0)))});
    CGridCellSeries cell;
    cell.SetSeries(&doc, 0);
    std::unique_ptr<CGridDcSurface> surface = CGridDcSurface::ForMeasuring();
    for (auto _ : state)
        benchmark::DoNotOptimize(cell.MeasureRowHeight(*surface, 1000));
}
BENCHMARK(BM_MeasureReport)->Arg(12)->Arg(30)->Arg(60)->Arg(250)->Unit(benchmark::kMicrosecond);

void BM_ExpandAllReports(benchmark::State& state)
{
    SReportGrid fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        fixture.ExpandAll(true);
        state.PauseTiming();
        fixture.ExpandAll(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExpandAllReports)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_FirstPaintAfterExpandAll(benchmark::State& state)
{
    SReportGrid fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        state.PauseTiming();
        fixture.ExpandAll(true);
        state.ResumeTiming();
        fixture.Paint();
        state.PauseTiming();
        fixture.ExpandAll(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstPaintAfterExpandAll)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

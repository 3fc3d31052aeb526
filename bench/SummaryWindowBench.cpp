// The summary page's paint in its window, through Pango: a whole paint with
// the page laid out anew for 10 and 1,000 series (the cost may grow at most
// linearly), and the paint of the visible part of a page already laid out,
// at the top and in the middle of a long page against a short one (at most
// 1.5 times). On a display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "data/TerrionDoc.h"
#include "tests/report/ReportDocument.h"
#include "views/wx/SummaryView.h"
#include "views/wx/TabSummary.h"

namespace
{

/// The summary tab in a window of 1100 x 800 over `series` series, all in
/// the summary, each with a name and a comment-free record.
struct SSummaryWindow
{
    explicit SSummaryWindow(int series)
    {
        std::vector<TerrionTest::SReportSeries> all;
        for (int i = 0; i < series; ++i)
        {
            TerrionTest::SReportSeries s = TerrionTest::BaseSeries();
            s.object.objectNumber = static_cast<std::uint16_t>(i + 1);
            const double mean = 8.0 + 0.37 * (i % 101);
            s.object.readings = {{mean - 1.0, 0, 100}, {mean + 1.0, 0, 110}};
            s.name = L"Core " + std::to_wstring(i + 1);
            all.push_back(s);
        }
        TerrionTest::FillDocument(doc, all);
        doc.SetAllInSummary(true);
        frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1100, 800));
        page = new CTabSummary(frame, doc);
        frame->Show();
        wxYield();
        view = page->GetView();
        view->UpdateLayout();
        wxYield();
        const wxSize client = view->GetClientSize();
        bitmap = wxBitmap(client.GetWidth(), client.GetHeight(), 24);
    }
    ~SSummaryWindow()
    {
        // The page goes now, before the document it is subscribed to.
        page->Destroy();
        frame->Destroy();
    }
    void Paint()
    {
        wxMemoryDC dc(bitmap);
        view->RenderClient(dc);
    }

    CTerrionDoc doc;
    wxFrame* frame = nullptr;
    CTabSummary* page = nullptr;
    CSummaryView* view = nullptr;
    wxBitmap bitmap;
};

/// A whole paint, the page laid out anew each time.
void BM_SummaryPaintLaidOut(benchmark::State& state)
{
    SSummaryWindow fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        fixture.view->GetPage().Invalidate();
        fixture.Paint();
    }
    state.counters["layouts"] = fixture.view->GetPage().GetLayoutCount();
}
BENCHMARK(BM_SummaryPaintLaidOut)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

/// The paint of what the window shows of a page laid out before: at the top
/// (range 1 = 0) or half way down (1).
void BM_SummaryPaintVisible(benchmark::State& state)
{
    SSummaryWindow fixture(static_cast<int>(state.range(0)));
    if (state.range(1) == 1)
    {
        int unitX = 1, unitY = 1;
        fixture.view->GetScrollPixelsPerUnit(&unitX, &unitY);
        fixture.view->Scroll(0, fixture.view->GetPage().GetExtent().cy / 2 / std::max(unitY, 1));
    }
    fixture.Paint();
    const int layouts = fixture.view->GetPage().GetLayoutCount();
    for (auto _ : state)
        fixture.Paint();
    state.counters["extra_layouts"] = fixture.view->GetPage().GetLayoutCount() - layouts;
    state.counters["page_height"] = fixture.view->GetPage().GetExtent().cy;
}
BENCHMARK(BM_SummaryPaintVisible)
    ->Args({10, 0})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

// The series grid page: a full fill from 10,000 series against 1,000 (the
// work per series is fixed, so the ratio stays near 10), and a paint of the
// page scrolled to the end of 10,000 series against the top of 100 (the
// paint follows what is visible, so the ratio stays near 1). On a display:
// run under xvfb-run.
#include <benchmark/benchmark.h>

#include <memory>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "views/wx/TabGrid.h"
#include "views/wx/ViewServices.h"

namespace
{

class CBenchServices : public CViewServices
{
public:
    std::uint32_t GetDTFormat() const override { return 0x0303; }
    int MessageBox(unsigned, long) override { return wxID_NO; }
    int MessageText(const std::wstring&, long) override { return wxID_OK; }
    int AskAbortRetryIgnore(const std::wstring&) override { return wxID_ABORT; }
    std::unique_ptr<CViewProgress> OpenProgress(wxWindow*) override { return nullptr; }
};

struct SPage
{
    explicit SPage(int series)
    {
        CTerrionData::TObjects objects(static_cast<std::size_t>(series));
        for (int i = 0; i < series; ++i)
        {
            Device::TTerrionObject& object = objects[static_cast<std::size_t>(i)];
            object.objectNumber = static_cast<std::uint16_t>(i % 256);
            for (int r = 0; r < 10; ++r)
                object.readings.push_back({10.0 + (i * 7 + r) % 300, 0x10, 10});
        }
        doc.AddSeries(objects, false);
        for (int i = 0; i < series; ++i)
            doc.SetName(i, L"Series " + std::to_wstring(i));
        frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(760, 520));
        page = new CTabGrid(frame, doc, services);
        frame->Show();
        wxYield();
        page->Fill(-1);
        wxYield();
        const wxSize client = page->Grid().GetClientSize();
        bitmap = wxBitmap(client.GetWidth(), client.GetHeight(), 24);
    }
    ~SPage()
    {
        frame->Destroy();
        wxYield();
    }

    void Paint()
    {
        wxMemoryDC dc(bitmap);
        page->Grid().RenderClient(dc);
    }

    CTerrionDoc doc;
    CBenchServices services;
    wxFrame* frame = nullptr;
    CTabGrid* page = nullptr;
    wxBitmap bitmap;
};

void BM_SeriesPageFill(benchmark::State& state)
{
    SPage fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        fixture.page->Fill(-1);
    state.counters["rows"] = static_cast<double>(fixture.page->Grid().GetRowCount());
}
BENCHMARK(BM_SeriesPageFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

/// 100 series painted at the top, 10,000 scrolled to the end.
void BM_SeriesPagePaint(benchmark::State& state)
{
    const int series = static_cast<int>(state.range(0));
    SPage fixture(series);
    if (series > 100)
        fixture.page->Grid().OnVScroll(SB_BOTTOM);
    for (auto _ : state)
        fixture.Paint();
    state.counters["rows"] = static_cast<double>(fixture.page->Grid().GetRowCount());
}
BENCHMARK(BM_SeriesPagePaint)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

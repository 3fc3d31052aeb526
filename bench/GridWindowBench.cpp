// The grid window's paint (double-buffered, text through Pango) and page
// scrolling, 20,000 rows against 200, on a display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

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
        grid->SetWholeRowScrolling(false);
        grid->SetDefaultCellWidth(100);
        grid->SetDefaultCellHeight(22);
        grid->SetFixedRowCount(1);
        grid->SetListMode(true);
        grid->SetColumnCount(6);
        grid->SetRowHeight(0, 26);
        grid->SetRowCount(2 * series + 1);
        for (int i = 0; i < series; ++i)
        {
            const int row = 2 * i + 1;
            for (int col = 0; col < 6; ++col)
                grid->SetItemText(row, col, L"Series " + std::to_wstring(i));
            grid->MergeCells(row + 1, 1, 5);
            grid->SetRowHeight(row + 1, 0);
        }
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

} // namespace

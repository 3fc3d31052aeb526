// The series grid page: a full fill from 10,000 series against 1,000 (the
// work per series is fixed, so the ratio stays near 10), and a paint of the
// page scrolled to the end of 10,000 series against the top of 100 (the
// paint follows what is visible, so the ratio stays near 1); the graphic
// export of 200 expanded series to one PNG file, its time and its peak memory
// against the raw image (width x height x 3 bytes); and a heading click that
// sorts 2,000 series of 20 to 300 readings, folded and with every report
// open, against a full fill of the same page (the sort is a fill in another
// order, so the ratio stays near 1) and the open sort against Expand all
// (each open report is laid out once either way). On a display: run under
// xvfb-run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "data/TerrionDoc.h"
#include "export/wx/ExportDialogBase.h"
#include "grid/GridCtrl.h"
#include "views/wx/TabGrid.h"
#include "views/wx/ViewServices.h"

namespace
{

class CBenchServices : public CViewServices
{
public:
    std::uint32_t GetDTFormat() const override { return 0x0303; }
    CUserPrompts::NAnswer MessageBox(unsigned, CUserPrompts::NButtons, CUserPrompts::NIcon) override
    {
        return CUserPrompts::answerNo;
    }
    CUserPrompts::NAnswer MessageText(const std::wstring&, CUserPrompts::NButtons,
                                      CUserPrompts::NIcon) override
    {
        return CUserPrompts::answerOk;
    }
    CUserPrompts::NAnswer AskAbortRetryIgnore(const std::wstring&) override
    {
        return CUserPrompts::answerAbort;
    }
    std::unique_ptr<CViewProgress> OpenProgress(wxWindow*) override { return nullptr; }
};

/// Readings of series i: a fixed count, or 20 to 300 spread over the series.
using TReadingCount = int (*)(int series);
int TenReadings(int)
{
    return 10;
}
int SpreadReadings(int series)
{
    return 20 + (series * 137) % 281;
}

struct SPage
{
    explicit SPage(int series, TReadingCount readings = TenReadings)
    {
        CTerrionData::TObjects objects(static_cast<std::size_t>(series));
        for (int i = 0; i < series; ++i)
        {
            Device::TTerrionObject& object = objects[static_cast<std::size_t>(i)];
            object.objectNumber = static_cast<std::uint16_t>(i % 256);
            for (int r = 0; r < readings(i); ++r)
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

/// 2,000 series of 20 to 300 readings; range 1 opens every report first.
constexpr int kSortSeries = 2000;

std::unique_ptr<SPage> SortPage(bool open)
{
    auto fixture = std::make_unique<SPage>(kSortSeries, SpreadReadings);
    if (open)
    {
        fixture->page->ExpandAll(true);
        wxTheApp->ProcessPendingEvents();
    }
    return fixture;
}

void SetOpenCounter(benchmark::State& state, SPage& fixture)
{
    int open = 0;
    for (int i = 0; i < fixture.doc.GetSeriesCount(); ++i)
        open += fixture.doc.IsExpanded(i) ? 1 : 0;
    state.counters["open"] = open;
}

/// A click on the "Name" heading: the sort, then the refill it posts.
void BM_SeriesPageHeadingSort(benchmark::State& state)
{
    const std::unique_ptr<SPage> fixture = SortPage(state.range(0) != 0);
    for (auto _ : state)
    {
        fixture->page->SortByColumn(CTabGrid::colName);
        wxTheApp->ProcessPendingEvents();
    }
    SetOpenCounter(state, *fixture);
}
BENCHMARK(BM_SeriesPageHeadingSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// The full fill of the same page, which the sort is measured against.
void BM_SeriesPageSortedFill(benchmark::State& state)
{
    const std::unique_ptr<SPage> fixture = SortPage(state.range(0) != 0);
    for (auto _ : state)
    {
        fixture->page->Fill(-1);
        wxTheApp->ProcessPendingEvents();
    }
    SetOpenCounter(state, *fixture);
}
BENCHMARK(BM_SeriesPageSortedFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// Expand all over the folded page, which the open sort is measured against.
void BM_SeriesPageExpandAll(benchmark::State& state)
{
    const std::unique_ptr<SPage> fixture = SortPage(false);
    for (auto _ : state)
    {
        state.PauseTiming();
        fixture->page->ExpandAll(false);
        wxTheApp->ProcessPendingEvents();
        state.ResumeTiming();
        fixture->page->ExpandAll(true);
        wxTheApp->ProcessPendingEvents();
    }
    SetOpenCounter(state, *fixture);
}
BENCHMARK(BM_SeriesPageExpandAll)->Unit(benchmark::kMillisecond);

/// A "VmRSS:" or "VmHWM:" line of /proc/self/status in bytes, 0 when absent.
std::uint64_t StatusBytes(const std::string& key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::stoull(line.substr(key.size())) * 1024; // the kernel writes kB
    return 0;
}

/// Starts the peak resident size over from the current one; false where the
/// kernel does not allow it (the peak then counts from the program's start).
bool ResetPeakResident()
{
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.flush();
    return static_cast<bool>(out);
}

/// Width and height from a PNG file's header chunk, {0, 0} when it is none.
std::array<std::uint64_t, 2> PngSize(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 24> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size()))
        return {0, 0};
    const auto word = [&head](std::size_t at)
    {
        return (std::uint64_t{head[at]} << 24) | (std::uint64_t{head[at + 1]} << 16) |
               (std::uint64_t{head[at + 2]} << 8) | std::uint64_t{head[at + 3]};
    };
    return {word(16), word(20)};
}

/// The graphic export dialog answered: headers and details, all series, one
/// file, saved to path.
void AnswerGraphicDialog(const std::filesystem::path& path)
{
    constexpr int kHeadersDetails = 2, kAllSeries = 3, kOneFile = 5;
    CExportDialogBase::STestHooks hooks;
    hooks.modal = [](CExportDialogBase& dialog)
    {
        const wxSize size = dialog.GetClientSize();
        wxBitmap bitmap(size.x, size.y, 24);
        {
            wxMemoryDC dc(bitmap);
            dialog.Render(dc); // places the tiles' areas
        }
        for (const int tile : {kHeadersDetails, kAllSeries, kOneFile})
            dialog.PressAt(dialog.TileCentre(tile));
        dialog.Export();
        return dialog.GetReturnCode();
    };
    hooks.saveFile = [path](const CExportDialogBase::SFileRequest&, std::wstring* chosen, int* filter)
    {
        *chosen = path.wstring();
        *filter = 0;
        return true;
    };
    hooks.confirmReplace = [](const std::wstring&) { return true; };
    CExportDialogBase::SetTestHooks(hooks);
}

/// 200 series, every one shown with its details, exported to one PNG file.
/// Peak memory: the rise of the resident high-water mark (VmHWM) over the
/// resident size (VmRSS) just before the export, with the mark reset through
/// /proc/self/clear_refs; the largest rise of all iterations counts.
void BM_SeriesPageExportPng(benchmark::State& state)
{
    SPage fixture(static_cast<int>(state.range(0)));
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("series_page_bench_" + std::to_string(::getpid()) + ".png");
    AnswerGraphicDialog(path);
    std::uint64_t peak = 0;
    bool reset = true;
    for (auto _ : state)
    {
        reset = ResetPeakResident() && reset;
        const std::uint64_t before = StatusBytes("VmRSS:");
        fixture.page->OnExportGraphic();
        const std::uint64_t high = StatusBytes("VmHWM:");
        peak = std::max(peak, high > before ? high - before : 0);
    }
    CExportDialogBase::SetTestHooks({});
    const std::array<std::uint64_t, 2> size = PngSize(path);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (size[0] == 0 || size[1] == 0)
    {
        state.SkipWithError("no PNG file written");
        return;
    }
    const double image = static_cast<double>(size[0] * size[1] * 3);
    state.counters["width"] = static_cast<double>(size[0]);
    state.counters["height"] = static_cast<double>(size[1]);
    state.counters["image_MB"] = image / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_over_image"] = static_cast<double>(peak) / image;
    state.counters["hwm_reset"] = reset ? 1 : 0;
}
BENCHMARK(BM_SeriesPageExportPng)->Arg(200)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

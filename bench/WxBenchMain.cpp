// The main of the benchmarks that open windows: Google Benchmark inside a wx
// application on the (virtual) display.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <wx/app.h>

int main(int argc, char** argv)
{
    // Overlay scroll bars lie over the client area; the windows' arithmetic needs real ones.
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv))
        return 1;
    wxTheApp->CallOnInit();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}

#include "app/connection/wx/ProgressRepaint.h"

#include <wx/evtloop.h>
#include <wx/window.h>

#include <chrono>
#include <thread>

namespace
{

// GTK 3 lays out and paints on its frame clock, a frame (about 16 ms) after
// the change: the loop runs for two frames so the paint lands.
constexpr auto kPaintWindow = std::chrono::milliseconds(35);

void RunPaints(wxEventLoopBase& loop)
{
    const auto end = std::chrono::steady_clock::now() + kPaintWindow;
    do
    {
        loop.YieldFor(wxEVT_CATEGORY_UI);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < end);
}

} // namespace

void CProgressRepaint::Now(wxWindow* window)
{
    if (!window || !window->IsShown())
        return;
    // No Refresh()/Update() here: on GTK 3 a forced synchronous paint draws
    // the old layout and a progress bar then keeps its old length.
    if (wxEventLoopBase* active = wxEventLoopBase::GetActive())
    {
        RunPaints(*active);
        return;
    }
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    RunPaints(loop);
}

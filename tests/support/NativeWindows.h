#pragma once
// What GTK and the X server say about the program's top-level windows, for
// the tests of which window a box belongs to and which one is in front: the
// native message box shown now (a wxMessageDialog on GTK runs its own modal
// loop, so a timer answers it), a window's transient parent and the
// stacking order on the screen.

#include <wx/defs.h>
#include <wx/gdicmn.h>
#include <wx/timer.h>

#include <vector>

class wxToolBar;
class wxWindow;

namespace TerrionTest
{

/// The message box GTK shows now: whether there is one, and the GTK window
/// it is transient for (compare with a wx window's GetHandle()).
struct SShownBox
{
    bool shown = false;
    WXWidget transientFor = nullptr;
};
SShownBox ShownMessageBox();

/// Answers the box shown now as a click of its affirmative button (OK, Yes)
/// or of its Cancel button would; false when no box is shown.
bool AnswerShownMessageBox(bool affirmative);

/// Answers every message box as it appears, from a timer (timers run in the
/// box's own modal loop), and keeps the window each box was transient for.
class CBoxAnswerer
{
public:
    explicit CBoxAnswerer(bool affirmative);
    ~CBoxAnswerer();
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;

    /// The GTK window of each box answered, in order.
    const std::vector<WXWidget>& Owners() const { return m_owners; }

private:
    wxTimer m_timer;
    std::vector<WXWidget> m_owners;
};

/// The GTK window a top-level window is transient for, or null.
WXWidget TransientParentOf(wxWindow* topLevel);

/// Lets the events run until the top-level window is the active one (GTK
/// says so once the focus reached it), at most timeoutMs; whether it is.
bool WaitUntilActive(wxWindow* topLevel, int timeoutMs);

/// Whether upper's top-level window stands above lower's on the X server.
bool IsAboveOnScreen(wxWindow* upper, wxWindow* lower);

/// Where GTK placed a toolbar's tool, in screen pixels (wxWidgets cannot
/// tell on GTK); an empty rectangle when the tool is not shown.
wxRect ToolScreenRect(wxToolBar* toolBar, int toolId);

/// Sets the resolution GTK gives text, in dots per inch (144 is a 150 %
/// desktop text scale, as GDK_DPI_SCALE=1.5 gives); the one it had.
double SetTextResolution(double dpi);

} // namespace TerrionTest

#pragma once
#include <memory>
#include <string>

#include "grid/GridConstants.h"
#include "grid/GridFont.h"
#include "grid/GridNotify.h"
#include "grid/GridSurface.h"
#include "grid/GridTypes.h"

/// What the grid core needs of the window it lives in. The wxWidgets window
/// implements it; tests fake it.
class CGridCore;
class CGridInPlaceEditor;
struct SGridCacheHint;
struct SGridDisplayInfo;

class CGridHost
{
public:
    /// Whether a real window exists (a grid without one draws and notifies nothing).
    virtual bool HostIsWindow() const = 0;
    /// The client area, (0, 0, width, height).
    virtual SGridRect HostClientRect() const = 0;

    /// Marks `rect` (right and bottom outside), or all when null, for repainting.
    virtual void HostInvalidate(const SGridRect* rect) = 0;
    /// A surface over the window for drawing at once, or null (then the caller invalidates).
    virtual std::unique_ptr<CGridSurface> HostWindowSurface() = 0;
    /// A surface for measuring text (the screen), or null when none is available.
    virtual std::unique_ptr<CGridSurface> HostMeasureSurface() = 0;

    /// Shows or hides a scroll bar.
    virtual void HostShowScrollBar(NGridScrollBar bar, bool show) = 0;
    /// Sets a bar's range 0..maximum, page and position (Windows scroll-bar semantics).
    virtual void HostSetScrollInfo(NGridScrollBar bar, int maximum, int page, int pos) = 0;
    /// The width of a vertical bar or the height of a horizontal one.
    virtual int HostScrollBarSize(NGridScrollBar bar) const = 0;

    virtual TGridColor HostSysColor(NGridSysColor which) const = 0;
    /// The system's font for cell texts.
    virtual SGridFont HostDefaultFont() const = 0;
    /// Lines per wheel notch, or kGridWheelPageScroll.
    virtual int HostWheelScrollLines() const = 0;

    /// Delivers a notification to the owner at once and returns its answer.
    virtual long HostNotify(const SGridNotify& notify) = 0;
    /// Posts the command message that follows a left-button release.
    virtual void HostPostCommand() = 0;

    virtual void HostSetTimer(int id, int milliseconds) = 0;
    virtual void HostKillTimer(int id) = 0;
    virtual void HostCaptureMouse() = 0;
    virtual void HostReleaseMouse() = 0;
    virtual bool HostHasCapture() const = 0;
    virtual void HostSetCursor(NGridCursor cursor) = 0;
    /// The NGridModifier keys held, as the window last saw them.
    virtual unsigned HostModifiers() const = 0;

    // Mouse and the hot-spot tip.
    /// The window takes the keyboard focus.
    virtual void HostSetFocus() = 0;
    /// The pointer's position in client coordinates; false when it is unknown.
    virtual bool HostCursorPos(SGridPoint* point) const = 0;
    /// Puts the hot-spot tip over `rect` (client coordinates, right and bottom
    /// outside) in place of any other; it shows once the pointer rests there.
    virtual void HostSetTipTool(const SGridRect& rect, const std::wstring& title,
                                const std::wstring& text) = 0;
    /// Takes the hot-spot tip away.
    virtual void HostRemoveTipTool() = 0;
    /// Hides a shown or pending tip; it stays in place for the next rest.
    virtual void HostPopTip() = 0;
    /// Opens an in-place edit of (row, col) over `rect` (client pixels, right and
    /// bottom its last pixel) holding `text`; null when none can be made. The
    /// edit reports to `grid` and lives until it ends or is cancelled.
    virtual CGridInPlaceEditor* HostCreateInPlaceEdit(CGridCore& grid, SGridRect rect, NGridTextAlign align,
                                                      unsigned id, int row, int col, const std::wstring& text,
                                                      unsigned firstChar) = 0;
    /// The first non-empty caption up the window's parents (printed pages name their document by it).
    virtual std::wstring HostParentCaption() const { return std::wstring(); }

    // Clipboard and drag-and-drop of cell texts; a window without them offers none.
    /// Puts the text on the clipboard; false when the clipboard did not take it.
    virtual bool HostSetClipboardText(const std::wstring& /*text*/) { return false; }
    /// The clipboard's text; false when it holds none.
    virtual bool HostGetClipboardText(std::wstring* /*text*/) { return false; }
    /// Whether the clipboard holds text, as the window last learnt it (never blocks).
    virtual bool HostClipboardHasText() { return false; }
    /// Drags the text with the allowed NGridDropEffect bits; the effect the drop took.
    virtual unsigned HostDoDragDrop(const std::wstring& /*text*/, unsigned /*allowed*/) { return 0; }

    // Virtual mode: the owner's answers.
    /// Delivers GRIDN_CACHEHINT to the owner.
    virtual void HostCacheHint(const SGridCacheHint& /*hint*/) {}
    /// Sends GRIDN_GETDISPINFO: the owner completes the record.
    virtual void HostGetDispInfo(SGridDisplayInfo& /*info*/) {}

protected:
    ~CGridHost() = default;
};

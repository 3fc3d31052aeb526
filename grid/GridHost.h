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

    /// The first non-empty caption up the window's parents (printed pages name their document by it).
    virtual std::wstring HostParentCaption() const { return std::wstring(); }

protected:
    ~CGridHost() = default;
};

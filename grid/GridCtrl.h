#pragma once
#include <memory>

#include <wx/bitmap.h>
#include <wx/timer.h>
#include <wx/window.h>

#include "grid/GridCore.h"
#include "grid/GridNotifyEvent.h"

class CGridDropTarget;
class CGridTipWindow;
class wxClipboardEvent;
class wxPrintDialogData;

/// The grid window: a plain wxWindow named "TerrionGridCtrl" that paints the
/// grid core double-buffered and drives its own scroll bars. Owners call
/// the grid's operations on it directly and receive GRID_EVT_NOTIFY and
/// GRID_EVT_COMMAND. The edit commands wxID_COPY, wxID_CUT, wxID_PASTE and
/// wxID_SELECTALL sent to the window run the grid's own clipboard.
///
/// GTK's overlay scroll bars lie over the client area and break the scroll
/// arithmetic: the program sets GTK_OVERLAY_SCROLLING=0 before GTK starts.
class CGridCtrl : public CGridCore, private CGridHost, public wxWindow
{
public:
    static constexpr const char* kWindowName = "TerrionGridCtrl";
    /// The largest bitmap side cairo draws into.
    static constexpr int kMaxBitmapSide = 32767;

    /// A grid without a window yet (Create makes it).
    explicit CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    CGridCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = 0);
    ~CGridCtrl() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0);

    /// Renders the whole grid into a new bitmap; false when the grid is empty
    /// or larger than a bitmap can be. Pending repaints of the window stay.
    bool DrawToBitmap(wxBitmap* bitmap);
    /// Paints the client area as the screen shows it into `dc` (screenshots).
    void RenderClient(wxDC& dc);

    /// The window's own refresh (CGridCore::Refresh honours the redraw switch).
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;
    /// The font of all four default cells.
    bool SetFont(const wxFont& font) override;

    /// The bars' state as the grid last set it (a change of range or position
    /// reaches GTK's bars at the next idle time, paint or question).
    int GetScrollPos(int orient) const override;
    int GetScrollThumb(int orient) const override;
    int GetScrollRange(int orient) const override;

    /// The hot-spot tip (null before Create).
    CGridTipWindow* GetTipWindow() const { return m_tip; }
    /// The drop target (null before Create); the window owns it once registered.
    CGridDropTarget* GetGridDropTarget() const { return m_dropTarget; }

    // Keyboard and in-place editing.
    /// Ends an open edit as Enter does: an edit that held the keyboard hands
    /// it to the grid, so the keys go on working once its window is gone.
    void EndEditing() override;
    /// Records the held keys of a key event the grid did not get itself (an edit's).
    void NoteHeldKeys(unsigned modifiers) { m_modifiers = modifiers; }

    /// Prints the grid (GridCtrlPrint.cpp). With `dialog` its printer and its
    /// selection choice are used without asking; otherwise the user chooses
    /// all or the selected rows (when rows are selected) and then the printer.
    /// False when cancelled or when the job failed.
    bool Print(wxPrintDialogData* dialog = nullptr, const SGridPrintText* texts = nullptr);
    /// The answer to which rows are printed.
    enum class NPrintRows
    {
        All,
        Selected,
        Cancel,
    };

protected:
    /// Asks whether all rows or only the selected rows are printed.
    virtual NPrintRows AskPrintRows();

private:
    // CGridHost
    bool HostIsWindow() const override;
    SGridRect HostClientRect() const override;
    void HostInvalidate(const SGridRect* rect) override;
    std::unique_ptr<CGridSurface> HostWindowSurface() override;
    std::unique_ptr<CGridSurface> HostMeasureSurface() override;
    void HostShowScrollBar(NGridScrollBar bar, bool show) override;
    void HostSetScrollInfo(NGridScrollBar bar, int maximum, int page, int pos) override;
    int HostScrollBarSize(NGridScrollBar bar) const override;
    TGridColor HostSysColor(NGridSysColor which) const override;
    SGridFont HostDefaultFont() const override;
    int HostWheelScrollLines() const override;
    long HostNotify(const SGridNotify& notify) override;
    void HostPostCommand() override;
    void HostSetTimer(int id, int milliseconds) override;
    void HostKillTimer(int id) override;
    void HostCaptureMouse() override;
    void HostReleaseMouse() override;
    bool HostHasCapture() const override;
    void HostSetCursor(NGridCursor cursor) override;
    unsigned HostModifiers() const override { return m_modifiers; }
    CGridInPlaceEditor* HostCreateInPlaceEdit(CGridCore& grid, SGridRect rect, NGridTextAlign align,
                                              unsigned id, int row, int col, const std::wstring& text,
                                              unsigned firstChar) override;
    void HandleKeyDown(wxKeyEvent& event);
    void HandleChar(wxKeyEvent& event);

    // Mouse and the hot-spot tip.
    void HostSetFocus() override;
    bool HostCursorPos(SGridPoint* point) const override;
    void HostSetTipTool(const SGridRect& rect, const std::wstring& title, const std::wstring& text) override;
    void HostRemoveTipTool() override;
    void HostPopTip() override;
    void HandleMouse(wxMouseEvent& event);
    void HandleSetCursor(wxSetCursorEvent& event);
    void HandleCaptureLost(wxMouseCaptureLostEvent& event);
    void HandleCaptureChanged(wxMouseCaptureChangedEvent& event);
    CGridTipWindow* m_tip = nullptr;
    std::wstring HostParentCaption() const override;

    /// Whether a body row is selected in column 1 (the rows selection-only printing prints).
    bool HasSelectedPrintRows() const;

    // Clipboard, drag-and-drop and virtual mode (GridCtrlTransfer.cpp).
    bool HostSetClipboardText(const std::wstring& text) override;
    bool HostGetClipboardText(std::wstring* text) override;
    bool HostClipboardHasText() override { return m_clipboardHasText; }
    unsigned HostDoDragDrop(const std::wstring& text, unsigned allowed) override;
    void HostCacheHint(const SGridCacheHint& hint) override;
    void HostGetDispInfo(SGridDisplayInfo& info) override;
    /// Binds the edit commands and the clipboard's answers.
    void BindTransfer();
    void HandleClipboardChanged(wxClipboardEvent& event);
    /// Sends a notification event to the owner at once.
    void DeliverNotify(CGridNotifyEvent& event);
    CGridDropTarget* m_dropTarget = nullptr;
    bool m_clipboardHasText = false;

    void HandlePaint(wxPaintEvent& event);
    void HandleSize(wxSizeEvent& event);
    void HandleScroll(wxScrollWinEvent& event);
    void HandleWheel(wxMouseEvent& event);
    void HandleSysColour(wxSysColourChangedEvent& event);
    void Render(wxDC& target, const wxRect& box);

    /// Hands the bars' latest range, page and position to GTK.
    void FlushScrollBars();

    wxBitmap m_buffer;
    wxTimer m_timer;
    bool m_barShown[2] = {false, false};
    /// A bar as GTK shows it, and whether a newer range or position waits.
    struct SBar
    {
        bool inGtk = false;
        bool pending = false;
        int maximum = 0;
        int page = 0;
        int pos = 0;
    };
    SBar m_bar[2];
    bool m_flushQueued = false;
    unsigned m_modifiers = 0;
    wxSize m_lastSize;
    mutable int m_barSize[2] = {0, 0};
};

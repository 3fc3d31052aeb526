#pragma once
// The grid's enumerations. Their values are the ones the owner code and the
// notification records use, so they never change.

/// State bits of a cell.
enum NGridCellState : unsigned
{
    GCS_FOCUSED = 0x01,
    GCS_SELECTED = 0x02,
    GCS_DROPHILITED = 0x04,
    GCS_READONLY = 0x08,
    GCS_FIXED = 0x10,
    GCS_FIXEDROW = 0x20,
    GCS_FIXEDCOL = 0x40,
    GCS_MODIFIED = 0x80,
};

/// Which grid lines the body shows.
enum NGridLines : int
{
    GGL_NONE = 0,
    GGL_HORZ = 1,
    GGL_VERT = 2,
    GGL_BOTH = 3,
};

/// Which rows auto-sizing of a column looks at.
enum NGridAutoSize : int
{
    GAS_FIXED = 1,
    GAS_UNFIXED = 2,
    GAS_BOTH = 3,
};

/// The mouse operation in progress.
enum NGridMouseMode : int
{
    GMM_NONE = 0,
    GMM_SELECT_ALL = 1,
    GMM_SELECT_COLUMN = 2,
    GMM_SELECT_ROWS = 3,
    GMM_SELECT_CELLS = 4,
    GMM_OVER_ROW_DIVIDER = 6,
    GMM_SIZING_ROW = 7,
    GMM_OVER_COLUMN_DIVIDER = 8,
    GMM_SIZING_COLUMN = 9,
    GMM_PREPARE_EDIT = 10,
    GMM_PREPARE_DRAG = 11,
    GMM_DRAGGING = 12,
};

/// Notification codes sent to the owner (the common-control range).
enum NGridNotifyCode : int
{
    NM_CLICK = -2,
    NM_DBLCLK = -3,
    NM_RCLICK = -5,
    GRIDN_SELCHANGING = -100,
    GRIDN_SELCHANGED = -101,
    GRIDN_KEYCOMMAND = -103,
    GRIDN_BEGINDRAG = -109,
    GRIDN_CACHEHINT = -113,
    GRIDN_FOCUSCHANGED = -120,
    GRIDN_BEGINEDIT = -175,
    GRIDN_ENDEDIT = -176,
    GRIDN_GETDISPINFO = -177,
    GRIDN_EDITUNCHANGED = -195,
};

/// Text format bits of a cell (DrawText's).
enum NGridTextFormat : unsigned
{
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
};

/// The two scroll bars.
enum NGridScrollBar : int
{
    SB_HORZ = 0,
    SB_VERT = 1,
};

/// Scroll requests, as the scroll-bar messages carry them.
enum NGridScrollCode : int
{
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

/// The system colours the grid reads.
enum class NGridSysColor
{
    WindowText,
    Window,
    BtnFace,
    BtnShadow,
    BtnHighlight,
    DkShadow3D,
};

/// Horizontal anchor of TextOut's point.
enum class NGridTextAlign
{
    Left,
    Center,
    Right,
};

/// Mouse cursors a cell or the grid may ask for.
enum class NGridCursor
{
    Arrow,
    Hand,
    SizeWE,
    SizeNS,
    Wait,
};

/// The wheel setting that scrolls a page per notch.
inline constexpr int kGridWheelPageScroll = -1;

/// Timer of the auto-scroll while selecting with the mouse, and its interval.
inline constexpr int kGridAutoScrollTimer = 0x201;
inline constexpr int kGridAutoScrollInterval = 25;

// Mouse resizing and hot-spot tips.
/// How near a divider (either side, pixels) a press grabs it.
inline constexpr int kGridResizeCaptureRange = 3;
/// Width of the line that follows a dragged divider.
inline constexpr int kGridTrackLineWidth = 2;
/// The one tool of the hot-spot tip.
inline constexpr int kGridHotSpotTool = 666;
/// The pointer rests this long (ms) in a hot spot before its tip shows.
inline constexpr int kGridTipInitialDelay = 500;
/// A shown tip hides itself after this long (ms).
inline constexpr int kGridTipAutoPop = 30000;
/// The widest a tip grows before its text wraps (pixels).
inline constexpr int kGridTipMaxWidth = 1200;

/// Key numbers as the keyboard handlers and GRIDN_KEYCOMMAND carry them
/// (the Windows virtual-key numbers; letters are their capitals).
enum NGridKey : unsigned
{
    VK_LBUTTON = 0x01,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
    VK_F2 = 0x71,
};

/// Tab and the keys that move the focus (Page Up to Down): they end an
/// in-place edit and open one on the next cell.
constexpr bool IsGridNavigationKey(unsigned key)
{
    return key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN);
}

/// Keys held during a key or mouse event (the mouse messages' bits).
enum NGridModifier : unsigned
{
    GRID_MK_SHIFT = 0x04,
    GRID_MK_CONTROL = 0x08,
    GRID_MK_ALT = 0x20,
};

/// Control id of the in-place edit window.
inline constexpr int IDC_GRID_INPLACE_EDIT = 8;

/// Marks the first character of an edit as a typed character, not a key:
/// VK_SPACE..VK_DOWN share their numbers with " !\"#$%&'(".
inline constexpr unsigned kGridTypedChar = 0x80000000u;

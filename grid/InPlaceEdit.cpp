#include "grid/InPlaceEdit.h"

#include "grid/GridConstants.h"
#include "grid/GridCtrl.h"
#include "grid/GridDisplayInfo.h"
#include "grid/GridKeyMap.h"

bool CInPlaceEdit::s_ending = false;

CInPlaceEdit::CInPlaceEdit(CGridCtrl* grid, const SGridRect& rect, long style, wxWindowID id, int row,
                           int col, const wxString& initialText, unsigned firstChar)
    : m_grid(grid), m_row(row), m_col(col), m_initialText(initialText),
      m_exitOnArrows(firstChar != VK_LBUTTON)
{
    // GTK's framed entry is taller than a grid row; the cell's lines frame it instead.
    Create(grid, id, wxEmptyString, wxPoint(rect.left, rect.top),
           wxSize(rect.right - rect.left, rect.bottom - rect.top),
           style | wxTE_PROCESS_TAB | wxTE_PROCESS_ENTER | wxBORDER_NONE);
    SetFont(grid->GetFont());
    ChangeValue(initialText);
    Bind(wxEVT_KEY_DOWN, &CInPlaceEdit::HandleKeyDown, this);
    Bind(wxEVT_KILL_FOCUS, &CInPlaceEdit::HandleKillFocus, this);
    Bind(wxEVT_TEXT, &CInPlaceEdit::HandleText, this);
    SetFocus();

    const SStart start = StartFor(firstChar);
    // (ShowPosition would drop the selection on GTK; setting the caret scrolls already.)
    if (start.selectAll)
        SelectAll();
    else
        SetInsertionPointEnd();
    if (start.typedChar)
        SendChar(start.typedChar);
}

void CInPlaceEdit::SendChar(unsigned ch)
{
    if (m_ended)
        return;
    long from = 0;
    long to = 0;
    GetSelection(&from, &to);
    if (ch == VK_BACK)
    {
        if (from == to && from > 0)
            --from;
        if (from != to)
            Remove(from, to);
        return;
    }
    if (ch < 0x20)
        return;
    Replace(from, to, wxString(static_cast<wxUniChar>(ch)));
    SetInsertionPoint(from + 1);
}

bool CInPlaceEdit::PasteClipboard()
{
    if (m_ended)
        return false;
    Paste();
    return true;
}

void CInPlaceEdit::HandleKeyDown(wxKeyEvent& event)
{
    const int code = event.GetKeyCode();
    switch (code)
    {
    case WXK_TAB:
    case WXK_NUMPAD_TAB:
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        EndByKey(CGridKeyMap::ToGridKey(code), event);
        return;
    case WXK_ESCAPE:
        ChangeValue(m_initialText);
        EndByKey(VK_ESCAPE, event);
        return;
    default:
        break;
    }
    const unsigned key = CGridKeyMap::ToGridKey(code);
    const bool navigation = key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP ||
                            key == VK_RIGHT || key == VK_DOWN;
    if (navigation && (m_exitOnArrows || event.RawControlDown()))
    {
        EndByKey(key, event);
        return;
    }
    event.Skip();
}

void CInPlaceEdit::HandleKillFocus(wxFocusEvent& event)
{
    event.Skip();
    EndEdit();
}

void CInPlaceEdit::HandleText(wxCommandEvent& event)
{
    event.Skip();
    if (!m_grid || m_ended)
        return;
    // Grow to fit the text and two blanks, up to the grid's right edge.
    const int wanted = GetTextExtent(GetValue() + wxT("  ")).GetWidth();
    const wxRect now = GetRect();
    if (wanted <= now.GetWidth())
        return;
    const int right = std::min(now.GetLeft() + wanted, m_grid->GetClientSize().GetWidth());
    if (right > now.GetRight() + 1)
        SetSize(now.GetLeft(), now.GetTop(), right - now.GetLeft(), now.GetHeight());
}

void CInPlaceEdit::EndByKey(unsigned key, const wxKeyboardState& state)
{
    m_lastChar = key;
    if (m_grid)
    {
        // The grid moves on with this key and reads the held keys from its own record.
        m_grid->NoteHeldKeys(CGridKeyMap::Modifiers(state));
        m_grid->SetFocus();
    }
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    if (s_ending || m_ended)
        return;
    s_ending = true;
    m_ended = true;
    if (m_grid)
    {
        SGridDisplayInfo info;
        info.hdr = SGridNotifyHeader{m_grid, GetId(), GRIDN_ENDEDIT};
        info.row = m_row;
        info.col = m_col;
        info.mask = SGridDisplayInfo::kEditMask;
        info.text = GetValue().ToStdWstring();
        info.lParam = m_lastChar;
        m_grid->OnEndInPlaceEdit(info);
    }
    s_ending = false;
    Close();
}

void CInPlaceEdit::Cancel()
{
    m_ended = true;
    m_grid = nullptr;
    Close();
}

void CInPlaceEdit::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    Hide();
    // Never destroyed inside one of its own handlers.
    CallAfter([this] { Destroy(); });
}

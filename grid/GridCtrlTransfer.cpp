// The grid window's clipboard, drag source, edit commands and the owner's
// virtual-mode notifications.
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dnd.h>

#include "grid/GridCacheHint.h"
#include "grid/GridCtrl.h"
#include "grid/GridDisplayInfo.h"
#include "grid/GridDropEffect.h"

namespace
{

bool OffersText(const wxClipboardEvent& event)
{
    return event.SupportsFormat(wxDF_UNICODETEXT) || event.SupportsFormat(wxDF_TEXT);
}

} // namespace

void CGridCtrl::BindTransfer()
{
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnEditCopy(); }, wxID_COPY);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnEditCut(); }, wxID_CUT);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnEditPaste(); }, wxID_PASTE);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnEditSelectAll(); }, wxID_SELECTALL);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanEditCopy()); }, wxID_COPY);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanEditCut()); }, wxID_CUT);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanEditPaste()); }, wxID_PASTE);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanEditSelectAll()); },
        wxID_SELECTALL);

    // Whether the clipboard holds text is learnt without blocking: asked
    // whenever the grid takes the focus, answered by wxEVT_CLIPBOARD_CHANGED.
    Bind(wxEVT_CLIPBOARD_CHANGED, &CGridCtrl::HandleClipboardChanged, this);
    Bind(wxEVT_SET_FOCUS,
         [this](wxFocusEvent& event)
         {
             wxTheClipboard->IsSupportedAsync(this);
             event.Skip();
         });
}

void CGridCtrl::HandleClipboardChanged(wxClipboardEvent& event)
{
    m_clipboardHasText = OffersText(event);
}

bool CGridCtrl::HostSetClipboardText(const std::wstring& text)
{
    wxClipboardLocker lock;
    if (!lock)
        return false;
    // The clipboard owns the data object, so the text outlives the grid.
    if (!wxTheClipboard->SetData(new wxTextDataObject(wxString(text))))
        return false;
    m_clipboardHasText = true;
    return true;
}

bool CGridCtrl::HostGetClipboardText(std::wstring* text)
{
    wxClipboardLocker lock;
    if (!lock || !(wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)))
        return false;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return false;
    *text = data.GetText().ToStdWstring();
    return true;
}

unsigned CGridCtrl::HostDoDragDrop(const std::wstring& text, unsigned allowed)
{
    // The drag takes the pointer itself, and the button's release with it.
    if (HasCapture())
        ReleaseMouse();
    wxTextDataObject data{wxString(text)};
    wxDropSource source(data, this);
    const int flags = (allowed & DROPEFFECT_MOVE) != 0 ? wxDrag_AllowMove : wxDrag_CopyOnly;
    switch (source.DoDragDrop(flags))
    {
    case wxDragCopy:
        return DROPEFFECT_COPY;
    case wxDragMove:
        return DROPEFFECT_MOVE;
    default:
        return DROPEFFECT_NONE;
    }
}

void CGridCtrl::HostCacheHint(const SGridCacheHint& hint)
{
    CGridNotifyEvent event(GRID_EVT_NOTIFY, GetId());
    SGridNotify notify;
    notify.hdr = hint.hdr;
    event.SetNotify(notify);
    event.SetCacheRange(hint.range);
    DeliverNotify(event);
}

void CGridCtrl::HostGetDispInfo(SGridDisplayInfo& info)
{
    CGridNotifyEvent event(GRID_EVT_NOTIFY, GetId());
    SGridNotify notify;
    notify.hdr = info.hdr;
    notify.row = info.row;
    notify.col = info.col;
    event.SetNotify(notify);
    event.SetDisplayInfo(&info);
    DeliverNotify(event);
}

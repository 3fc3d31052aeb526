#include "update/wizard/UpdateEvents.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

wxDEFINE_EVENT(WM_NEW_PROGRAM_VERSION, wxThreadEvent);
wxDEFINE_EVENT(WM_NEW_FIRMWARE_VERSION, wxThreadEvent);

namespace Update
{

CVersion VersionOfEvent(const wxThreadEvent& event)
{
    SPackedVersion packed;
    packed.wParam = static_cast<std::uint32_t>(event.GetExtraLong());
    packed.lParam = static_cast<std::uint32_t>(event.GetInt());
    return packed.Unpack();
}

CUpdateEventSink::CUpdateEventSink(wxWindow* target) : m_pTarget(target)
{
}

void CUpdateEventSink::PostVersion(unsigned messageId, const CVersion& version)
{
    wxEventType type;
    if (messageId == kNewProgramVersionMessage)
        type = WM_NEW_PROGRAM_VERSION;
    else if (messageId == kNewFirmwareVersionMessage)
        type = WM_NEW_FIRMWARE_VERSION;
    else
        return;
    SPackedVersion packed = SPackedVersion::Pack(version);
    auto* event = new wxThreadEvent(type);
    event->SetExtraLong(static_cast<long>(packed.wParam));
    event->SetInt(static_cast<int>(packed.lParam));
    wxQueueEvent(m_pTarget, event);
}

void CUpdateEventSink::ShowMessage(const std::wstring& text, Resources::NMessageKind kind)
{
    long style = wxOK | (kind == Resources::NMessageKind::Information ? wxICON_INFORMATION : wxICON_ERROR);
    wxWindow* parent = m_pTarget;
    m_pTarget->CallAfter([parent, message = wxString(text), style]()
                         { wxMessageBox(message, wxTheApp->GetAppDisplayName(), style, parent); });
}

} // namespace Update

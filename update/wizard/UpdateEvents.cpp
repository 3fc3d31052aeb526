#include "update/wizard/UpdateEvents.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

namespace Update
{

CVersion VersionOfEvent(const wxCommandEvent& event)
{
    SPackedVersion packed;
    packed.wParam = static_cast<std::uint32_t>(event.GetInt());
    packed.lParam = static_cast<std::uint32_t>(event.GetExtraLong());
    return packed.Unpack();
}

CUpdateEventSink::CUpdateEventSink(wxWindow* target, wxEventType programEvent, wxEventType firmwareEvent)
    : m_pTarget(target), m_programEvent(programEvent), m_firmwareEvent(firmwareEvent)
{
}

void CUpdateEventSink::PostVersion(unsigned messageId, const CVersion& version)
{
    wxEventType type = wxEVT_NULL;
    if (messageId == kNewProgramVersionMessage)
        type = m_programEvent;
    else if (messageId == kNewFirmwareVersionMessage)
        type = m_firmwareEvent;
    if (type == wxEVT_NULL)
        return;
    SPackedVersion packed = SPackedVersion::Pack(version);
    auto* event = new wxCommandEvent(type);
    event->SetInt(static_cast<int>(packed.wParam));
    event->SetExtraLong(static_cast<long>(packed.lParam));
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

#include "update/wizard/UpdateEvents.h"

#include "platform/wx/UserPrompts.h"

namespace Update
{

CVersion VersionOfEvent(const wxCommandEvent& event)
{
    SPackedVersion packed;
    packed.wParam = static_cast<std::uint32_t>(event.GetInt());
    packed.lParam = static_cast<std::uint32_t>(event.GetExtraLong());
    return packed.Unpack();
}

CUpdateEventSink::CUpdateEventSink(wxWindow* target, wxEventType programEvent, wxEventType firmwareEvent,
                                   CUserPrompts& prompts, wxWindow* messageOwner)
    : m_pTarget(target), m_pMessageOwner(messageOwner != nullptr ? messageOwner : target), m_prompts(prompts),
      m_programEvent(programEvent), m_firmwareEvent(firmwareEvent)
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
    const CUserPrompts::NIcon icon = kind == Resources::NMessageKind::Information
                                         ? CUserPrompts::iconInformation
                                         : CUserPrompts::iconError;
    // Called from worker threads: the box is queued to its owner, and a queued
    // call goes with the window it was queued to.
    wxWindow* owner = m_pMessageOwner;
    wxWindow* target = m_pTarget;
    CUserPrompts* prompts = &m_prompts;
    owner->CallAfter(
        [owner, target, prompts, message = wxString(text), icon]()
        {
            // A message that arrives after its window closed belongs to the target.
            prompts->Ask(owner->IsShown() ? owner : target, message, CUserPrompts::buttonsOk, icon);
        });
}

} // namespace Update

#pragma once
// Delivers the update results to a window: version results become events of
// the types the window chose (its WM_NEW_PROGRAM_VERSION and
// WM_NEW_FIRMWARE_VERSION), queued to it; message boxes are shown on the
// user-interface thread through the prompt service, owned by the window that
// asks (the update wizard while it runs).

#include "update/UpdateUi.h"

#include <wx/event.h>
#include <wx/window.h>

class CUserPrompts;

namespace Update
{

/// The window message numbers the core is given (WM_USER + 16 and + 17).
inline constexpr unsigned kNewProgramVersionMessage = 0x410;
inline constexpr unsigned kNewFirmwareVersionMessage = 0x411;

/// The version a version event carries: GetInt() is wParam
/// ((minor << 16) | major), GetExtraLong() is lParam ((revision << 16) | build).
CVersion VersionOfEvent(const wxCommandEvent& event);

class CUpdateEventSink : public CUpdateUi
{
public:
    /// Queues to target (not owned): message 0x410 as programEvent, 0x411 as
    /// firmwareEvent. Wrap it in a CUpdateRelay that target's owner detaches
    /// before target goes. Messages are boxes of prompts owned by
    /// messageOwner (target when null) while it is shown, else by target;
    /// they are queued to messageOwner, so they go with it.
    CUpdateEventSink(wxWindow* target, wxEventType programEvent, wxEventType firmwareEvent,
                     CUserPrompts& prompts, wxWindow* messageOwner = nullptr);

    void PostVersion(unsigned messageId, const CVersion& version) override;
    void ShowMessage(const std::wstring& text, Resources::NMessageKind kind) override;

private:
    wxWindow* m_pTarget;
    wxWindow* m_pMessageOwner;
    CUserPrompts& m_prompts;
    wxEventType m_programEvent;
    wxEventType m_firmwareEvent;
};

} // namespace Update

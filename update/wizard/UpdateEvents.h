#pragma once
// The update results as wx events for the main frame, and the CUpdateUi that
// delivers them: version results become WM_NEW_PROGRAM_VERSION and
// WM_NEW_FIRMWARE_VERSION events queued to a window, message boxes are shown
// on the user-interface thread.

#include "update/UpdateUi.h"

#include <wx/event.h>
#include <wx/window.h>

/// Posted with the newer program version: GetExtraLong() is wParam
/// ((minor << 16) | major), GetInt() is lParam ((revision << 16) | build).
wxDECLARE_EVENT(WM_NEW_PROGRAM_VERSION, wxThreadEvent);
/// The same for the instrument's firmware.
wxDECLARE_EVENT(WM_NEW_FIRMWARE_VERSION, wxThreadEvent);

namespace Update
{

/// The window message numbers the core is given (WM_USER + 16 and + 17).
inline constexpr unsigned kNewProgramVersionMessage = 0x410;
inline constexpr unsigned kNewFirmwareVersionMessage = 0x411;

/// The version an event carries.
CVersion VersionOfEvent(const wxThreadEvent& event);

class CUpdateEventSink : public CUpdateUi
{
public:
    /// Queues to target (not owned). Wrap it in a CUpdateRelay that target's
    /// owner detaches before target goes.
    explicit CUpdateEventSink(wxWindow* target);

    void PostVersion(unsigned messageId, const CVersion& version) override;
    void ShowMessage(const std::wstring& text, Resources::NMessageKind kind) override;

private:
    wxWindow* m_pTarget;
};

} // namespace Update

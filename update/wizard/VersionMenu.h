#pragma once
// The main frame's "New Version available!" menu: appended to the menu bar
// while a newer program or firmware version is known, with one item for each
// (the commands "Check for updates..." and "Upgrade Terrion").

#include "streams/Version.h"

#include <wx/menu.h>

namespace Update
{

class CVersionMenu
{
public:
    static constexpr int kCheckForUpdates = 2065; ///< ID_CHECK_FOR_UPDATES
    static constexpr int kUpgradeDevice = 104;    ///< ID_DEVICE_UPGRADE

    void SetProgramVersion(const CVersion& version) { m_program = version; }
    void SetFirmwareVersion(const CVersion& version) { m_firmware = version; }
    const CVersion& ProgramVersion() const { return m_program; }
    const CVersion& FirmwareVersion() const { return m_firmware; }

    /// The item texts; empty for a version 0.
    static wxString ProgramText(const CVersion& version);
    static wxString FirmwareText(const CVersion& version);

    /// Rebuilds the popup at the end of bar from the two versions.
    void Update(wxMenuBar* bar);
    /// Takes the popup off bar and deletes it.
    void Remove(wxMenuBar* bar);
    wxMenu* Popup() const { return m_pPopup; }

private:
    CVersion m_program;
    CVersion m_firmware;
    wxMenu* m_pPopup = nullptr; ///< owned by the menu bar while appended
};

} // namespace Update

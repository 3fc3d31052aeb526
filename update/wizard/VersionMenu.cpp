#include "update/wizard/VersionMenu.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "update/TextFormat.h"

namespace Update
{

wxString CVersionMenu::ProgramText(const CVersion& version)
{
    if (version.IsZero())
        return wxString();
    return wxString(CTextFormat::Text(Resources::Ids::kUpdateProgramMenuItem, {version.ToString(3)}));
}

wxString CVersionMenu::FirmwareText(const CVersion& version)
{
    if (version.IsZero())
        return wxString();
    return wxString(CTextFormat::Text(Resources::Ids::kUpdateFirmwareMenuItem, {version.ToString(3)}));
}

void CVersionMenu::Update(wxMenuBar* bar)
{
    Remove(bar);
    wxString program = ProgramText(m_program);
    wxString firmware = FirmwareText(m_firmware);
    if (bar == nullptr || (program.empty() && firmware.empty()))
        return;
    m_pPopup = new wxMenu();
    if (!program.empty())
        m_pPopup->Append(kCheckForUpdates, program);
    if (!firmware.empty())
        m_pPopup->Append(kUpgradeDevice, firmware);
    bar->Append(m_pPopup, wxString(Resources::CStringTable::Text(Resources::Ids::kUpdateNewVersionMenu)));
    bar->Refresh();
}

void CVersionMenu::Remove(wxMenuBar* bar)
{
    if (m_pPopup == nullptr)
        return;
    bool removed = false;
    if (bar != nullptr)
    {
        for (size_t i = bar->GetMenuCount(); i-- > 0;)
            if (bar->GetMenu(i) == m_pPopup)
            {
                bar->Remove(i);
                removed = true;
            }
        bar->Refresh();
    }
    if (removed)
        delete m_pPopup;
    m_pPopup = nullptr; // a popup still on another bar belongs to that bar
}

} // namespace Update

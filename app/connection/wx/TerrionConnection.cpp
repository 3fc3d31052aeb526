#include "app/connection/wx/TerrionConnection.h"

#include "app/connection/ConnWizardSettings.h"
#include "app/connection/wx/DevSelectSheet.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

CTerrionConnection theConnection;

CTerrionConnection::~CTerrionConnection() = default;

void CTerrionConnection::Init(wxWindow* owner, int firmwareMessage, int osMessage)
{
    m_pOwner = owner;
    m_nFirmwareMessage = firmwareMessage;
    m_nOsMessage = osMessage;
}

std::wstring CTerrionConnection::WizardGroup()
{
    // The wizard's values live below the tool's settings key; without one there is nowhere to keep them.
    if (Resources::CStringTable::Text(Resources::Ids::kUpgradeToolSettingsKey).empty())
        return {};
    return CConnWizardSettings::kGroup;
}

bool CTerrionConnection::Connect(bool noCheck)
{
    if (m_pDevice)
    {
        if (noCheck)
            return true;
        if (!IsAlive())
            Disconnect();
        if (m_pDevice)
            return true;
    }

    if (!m_pPrompts)
        return false; // nothing to ask the user through, so no wizard
    // The wizard has no parent of its own; made transient for the owner (the
    // main frame), a window manager keeps it above the frame.
    CDevSelectSheet sheet(Resources::Ids::kConnWizardCaption, m_pOwner, 2, 0, *m_pPrompts);
    const std::wstring group = WizardGroup();
    std::unique_ptr<Platform::CSettingsStore> opened;
    Platform::CSettingsStore* store = m_pStore;
    if (!store && m_storeFactory)
    {
        opened = m_storeFactory();
        store = opened.get();
    }
    sheet.LoadSettings(store, group);
    sheet.Settings().deviceType = Device::typeTerrion;
    sheet.Settings().express = 0;
    const int result = sheet.DoModal();
    sheet.SaveSettings(store, group);
    if (result == CDevSelectSheet::kWizardFinish)
    {
        m_pDevice = sheet.TakeDevice();
        if (m_pDevice && !m_pFirmwareCheck && m_firmwareCheckFactory)
        {
            m_pFirmwareCheck = m_firmwareCheckFactory(m_pOwner);
            if (m_pFirmwareCheck)
                m_pFirmwareCheck->Start(*m_pDevice, m_nFirmwareMessage, m_nOsMessage);
        }
    }
    return m_pDevice != nullptr;
}

bool CTerrionConnection::IsAlive()
{
    if (!m_pDevice)
        return false;
    Device::SDeviceInfo info;
    if (!m_pDevice->IsLineLost() && m_pDevice->Identify(info))
        return true;
    DropDevice();
    return false;
}

bool CTerrionConnection::DropIfLineLost()
{
    if (!m_pDevice || !m_pDevice->IsLineLost())
        return false;
    Disconnect();
    return true;
}

void CTerrionConnection::DropDevice()
{
    if (!m_pDevice)
        return;
    m_pDevice->SetConnected(false, 0);
    m_pDevice.reset(); // closes its port
}

void CTerrionConnection::Disconnect()
{
    DropDevice();
    m_pFirmwareCheck.reset();
}

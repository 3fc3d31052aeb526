#include "app/connection/wx/DeviceCommands.h"

#include "app/connection/wx/ContactSpacingDlg.h"
#include "data/TerrionDoc.h"
#include "device/TerrionDevice.h"
#include "platform/wx/UserPrompts.h"
#include "resources/StringIds.h"
#include "streams/FileException.h"

#include <wx/utils.h>

#include <exception>
#include <vector>

namespace
{

namespace Ids = Resources::Ids;

constexpr int kProgressStart = 50;
constexpr int kProgressEnd = 1000;

/// Shows the progress and lends the frame's callback to the driver for one
/// download; both are taken back however the download ends.
class CDownloadScope
{
public:
    CDownloadScope(Device::CVnDevice& device, Device::CCallback& callback, CDownloadProgress& progress)
        : m_device(device), m_progress(progress)
    {
        m_bLent = m_device.SetCallback(&callback);
        m_progress.ShowProgress(true);
        m_progress.SetProgressPos(kProgressStart);
    }
    ~CDownloadScope()
    {
        m_progress.SetProgressPos(kProgressEnd);
        m_progress.ShowProgress(false);
        if (m_bLent)
            m_device.RemoveCallback();
    }
    CDownloadScope(const CDownloadScope&) = delete;
    CDownloadScope& operator=(const CDownloadScope&) = delete;

private:
    Device::CVnDevice& m_device;
    CDownloadProgress& m_progress;
    bool m_bLent = false;
};

} // namespace

CDeviceCommands::CDeviceCommands(wxWindow* frame, CTerrionDoc& document, CDownloadProgress& progress,
                                 CUserPrompts& prompts, CTerrionConnection& connection)
    : m_pFrame(frame), m_document(document), m_progress(progress), m_prompts(prompts),
      m_connection(connection)
{
}

void CDeviceCommands::OnProgress(int value, int, std::uint32_t)
{
    if (value < 0)
        value = 0;
    if (value > 100)
        value = 100;
    m_progress.SetProgressPos(kProgressStart + value * (kProgressEnd - kProgressStart) / 100);
}

void CDeviceCommands::OnDownloadAll()
{
    if (!m_document.Close())
        return;
    DownloadFromDevice(false);
}

void CDeviceCommands::OnAddFromDevice()
{
    DownloadFromDevice(true);
}

void CDeviceCommands::DownloadFromDevice(bool append)
{
    {
        wxBusyCursor wait;
        if (m_connection.Connect(false))
        {
            auto* terrion = dynamic_cast<Device::CTerrionDevice*>(m_connection.GetDevice());
            std::vector<Device::CTerrionDevice::TTerrionObject> objects;
            bool result = false;
            if (terrion)
            {
                CDownloadScope scope(*terrion, *this, m_progress);
                try
                {
                    result = terrion->ReadAllObjects(objects);
                }
                catch (const StreamIO::CFileException&)
                {
                    result = false;
                }
                catch (const std::exception&)
                {
                    // Whatever broke the download, the project stays as it was.
                    result = false;
                }
            }
            // A pulled cable is not waited for again: the next try opens the wizard.
            if (!result)
                m_connection.DropIfLineLost();
            if (result && !objects.empty())
                m_document.AddSeries(objects, append);
            else if (result)
                m_prompts.Ask(m_pFrame, Ids::kAppNoMeasurementsFound, CUserPrompts::buttonsOk,
                              CUserPrompts::iconInformation);
            else
                m_prompts.Ask(m_pFrame, Ids::kAppDownloadFailed, CUserPrompts::buttonsOk,
                              CUserPrompts::iconExclamation);
        }
    }
    if (m_updateTitle)
        m_updateTitle();
}

CDeviceCommands::NDeleteResult CDeviceCommands::DeleteAll(bool showSuccess)
{
    if (!m_connection.Connect(false))
    {
        m_prompts.Ask(m_pFrame, Ids::kAppNotConnected, CUserPrompts::buttonsOk,
                      CUserPrompts::iconExclamation);
        return deleteNotAsked;
    }
    if (m_prompts.Ask(m_pFrame, Ids::kAppDeleteAllQuestion, CUserPrompts::buttonsYesNo,
                      CUserPrompts::iconQuestion) != CUserPrompts::answerYes)
        return deleteNotAsked;
    auto* terrion = dynamic_cast<Device::CTerrionDevice*>(m_connection.GetDevice());
    bool deleted = false;
    {
        wxBusyCursor wait;
        deleted = terrion && terrion->DeleteAllSeries();
    }
    if (!deleted)
    {
        m_connection.DropIfLineLost();
        m_prompts.Ask(m_pFrame, Ids::kAppDeleteAllFailed, CUserPrompts::buttonsOk,
                      CUserPrompts::iconExclamation);
        return deleteFailed;
    }
    if (showSuccess)
        m_prompts.Ask(m_pFrame, Ids::kAppDeleteAllSucceeded, CUserPrompts::buttonsOk,
                      CUserPrompts::iconInformation);
    return deleteDone;
}

bool CDeviceCommands::DeleteAllOnDevice(bool showSuccess)
{
    return DeleteAll(showSuccess) != deleteNotAsked;
}

void CDeviceCommands::EditMeasurementSettings()
{
    Device::CTerrionDevice* terrion = nullptr;
    Device::CTerrionDevice::TMeasSettings settings{};
    {
        wxBusyCursor wait;
        if (m_connection.Connect(false))
            terrion = dynamic_cast<Device::CTerrionDevice*>(m_connection.GetDevice());
        if (!terrion)
        {
            m_prompts.Ask(m_pFrame, Ids::kAppNotConnected, CUserPrompts::buttonsOk,
                          CUserPrompts::iconExclamation);
            return;
        }
        if (!terrion->ReadSettings(settings))
        {
            m_connection.DropIfLineLost();
            m_prompts.Ask(m_pFrame, Ids::kAppSettingsLoadFailed, CUserPrompts::buttonsOk,
                          CUserPrompts::iconExclamation);
            return;
        }
    }

    CContactSpacingDlg dialog(m_pFrame, m_prompts);
    dialog.SetRecord(settings);
    if (dialog.ShowModal() != wxID_OK)
        return;

    // Settings written over series measured with the old ones would misread
    // them; without a successful deletion nothing is written.
    if (DeleteAll(false) != deleteDone)
    {
        m_prompts.Ask(m_pFrame, Ids::kAppSettingsNotChanged, CUserPrompts::buttonsOk,
                      CUserPrompts::iconExclamation);
        return;
    }
    bool written = false;
    {
        wxBusyCursor wait;
        wxMilliSleep(static_cast<unsigned long>(m_nWritePauseMs));
        // The deletion connected again, which may have brought another instrument object.
        terrion = dynamic_cast<Device::CTerrionDevice*>(m_connection.GetDevice());
        written = terrion && terrion->WriteSettings(dialog.GetRecord());
    }
    if (!written)
        m_connection.DropIfLineLost();
    if (written)
        m_prompts.Ask(m_pFrame, Ids::kAppSettingsChanged, CUserPrompts::buttonsOk,
                      CUserPrompts::iconInformation);
    else
        m_prompts.Ask(m_pFrame, Ids::kAppSettingsChangeFailed, CUserPrompts::buttonsOk,
                      CUserPrompts::iconExclamation);
}

void CDeviceCommands::UpgradeDevice()
{
    if (m_prompts.Ask(m_pFrame, Ids::kAppUpgradeQuestion, CUserPrompts::buttonsYesNo,
                      CUserPrompts::iconQuestion) != CUserPrompts::answerYes)
        return;
    bool started = false;
    {
        wxBusyCursor wait;
        m_connection.Disconnect(); // the tool needs the port
        if (m_beforeUpgrade)
            m_beforeUpgrade();
        started = m_upgradeTool.Run();
    }
    if (!started)
        m_upgradeTool.ShowNotStarted(m_prompts, m_pFrame);
}

#pragma once
// The main frame's device commands: download all series into a new or the
// open project, delete all series on the instrument, edit its measurement
// settings, and run the firmware-upgrade tool. They run on the user-interface
// thread and talk to the instrument held by the connection; the download's
// progress comes back through the driver's callback.

#include "app/connection/DownloadProgress.h"
#include "app/connection/wx/TerrionConnection.h"
#include "app/connection/wx/UpgradeTool.h"
#include "device/Callback.h"

#include <wx/string.h>

#include <functional>

class CTerrionDoc;
class CUserPrompts;
class wxWindow;

class CDeviceCommands : public Device::CCallback
{
public:
    /// The commands' boxes are asked through prompts, owned by frame.
    CDeviceCommands(wxWindow* frame, CTerrionDoc& document, CDownloadProgress& progress,
                    CUserPrompts& prompts, CTerrionConnection& connection = theConnection);

    /// Command 2024: closes the project (the save question may cancel), then downloads.
    void OnDownloadAll();
    /// Command 2086: downloads and appends to the open project.
    void OnAddFromDevice();
    /// The download road; a failure leaves the project as it was.
    void DownloadFromDevice(bool append);
    /// Command 2067 (with showSuccess): false when there is no instrument or the user said No.
    bool DeleteAllOnDevice(bool showSuccess);
    /// Command 2068.
    void EditMeasurementSettings();
    /// Command 104: frees the port and runs the firmware-upgrade tool, waiting
    /// for it; a tool that does not start is said.
    void UpgradeDevice();

    /// Called after a download (the frame's title), before the upgrade tool
    /// starts (the tool's settings, the firmware version menu).
    void SetTitleUpdate(std::function<void()> update) { m_updateTitle = std::move(update); }
    void SetBeforeUpgrade(std::function<void()> before) { m_beforeUpgrade = std::move(before); }
    /// The tool beside the running program unless set.
    void SetUpgradeTool(const CUpgradeTool& tool) { m_upgradeTool = tool; }
    const CUpgradeTool& GetUpgradeTool() const { return m_upgradeTool; }
    /// The pause between the deletion and the settings write.
    void SetSettingsWritePauseMs(int ms) { m_nWritePauseMs = ms; }

    // Device::CCallback: only progress is shown.
    void OnDeviceFound(std::unique_ptr<Device::CVnDevice>) override {}
    void OnStatusText(const std::wstring&) override {}
    void OnFinished(const std::wstring&, int) override {}
    /// value is the driver's percentage; the bar runs from 50 to 1000.
    void OnProgress(int value, int bar, std::uint32_t durationMs) override;

private:
    enum NDeleteResult
    {
        deleteNotAsked, ///< no instrument, or the user said No
        deleteFailed,
        deleteDone,
    };
    NDeleteResult DeleteAll(bool showSuccess);

    wxWindow* m_pFrame;
    CTerrionDoc& m_document;
    CDownloadProgress& m_progress;
    CUserPrompts& m_prompts;
    CTerrionConnection& m_connection;
    std::function<void()> m_updateTitle;
    std::function<void()> m_beforeUpgrade;
    CUpgradeTool m_upgradeTool;
    int m_nWritePauseMs = 2000;
};

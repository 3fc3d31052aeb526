#pragma once
// The program's only top-level window: menu, toolbar with the logo, status
// bar, the child view with the tab sheet, the project document and the
// progress dialog. It opens the project named on the command line or dropped
// on it, asks the save question on close, and shows the "New Version
// available!" menu when an update check reports a newer version.
//
// The device commands (download, add, delete all, measurement settings,
// upgrade; their ids are in kDeviceCommands) run through CDeviceCommands
// with the instrument held by theConnection.

#include "app/shell/AppDocumentUi.h"
#include "data/TerrionDoc.h"
#include "streams/Version.h"

#include <wx/frame.h>

#include <memory>

class CChildView;
class CDeviceCommands;
class CDownloadProgress;
class CLogo;
class CProgressDlg;
class CToolBarExt;
class wxMenu;
class wxMenuBar;
class wxUpdateUIEvent;

namespace Update
{
class CAutoUpdate;
class CUpdateFrameLink;
class CUpdateUi;
} // namespace Update

class CMainFrame : public wxFrame
{
public:
    CMainFrame();
    ~CMainFrame() override;

    CTerrionDoc& Document() { return m_doc; }
    CChildView* ChildView() const { return m_childView; }
    CProgressDlg& ProgressDlg() { return *m_progress; }
    CToolBarExt* ToolBar() const { return m_toolBar; }
    CLogo* Logo() const { return m_logo; }
    CDeviceCommands& DeviceCommands() { return *m_deviceCommands; }

    /// Opens args[1] as a project when args holds the program and exactly one more.
    void OpenFromCommandLine(const wxArrayString& args);
    /// Opens the first file when its name ends in ".vnr" (any case); ignores the rest.
    void OpenDroppedFiles(const wxArrayString& files);

    /// After the settings dialog: a language change relabels menu, toolbar
    /// and logo; either change tells the views.
    void ApplySettingsChange(bool languageChanged, bool formatChanged);
    /// Rebuilds the menu bar with the texts of the current language.
    void RebuildMenuBar();

    /// Rebuilds the update popup from the newer versions known.
    void UpdateVersionMenu();
    /// Removes the update popup from the menu bar.
    void RemoveVersionMenu();
    const CVersion& NewerProgramVersion() const { return m_newerProgram; }
    const CVersion& NewerFirmwareVersion() const { return m_newerFirmware; }
    /// The update popup while it is shown, else nullptr.
    wxMenu* VersionMenu() const { return m_versionMenu; }

    /// Where the firmware check of a connection reports: WM_NEW_FIRMWARE_VERSION
    /// reaches this frame through it while the frame lives.
    std::shared_ptr<Update::CUpdateUi> UpdateReceiver() const;
    /// Whether the start-up update check is still running.
    bool IsUpdateCheckRunning() const;

    /// Whether the command is enabled now (asks its update handler).
    bool IsCommandEnabled(int command);

    static constexpr int kDeviceCommands[] = {2024, 2086, 2067, 2068, 104};

protected:
    /// Offers every command to the child view first, then to the frame.
    bool TryBefore(wxEvent& event) override;

private:
    wxMenuBar* BuildMenuBar() const;
    void BuildToolBar();
    void BuildStatusBar();
    void OnClose(wxCloseEvent& event);
    void OnAppSettings(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnDeviceCommand(wxCommandEvent& event);
    void OnNewProgramVersion(wxCommandEvent& event);
    void OnNewFirmwareVersion(wxCommandEvent& event);
    void OnLogoClick(wxCommandEvent& event);
    void OnCheckForUpdates(wxCommandEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnMenuHighlight(wxMenuEvent& event);

    CAppDocumentUi m_docUi;
    CTerrionDoc m_doc;
    CToolBarExt* m_toolBar = nullptr;
    CLogo* m_logo = nullptr;
    CProgressDlg* m_progress = nullptr;
    CChildView* m_childView = nullptr;
    wxMenu* m_versionMenu = nullptr;
    CVersion m_newerProgram;
    CVersion m_newerFirmware;
    bool m_forwarding = false;

    // Update services: the start-up check (gone once the frame starts
    // closing) and the receiver that the firmware checks post to.
    std::unique_ptr<Update::CUpdateFrameLink> m_updateLink;
    std::unique_ptr<Update::CAutoUpdate> m_autoUpdate;
    std::unique_ptr<CDownloadProgress> m_downloadProgress;
    std::unique_ptr<CDeviceCommands> m_deviceCommands;
};

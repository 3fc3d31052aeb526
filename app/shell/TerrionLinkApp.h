#pragma once
// The application object: start-up and exit in their fixed order, the
// settings, the language library, the message boxes and the services the
// windows share (prompts, desktop shell, settings stores).

#include "app/shell/ProgramSettings.h"
#include "platform/SettingsStore.h"
#include "platform/wx/UserPrompts.h"
#include "streams/FileVersionInfo.h"

#include <wx/app.h>

#include <functional>
#include <memory>

namespace Platform
{
class CSettingsStore;
}
class CAppDeviceThreadHost;
class CMainFrame;
class COsShell;

class CTerrionLinkApp : public wxApp
{
public:
    /// What the application works with; tests give in-memory stand-ins.
    struct SServices
    {
        std::unique_ptr<Platform::CSettingsStore> settings;
        /// Opens the firmware-upgrade tool's store when its settings are written.
        std::function<std::unique_ptr<Platform::CSettingsStore>()> upgradeSettings;
        std::unique_ptr<CUserPrompts> prompts;
        std::unique_ptr<COsShell> shell;
        /// The program's full path: its folder holds the language libraries,
        /// the upgrade tool and the default help folder.
        std::wstring programPath;
    };

    /// The real services: wxConfig stores, real dialogs, the running program's path.
    CTerrionLinkApp();
    explicit CTerrionLinkApp(SServices services);
    ~CTerrionLinkApp() override;

    bool OnInit() override;
    int OnExit() override;
    /// A command that threw is reported and the program goes on.
    bool OnExceptionInMainLoop() override;

    // Settings
    CProgramSettings& Settings() { return *m_settings; }
    /// Stores the language file and loads it at once.
    bool SetLanguageFile(const std::wstring& path);
    std::wstring GetLanguageFile(bool fullPath) { return m_settings->GetLanguageFile(fullPath); }
    bool SetDTFormat(std::uint32_t value);
    std::uint32_t GetDTFormat() const { return m_settings->DtFormat(); }
    std::wstring GetDateFormatString(unsigned* stringId = nullptr) const;
    std::wstring GetTimeFormatString(unsigned* stringId = nullptr) const;
    /// Writes the upgrade tool's "Pfad" and "LanguageFile"; always true.
    bool WriteUpgradeToolSettings();

    /// Selects the texts of "LanguageFile": a matching language library in
    /// front of the built-in texts, or the built-in texts alone.
    void LoadLanguageDll();

    const CFileVersionInfo& ProgramVersion() const { return m_programVersion; }
    /// The loaded language library's version, or the program's own.
    const CFileVersionInfo& LanguageVersion() const { return m_languageVersion; }

    // Messages
    /// The report box of a severity kind (0 information, 1 warning, 2 error,
    /// 3 fatal error); returns wxID_OK or wxID_CANCEL. It belongs to the main
    /// window, or to the modal window open over it.
    int ReportMessage(unsigned kind, const wxString& text, int reserved, const char* sourceFile, int line);

    void OnAppAbout();

    /// Every message box and file dialog of the program goes through these.
    CUserPrompts& Prompts() { return *m_services.prompts; }
    COsShell& Shell() { return *m_services.shell; }
    /// Opens the firmware-upgrade tool's settings store (null when there is none).
    std::unique_ptr<Platform::CSettingsStore> OpenUpgradeSettings()
    {
        return m_services.upgradeSettings ? m_services.upgradeSettings() : nullptr;
    }
    /// The program's own settings store, safe to share with worker threads.
    std::shared_ptr<Platform::CSettingsStore> SettingsStore() const { return m_settingsStore; }
    CMainFrame* MainFrame() const { return m_mainFrame; }
    void ForgetMainFrame() { m_mainFrame = nullptr; }
    /// Creates, shows and returns the main frame (start-up does this once).
    CMainFrame* CreateMainFrame();

private:
    /// A settings error box at start-up (no owner window yet).
    void ShowSettingsError(unsigned textId);
    /// The window a box without an asking window belongs to: the innermost
    /// modal window open, else the main frame (none before it exists).
    wxWindow* ReportOwner() const;

    SServices m_services;
    std::shared_ptr<Platform::CSettingsStore> m_settingsStore;
    std::unique_ptr<CProgramSettings> m_settings;
    std::shared_ptr<CAppDeviceThreadHost> m_deviceHost;
    CFileVersionInfo m_programVersion;
    CFileVersionInfo m_languageVersion;
    CMainFrame* m_mainFrame = nullptr;
    bool m_deviceThreadStarted = false;
};

/// The running application object.
CTerrionLinkApp& TheApp();

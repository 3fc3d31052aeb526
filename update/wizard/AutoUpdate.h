#pragma once
// The update object of the main frame. One lives for the frame's whole life
// and runs only the start-up check; the "Check for updates..." command makes
// a second one and runs its wizard: the search page asks the server what it
// offers, the download page copies the chosen installer next to the program
// and starts it. The window is created only when the wizard runs.
//
// The main frame keeps one for its life:
//   m_autoUpdate = std::make_unique<Update::CAutoUpdate>(this, WM_NEW_PROGRAM_VERSION, prompts);
//   m_autoUpdate->StartCheckThread(Update::kNewProgramVersionMessage);
// and deletes it when it closes (the check stops within the bounded wait).
// "Check for updates..." runs a second one on the stack:
//   Update::CAutoUpdate wizard(this, WM_NEW_PROGRAM_VERSION, prompts);
//   wizard.SetLauncher(...);  // the desktop's default handler
//   if (wizard.RunWizard(false, true)) Close();

#include "update/ProgramUpdate.h"
#include "update/UpdateRelay.h"
#include "update/wizard/UpdateEvents.h"

#include <wx/wizard.h>

#include <filesystem>
#include <functional>
#include <memory>

class CUserPrompts;

namespace Update
{

class CPageSearch;
class CPageDownload;

class CAutoUpdate : public wxWizard
{
public:
    /// Opens a downloaded installer; true when it started.
    using TLauncher = std::function<bool(const std::filesystem::path&)>;

    /// parent owns the wizard window and receives the start-up check's
    /// result as programEvent (its WM_NEW_PROGRAM_VERSION). The wizard's
    /// messages are boxes of prompts that the wizard owns while it runs.
    CAutoUpdate(wxWindow* parent, wxEventType programEvent, CUserPrompts& prompts);
    /// Stops the check thread (bounded wait); nothing is posted afterwards.
    ~CAutoUpdate() override;

    /// Starts the start-up check, which posts messageId (the window message
    /// number, 0x410 for WM_NEW_PROGRAM_VERSION) to the parent.
    bool StartCheckThread(unsigned messageId);
    /// Runs the wizard modally; true exactly when an installer was started.
    /// forced: the limits mode of the maker's support tools, which no command
    /// of this program uses; it runs as the normal search.
    bool RunWizard(bool forced, bool showMessages);

    CProgramUpdate& Program() { return *m_program; }
    /// The folder downloads go to: the program's own folder unless set.
    const std::filesystem::path& ProgramFolder() const { return m_programFolder; }
    void SetProgramFolder(const std::filesystem::path& folder) { m_programFolder = folder; }
    void SetLauncher(TLauncher launcher) { m_launcher = std::move(launcher); }
    bool Launch(const std::filesystem::path& path) const { return m_launcher(path); }

    /// The installer the search page found (empty name when none).
    const SInstaller& Installer() const { return m_installer; }
    void SetInstaller(const SInstaller& installer) { m_installer = installer; }

    /// Set by the download page when the installer has started.
    void SetInstallerStarted() { m_bInstallerStarted = true; }

    CPageSearch* PageSearch() const { return m_pPageSearch; }
    CPageDownload* PageDownload() const { return m_pPageDownload; }

    /// Enables the wizard's buttons and labels the forward one "Next >" or "Finish".
    void SetButtons(bool back, bool next, bool finish);

private:
    void OnPageShown(wxWizardEvent& event);
    void OnFinishedOrCancelled(wxWizardEvent& event);

    wxWindow* m_pParent;
    std::filesystem::path m_programFolder;
    std::unique_ptr<CProgramUpdate> m_program;
    std::unique_ptr<CUpdateEventSink> m_sink;
    std::shared_ptr<CUpdateRelay> m_relay; ///< to the parent; detached when this goes
    CPageSearch* m_pPageSearch = nullptr;
    CPageDownload* m_pPageDownload = nullptr;
    SInstaller m_installer;
    bool m_bInstallerStarted = false;
    TLauncher m_launcher;
};

} // namespace Update

#pragma once
// The running application under test: one CTerrionLinkApp per process with
// an in-memory settings store, scripted message boxes and file dialogs, and a
// desktop shell that only records. A fresh main frame for every test.

#include "app/shell/OsShell.h"
#include "platform/MemorySettingsStore.h"
#include "platform/wx/UserPrompts.h"

#include <gtest/gtest.h>
#include <wx/string.h>

#include <deque>
#include <string>
#include <vector>

class CMainFrame;
class CTerrionLinkApp;

namespace TerrionTest
{

/// Message boxes answered from a queue (Cancel, or OK for an OK-only box,
/// when it is empty) and file dialogs from a queue of paths; what was asked
/// is kept with the window that asked.
class CFakePrompts : public CUserPrompts
{
public:
    struct SAsked : SMessage
    {
        wxWindow* owner = nullptr;
        /// The owner's title and parent when it asked (a wizard is gone afterwards).
        wxString ownerTitle;
        wxWindow* ownerParent = nullptr;
    };

    NAnswer ShowMessage(wxWindow* owner, const SMessage& message) override;
    bool ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path) override;

    std::deque<NAnswer> answers;
    std::deque<wxString> paths;
    std::vector<SAsked> messages;
    std::vector<SFileRequest> requests;
};

class CFakeShell : public COsShell
{
public:
    bool OpenUrl(const wxString& url) override;
    bool OpenDocument(const wxString& path) override;

    std::vector<wxString> urls;
    std::vector<wxString> documents;
};

/// Starts wxWidgets with the application once per process.
class CAppEnvironment : public ::testing::Environment
{
public:
    CAppEnvironment(int argc, char** argv) : m_argc(argc), m_argv(argv) {}
    void SetUp() override;
    void TearDown() override;

    static CTerrionLinkApp& App();
    static CFakePrompts& Prompts();
    static CFakeShell& Shell();
    static Platform::CMemorySettingsStore& Store();
    static Platform::CMemorySettingsStore& UpgradeStore();

private:
    int m_argc;
    char** m_argv;
};

/// A fresh main frame with the built-in texts; the fakes emptied.
class CAppTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& Frame() { return *m_frame; }
    CFakePrompts& Prompts() { return CAppEnvironment::Prompts(); }
    CFakeShell& Shell() { return CAppEnvironment::Shell(); }
    CTerrionLinkApp& App() { return CAppEnvironment::App(); }

    /// Runs a menu command through the frame as the menu would.
    void Command(int command);
    /// Lets queued events (document notifications) arrive.
    static void Pump();
    /// A project file of the test data.
    static std::wstring ProjectFile(const std::string& name);
    /// The frame's title.
    wxString Title();

    CMainFrame* m_frame = nullptr;
};

/// Answers the connection wizard while it lives: Next on the port page,
/// Finish once the search found the instrument (Cancel when it found none).
class CWizardAnswers
{
public:
    CWizardAnswers();
    ~CWizardAnswers();
    CWizardAnswers(const CWizardAnswers&) = delete;
    CWizardAnswers& operator=(const CWizardAnswers&) = delete;

    int pages = 0;
};

/// The connection wizard's settings: the Terrion on COM `port`, no search of other ports.
void PointTheWizardAt(int port);

/// The folder of the test program (where the test language library lies).
std::wstring ProgramFolder();
/// The test language library beside the test program.
std::wstring TestLanguageLibrary();

} // namespace TerrionTest

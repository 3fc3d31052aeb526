#include "tests/app/AppTestSupport.h"

#include "app/connection/wx/DevFoundPage.h"
#include "app/connection/wx/DevSelectSheet.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramSettings.h"
#include "app/shell/TerrionLinkApp.h"
#include "resources/StringTable.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/msgdlg.h>

namespace TerrionTest
{
namespace
{

CTerrionLinkApp* g_app = nullptr;
CFakePrompts* g_prompts = nullptr;
CFakeShell* g_shell = nullptr;
Platform::CMemorySettingsStore* g_store = nullptr;
Platform::CMemorySettingsStore g_upgradeStore;

/// Forwards to a store that outlives the application's use of it.
class CStoreRef : public Platform::CSettingsStore
{
public:
    explicit CStoreRef(Platform::CMemorySettingsStore& store) : m_store(store) {}
    bool ReadString(const std::wstring& g, const std::wstring& n, std::wstring& v) const override
    {
        return m_store.ReadString(g, n, v);
    }
    bool ReadNumber(const std::wstring& g, const std::wstring& n, std::uint32_t& v) const override
    {
        return m_store.ReadNumber(g, n, v);
    }
    bool WriteString(const std::wstring& g, const std::wstring& n, const std::wstring& v) override
    {
        return m_store.WriteString(g, n, v);
    }
    bool WriteNumber(const std::wstring& g, const std::wstring& n, std::uint32_t v) override
    {
        return m_store.WriteNumber(g, n, v);
    }
    bool Flush() override { return m_store.Flush(); }

private:
    Platform::CMemorySettingsStore& m_store;
};

} // namespace

CUserPrompts::NAnswer CFakePrompts::ShowMessage(wxWindow* owner, const SMessage& message)
{
    SAsked asked;
    static_cast<SMessage&>(asked) = message;
    asked.owner = owner;
    if (owner)
    {
        asked.ownerTitle = owner->GetLabel();
        asked.ownerParent = owner->GetParent();
    }
    messages.push_back(asked);
    if (!answers.empty())
    {
        const NAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return message.buttons == buttonsOk ? answerOk : answerCancel;
}

bool CFakePrompts::ChooseFile(wxWindow*, const SFileRequest& request, wxString* path)
{
    requests.push_back(request);
    if (paths.empty())
        return false;
    *path = paths.front();
    paths.pop_front();
    return true;
}

bool CFakeShell::OpenUrl(const wxString& url)
{
    urls.push_back(url);
    return true;
}

bool CFakeShell::OpenDocument(const wxString& path)
{
    documents.push_back(path);
    return true;
}

void CAppEnvironment::SetUp()
{
    CTerrionLinkApp::SServices services;
    auto store = std::make_unique<Platform::CMemorySettingsStore>();
    g_store = store.get();
    // The store lives for the whole process; the app gets a forwarding view.
    static std::unique_ptr<Platform::CMemorySettingsStore> keep;
    keep = std::move(store);
    services.settings = std::make_unique<CStoreRef>(*g_store);
    services.upgradeSettings = [] { return std::make_unique<CStoreRef>(g_upgradeStore); };
    auto prompts = std::make_unique<CFakePrompts>();
    g_prompts = prompts.get();
    services.prompts = std::move(prompts);
    auto shell = std::make_unique<CFakeShell>();
    g_shell = shell.get();
    services.shell = std::move(shell);
    services.programPath = CProgramSettings::RunningProgramPath();

    g_app = new CTerrionLinkApp(std::move(services));
    wxApp::SetInstance(g_app);
    ASSERT_TRUE(wxEntryStart(m_argc, m_argv));
    // The program itself gets no arguments here.
    g_app->argc = 1;
    ASSERT_TRUE(g_app->CallOnInit());
}

void CAppEnvironment::TearDown()
{
    if (CMainFrame* frame = g_app->MainFrame())
        delete frame;
    g_app->OnExit();
    wxEntryCleanup();
}

CTerrionLinkApp& CAppEnvironment::App()
{
    return *g_app;
}

CFakePrompts& CAppEnvironment::Prompts()
{
    return *g_prompts;
}

CFakeShell& CAppEnvironment::Shell()
{
    return *g_shell;
}

Platform::CMemorySettingsStore& CAppEnvironment::Store()
{
    return *g_store;
}

Platform::CMemorySettingsStore& CAppEnvironment::UpgradeStore()
{
    return g_upgradeStore;
}

void CAppTest::SetUp()
{
    // Every test starts with the program's own texts and formats.
    if (App().Settings().LanguageFile() != App().Settings().ProgramPath())
        App().SetLanguageFile(App().Settings().ProgramPath());
    App().SetDTFormat(0);
    if (CMainFrame* old = App().MainFrame())
        delete old;
    Pump();
    m_frame = App().CreateMainFrame();
    Pump();
    Prompts().answers.clear();
    Prompts().paths.clear();
    Prompts().messages.clear();
    Prompts().requests.clear();
    Shell().urls.clear();
    Shell().documents.clear();
}

void CAppTest::TearDown()
{
    Pump();
}

void CAppTest::Command(int command)
{
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(m_frame);
    m_frame->HandleWindowEvent(event);
}

void CAppTest::Pump()
{
    for (int i = 0; i < 3; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
    wxTheApp->ProcessIdle();
}

std::wstring CAppTest::ProjectFile(const std::string& name)
{
    return wxString::FromUTF8(std::string(TERRION_TEST_DATA_DIR) + "/project/" + name).ToStdWstring();
}

wxString CAppTest::Title()
{
    return m_frame->GetTitle();
}

CWizardAnswers::CWizardAnswers()
{
    CDevSelectSheet::SetTestObserver(
        [this](CDevSelectSheet& sheet, CDevSelectSheet::NStep step)
        {
            if (step == CDevSelectSheet::stepPageShown)
            {
                ++pages;
                if (sheet.GetCurrentPage() == sheet.GetFoundPage())
                    return; // the search runs by itself
            }
            const int button =
                step == CDevSelectSheet::stepSearchEnded && !sheet.IsButtonEnabled(wxID_FORWARD)
                    ? wxID_CANCEL
                    : wxID_FORWARD;
            wxTheApp->CallAfter([&sheet, button] { sheet.PressButton(button); });
        });
}

CWizardAnswers::~CWizardAnswers()
{
    CDevSelectSheet::SetTestObserver({});
}

void PointTheWizardAt(int port)
{
    auto& store = CAppEnvironment::UpgradeStore();
    store.WriteNumber(L"ConnWizard", L"ComPort", port);
    store.WriteNumber(L"ConnWizard", L"CommPort", 1);
    store.WriteNumber(L"ConnWizard", L"Scan", 0);
}

std::wstring ProgramFolder()
{
    const std::wstring path = CProgramSettings::RunningProgramPath();
    return path.substr(0, path.rfind(L'/'));
}

std::wstring TestLanguageLibrary()
{
    return ProgramFolder() + L"/TerrionLink_TST.so";
}

} // namespace TerrionTest

#include "app/shell/TerrionLinkApp.h"

#include "app/shell/AboutDlg.h"
#include "app/shell/AppDeviceThreadHost.h"
#include "app/shell/LanguageLibrary.h"
#include "app/shell/MainFrame.h"
#include "app/shell/WxOsShell.h"
#include "app/shell/WxSettingsStore.h"
#include "device/DeviceThread.h"
#include "platform/LockedSettingsStore.h"
#include "platform/SettingsStore.h"
#include "platform/wx/WxUserPrompts.h"
#include "resources/MessageKind.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/wx/WxText.h"
#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "views/DateTimeFormat.h"

#include <wx/dialog.h>
#include <wx/image.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

/// Fills in the real service of every one not given (wx must be running).
void CompleteServices(CTerrionLinkApp::SServices& services)
{
    if (!services.settings)
        services.settings = CWxSettingsStore::ForApplication(L"TerrionLink");
    if (!services.upgradeSettings)
        services.upgradeSettings = [] { return CWxSettingsStore::ForApplication(L"VnUpgrade"); };
    if (!services.prompts)
        services.prompts = std::make_unique<CWxUserPrompts>();
    if (!services.shell)
        services.shell = std::make_unique<CWxOsShell>();
    if (services.programPath.empty())
        services.programPath = CProgramSettings::RunningProgramPath();
}

} // namespace

CTerrionLinkApp& TheApp()
{
    return *static_cast<CTerrionLinkApp*>(wxApp::GetInstance());
}

CTerrionLinkApp::CTerrionLinkApp() : CTerrionLinkApp(SServices())
{
}

CTerrionLinkApp::CTerrionLinkApp(SServices services) : m_services(std::move(services))
{
    SetAppName(L"TerrionLink");
    SetVendorName(L"Varnel");
}

CTerrionLinkApp::~CTerrionLinkApp() = default;

bool CTerrionLinkApp::OnInit()
{
    CompleteServices(m_services);
    // One store for the program's settings, shared with the firmware check's worker.
    m_settingsStore = std::make_shared<Platform::CLockedSettingsStore>(std::move(m_services.settings));
    m_settings = std::make_unique<CProgramSettings>(*m_settingsStore, m_services.programPath,
                                                    [this](unsigned id) { ShowSettingsError(id); });
    m_programVersion.Create(m_services.programPath);
    m_settings->Read();
    LoadLanguageDll();

    try
    {
        StreamIO::Initialize();
        m_deviceHost = std::make_shared<CAppDeviceThreadHost>(
            [this](unsigned kind, const std::wstring& text, const std::string& source, int line)
            { ReportMessage(kind, text, 0, source.c_str(), line); });
        Device::SetDeviceThreadHost(m_deviceHost);
        if (!Device::StartDeviceThread())
            throw StreamIO::CFileException(8, L"DeviceThread"); // not enough resources for a thread
        m_deviceThreadStarted = true;
    }
    catch (const std::exception& error)
    {
        // The box names what failed, not only that something did.
        ReportMessage(static_cast<unsigned>(Resources::NMessageKind::FatalError),
                      WxText(Ids::kAppUnhandledException) + L":\n" + wxString::FromUTF8(error.what()), 0,
                      "TerrionLink", 122);
        return false;
    }

    wxInitAllImageHandlers();
    CreateMainFrame()->OpenFromCommandLine(argv.GetArguments());
    return true;
}

CMainFrame* CTerrionLinkApp::CreateMainFrame()
{
    m_mainFrame = new CMainFrame();
    SetTopWindow(m_mainFrame);
    m_mainFrame->Show();
    m_mainFrame->Update();
    return m_mainFrame;
}

int CTerrionLinkApp::OnExit()
{
    if (m_deviceHost)
        m_deviceHost->Detach();
    if (m_deviceThreadStarted)
        Device::StopDeviceThread();
    m_deviceThreadStarted = false;
    StreamIO::Terminate();
    return wxApp::OnExit();
}

bool CTerrionLinkApp::OnExceptionInMainLoop()
{
    wxString text = WxText(Ids::kAppCommandFailed);
    try
    {
        throw;
    }
    catch (const std::exception& error)
    {
        text += L"\n" + wxString::FromUTF8(error.what());
    }
    catch (...)
    {
    }
    ReportMessage(static_cast<unsigned>(Resources::NMessageKind::Error), text, 0, "TerrionLink", 0);
    return true;
}

void CTerrionLinkApp::ShowSettingsError(unsigned textId)
{
    m_services.prompts->ShowMessage(nullptr, {WxText(textId), WxText(Ids::kAppErrorCaption),
                                              CUserPrompts::buttonsOk, CUserPrompts::iconError});
}

bool CTerrionLinkApp::SetLanguageFile(const std::wstring& path)
{
    m_settings->SetLanguageFile(path);
    LoadLanguageDll();
    return true;
}

bool CTerrionLinkApp::SetDTFormat(std::uint32_t value)
{
    m_settings->SetDtFormat(value);
    return true;
}

std::wstring CTerrionLinkApp::GetDateFormatString(unsigned* stringId) const
{
    return CDateTimeFormat::GetDateFormatString(m_settings->DtFormat(), stringId);
}

std::wstring CTerrionLinkApp::GetTimeFormatString(unsigned* stringId) const
{
    return CDateTimeFormat::GetTimeFormatString(m_settings->DtFormat(), stringId);
}

bool CTerrionLinkApp::WriteUpgradeToolSettings()
{
    if (!m_services.upgradeSettings)
        return true;
    if (auto store = m_services.upgradeSettings())
        m_settings->WriteUpgradeToolSettings(*store);
    return true;
}

void CTerrionLinkApp::LoadLanguageDll()
{
    m_languageVersion = m_programVersion;
    const std::wstring& file = m_settings->LanguageFile();
    if (!CLanguageLibrary::IsLibraryName(file))
    {
        Resources::CStringTable::Install(nullptr);
        return;
    }
    // A library that does not match leaves the texts in use as they are.
    if (auto texts = CLanguageLibrary::Load(file, m_programVersion))
    {
        Resources::CStringTable::Install(std::move(texts));
        m_languageVersion.Create(file);
    }
}

int CTerrionLinkApp::ReportMessage(unsigned kind, const wxString& text, int reserved, const char* sourceFile,
                                   int line)
{
    (void)reserved;
    (void)sourceFile;
    (void)line;
    CUserPrompts::SMessage message;
    unsigned caption = Ids::kAppCaptionError;
    message.buttons = CUserPrompts::buttonsOk;
    message.icon = CUserPrompts::iconError;
    bool reportRequest = false;
    switch (kind)
    {
    case 0:
        caption = Ids::kAppCaptionInformation;
        message.buttons = CUserPrompts::buttonsOkCancel;
        message.icon = CUserPrompts::iconInformation;
        break;
    case 1:
        caption = Ids::kAppCaptionWarning;
        message.buttons = CUserPrompts::buttonsOkCancel;
        message.icon = CUserPrompts::iconExclamation;
        break;
    case 2:
        message.buttons = CUserPrompts::buttonsOkCancel;
        reportRequest = true;
        break;
    case 3:
        caption = Ids::kAppCaptionFatalError;
        reportRequest = true;
        break;
    default:
        break;
    }
    message.text = text;
    if (reportRequest && Resources::CStringTable::Has(Ids::kAppReportRequest))
    {
        wxString request = WxText(Ids::kAppReportRequest);
        request.Replace(L"\r\n", L"\n");
        message.text += request;
    }
    message.caption = WxText(caption);
    return m_services.prompts->ShowMessage(ReportOwner(), message) == CUserPrompts::answerOk ? wxID_OK
                                                                                             : wxID_CANCEL;
}

wxWindow* CTerrionLinkApp::ReportOwner() const
{
    // A box owned by the frame while a modal window is open would leave that
    // window underneath it, still modal, once the box goes.
    wxWindow* owner = m_mainFrame;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal() && dialog->IsShown())
            owner = dialog;
    return owner;
}

void CTerrionLinkApp::OnAppAbout()
{
    CAboutDlg dialog(GetTopWindow(), m_programVersion, m_languageVersion);
    dialog.ShowModal();
}

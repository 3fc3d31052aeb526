#include "app/shell/MainFrame.h"

#include "app/connection/wx/DeviceCommands.h"
#include "app/connection/wx/TerrionConnection.h"
#include "app/connection/wx/UpgradeTool.h"
#include "app/shell/AppEvents.h"
#include "app/shell/AppFirmwareCheck.h"
#include "app/shell/AppSettings.h"
#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/FocusReturn.h"
#include "app/shell/FrameDownloadProgress.h"
#include "app/shell/Logo.h"
#include "app/shell/OsShell.h"
#include "app/shell/ProgramSettings.h"
#include "app/shell/ProgressDlg.h"
#include "app/shell/ProjectDropTarget.h"
#include "app/shell/TerrionLinkApp.h"
#include "app/shell/ToolBarExt.h"
#include "app/shell/ToolBarImages.h"
#include "platform/wx/UserPrompts.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"
#include "update/wizard/AutoUpdate.h"
#include "update/wizard/UpdateFrameLink.h"

#include <wx/display.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include <algorithm>
#include <optional>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

/// The maker's home page, opened by the logo.
const wxString kHomePage = L"https://www.varnel.com/";

/// The status-bar part of a command's prompt (before its "\n").
wxString Prompt(int command)
{
    return WxText(static_cast<unsigned>(command)).BeforeFirst(L'\n');
}

/// A menu label as shown: the key named after a tab ("\t(Ctrl+C)") is a hint
/// beside the label, not an accelerator, since the page's own window handles
/// those keys (an accelerator would also take Delete from an edit box).
wxString MenuLabel(unsigned label)
{
    const wxString text = WxText(label);
    if (!text.Contains(L"\t"))
        return text;
    return text.BeforeFirst(L'\t') + L"    " + text.AfterFirst(L'\t');
}

void Append(wxMenu* menu, int command, unsigned label)
{
    menu->Append(AppIds::ToWindowId(command), MenuLabel(label), Prompt(command));
}

/// A version report's parameters: int = major | minor << 16, extra long = build | revision << 16.
CVersion VersionOf(const wxCommandEvent& event)
{
    const auto high = static_cast<std::uint32_t>(event.GetInt());
    const auto low = static_cast<std::uint32_t>(event.GetExtraLong());
    return CVersion(static_cast<std::uint16_t>(high & 0xFFFF), static_cast<std::uint16_t>(high >> 16),
                    static_cast<std::uint16_t>(low & 0xFFFF), static_cast<std::uint16_t>(low >> 16));
}

wxString FormatVersionText(unsigned id, const CVersion& version)
{
    if (version.IsZero())
        return wxString();
    wxString text = WxText(id);
    text.Replace(L"%s", wxString(version.ToString(3)), false);
    return text;
}

} // namespace

CMainFrame::CMainFrame()
    : wxFrame(nullptr, wxID_ANY, WxText(Ids::kAppFrameTitle)), m_docUi(TheApp().Prompts(), this),
      m_doc(&m_docUi)
{
    const wxRect screen = wxDisplay(0u).GetGeometry();
    SetSize(2, 2, std::max(screen.width - 4, 400), std::max(static_cast<int>(screen.height * 0.9), 300));

    wxIcon icon;
    icon.CopyFromBitmap(CToolBarImages::AppIcon());
    SetIcon(icon);
    m_progress = new CProgressDlg(this);
    SetMenuBar(BuildMenuBar());
    BuildToolBar();
    BuildStatusBar();
    m_childView = new CChildView(this, m_doc);
    m_docUi.SetClipboardWatch(&m_childView->ClipboardWatch());
    m_childView->UpdateTitle();
    SetDropTarget(new CProjectDropTarget(*this));

    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_MENU, &CMainFrame::OnAppSettings, this, AppIds::kAppSettings);
    Bind(wxEVT_MENU, &CMainFrame::OnAbout, this, wxID_ABOUT);
    Bind(wxEVT_MENU, &CMainFrame::OnExit, this, wxID_EXIT);
    Bind(wxEVT_MENU, &CMainFrame::OnCheckForUpdates, this, AppIds::kCheckForUpdates);
    for (int command : kDeviceCommands)
        Bind(wxEVT_MENU, &CMainFrame::OnDeviceCommand, this, AppIds::ToWindowId(command));

    m_downloadProgress = std::make_unique<CFrameDownloadProgress>(*m_progress);
    m_deviceCommands =
        std::make_unique<CDeviceCommands>(this, m_doc, *m_downloadProgress, TheApp().Prompts());
    m_deviceCommands->SetTitleUpdate([this] { m_childView->UpdateTitle(); });
    m_deviceCommands->SetBeforeUpgrade(
        [this]
        {
            m_newerFirmware = CVersion();
            UpdateVersionMenu();
            TheApp().WriteUpgradeToolSettings();
        });
    m_deviceCommands->SetUpgradeTool(CUpgradeTool(wxString(TheApp().Settings().ProgramFolder())));
    theConnection.SetSettingsStoreFactory([] { return TheApp().OpenUpgradeSettings(); });
    theConnection.SetPrompts(&TheApp().Prompts());
    Bind(WM_NEW_PROGRAM_VERSION, &CMainFrame::OnNewProgramVersion, this);
    Bind(WM_NEW_FIRMWARE_VERSION, &CMainFrame::OnNewFirmwareVersion, this);
    Bind(EVT_ON_LOGO_CLICK, &CMainFrame::OnLogoClick, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    Bind(wxEVT_MENU_HIGHLIGHT, &CMainFrame::OnMenuHighlight, this);

    // Update services: look for a newer program on the update server.
    m_updateLink = std::make_unique<Update::CUpdateFrameLink>(this, WM_NEW_PROGRAM_VERSION,
                                                              WM_NEW_FIRMWARE_VERSION, TheApp().Prompts());
    // Every wizard connection checks the instrument's firmware; the check holds
    // the link's relay, not this frame, so a late one reports to nobody.
    theConnection.Init(this, static_cast<int>(Update::kNewFirmwareVersionMessage), 0);
    theConnection.SetFirmwareCheckFactory(
        [receiver = m_updateLink->Relay(), store = TheApp().SettingsStore()](wxWindow*)
        { return std::make_unique<CAppFirmwareCheck>(receiver, store); });
    m_autoUpdate = std::make_unique<Update::CAutoUpdate>(this, WM_NEW_PROGRAM_VERSION, TheApp().Prompts());
    m_autoUpdate->StartCheckThread(Update::kNewProgramVersionMessage);
}

CMainFrame::~CMainFrame()
{
    theConnection.Disconnect(); // stops the connection's firmware check within its bound
    theConnection.SetFirmwareCheckFactory({});
    theConnection.Init(nullptr, 0, 0);
    theConnection.SetPrompts(nullptr);
    // The views unsubscribe from the document, which is a member: they go first.
    DestroyChildren();
    m_childView = nullptr;
    if (wxApp::GetInstance() && TheApp().MainFrame() == this)
        TheApp().ForgetMainFrame();
}

wxMenuBar* CMainFrame::BuildMenuBar() const
{
    auto* file = new wxMenu;
    auto* open = new wxMenu;
    Append(open, AppIds::kProjectOpen, Ids::kAppMenuProject);
    Append(open, AppIds::kDeviceDownload, Ids::kAppMenuObjectsOnTerrion);
    file->AppendSubMenu(open, WxText(Ids::kAppMenuOpen));
    file->AppendSeparator();
    auto* add = new wxMenu;
    Append(add, AppIds::kProjectAdd, Ids::kAppMenuProject);
    Append(add, AppIds::kDeviceAdd, Ids::kAppMenuObjectsOnTerrion);
    file->AppendSubMenu(add, WxText(Ids::kAppMenuAdd));
    file->AppendSeparator();
    Append(file, AppIds::kProjectClose, Ids::kAppMenuCloseProject);
    file->AppendSeparator();
    Append(file, AppIds::kProjectSave, Ids::kAppMenuSaveProject);
    Append(file, AppIds::kProjectSaveAs, Ids::kAppMenuSaveProjectAs);
    file->AppendSeparator();
    Append(file, AppIds::kRestoreOriginal, Ids::kAppMenuRestore);
    file->AppendSeparator();
    auto* exportMenu = new wxMenu;
    Append(exportMenu, AppIds::kExportCsv, Ids::kAppMenuExportCsv);
    Append(exportMenu, AppIds::kExportGraphic, Ids::kAppMenuExportGraphic);
    file->AppendSubMenu(exportMenu, WxText(Ids::kAppMenuExport));
    Append(file, AppIds::kPrint, Ids::kAppMenuPrint);
    file->AppendSeparator();
    Append(file, AppIds::kAppSettings, Ids::kAppMenuAppSettings);
    file->AppendSeparator();
    Append(file, AppIds::kAppExit, Ids::kAppMenuExit);

    auto* device = new wxMenu;
    Append(device, AppIds::kDeviceDownload, Ids::kAppMenuDownloadAll);
    Append(device, AppIds::kDeviceDeleteAll, Ids::kAppMenuDeleteAll);
    Append(device, AppIds::kDeviceSettings, Ids::kAppMenuDeviceSettings);
    device->AppendSeparator();
    Append(device, AppIds::kDeviceUpgrade, Ids::kAppMenuUpgrade);

    auto* edit = new wxMenu;
    Append(edit, AppIds::kSelectAllRows, Ids::kAppMenuSelectAll);
    edit->AppendSeparator();
    Append(edit, AppIds::kCopyRows, Ids::kAppMenuCopy);
    Append(edit, AppIds::kPasteRows, Ids::kAppMenuPaste);
    edit->AppendSeparator();
    Append(edit, AppIds::kDeleteRows, Ids::kAppMenuDelete);

    auto* help = new wxMenu;
    Append(help, AppIds::kCheckForUpdates, Ids::kAppMenuCheckUpdates);
    help->AppendSeparator();
    Append(help, AppIds::kHelp, Ids::kAppMenuHelpTerrionLink);
    Append(help, AppIds::kHelpUpgrade, Ids::kAppMenuHelpUpgrade);
    help->AppendSeparator();
    Append(help, AppIds::kAppAbout, Ids::kAppMenuAbout);

    auto* bar = new wxMenuBar;
    bar->Append(file, WxText(Ids::kAppMenuFile));
    bar->Append(device, WxText(Ids::kAppMenuDevice));
    bar->Append(edit, WxText(Ids::kAppMenuEdit));
    bar->Append(help, WxText(Ids::kAppMenuHelp));
    return bar;
}

void CMainFrame::BuildToolBar()
{
    m_toolBar = new CToolBarExt(this);
    m_logo = new CLogo(m_toolBar);
    m_toolBar->Populate(m_logo);
    SetToolBar(m_toolBar);
}

void CMainFrame::BuildStatusBar()
{
    CreateStatusBar(3);
    const int widths[3] = {-1, 60, 60};
    GetStatusBar()->SetStatusWidths(3, widths);
    SetStatusBarPane(0);
}

void CMainFrame::RebuildMenuBar()
{
    m_versionMenu = nullptr; // goes with the old bar
    wxMenuBar* old = GetMenuBar();
    SetMenuBar(BuildMenuBar());
    delete old;
}

void CMainFrame::ApplySettingsChange(bool languageChanged, bool formatChanged)
{
    if (languageChanged)
    {
        RebuildMenuBar();
        UpdateVersionMenu();
        m_toolBar->UpdateTexts();
        m_logo->UpdateTexts();
        m_childView->UpdateTitle();
    }
    if (languageChanged || formatChanged)
        m_doc.NotifyViews(nullptr, -1);
}

bool CMainFrame::TryBefore(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (m_childView && !m_forwarding && (type == wxEVT_MENU || type == wxEVT_UPDATE_UI))
    {
        // Every command acts on what was typed: an open edit ends as Enter
        // would. The keyboard goes back where it was when the command ends.
        std::optional<CFocusReturn> keyboard;
        if (type == wxEVT_MENU)
        {
            m_childView->EndOpenEdit();
            keyboard.emplace();
        }
        m_forwarding = true;
        const bool handled = m_childView->ProcessWindowEventLocally(event);
        m_forwarding = false;
        if (handled)
            return true;
    }
    return wxFrame::TryBefore(event);
}

bool CMainFrame::IsCommandEnabled(int command)
{
    wxUpdateUIEvent event(AppIds::ToWindowId(command));
    event.SetEventObject(this);
    event.Enable(true);
    ProcessWindowEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
}

void CMainFrame::OpenFromCommandLine(const wxArrayString& args)
{
    if (args.size() != 2)
        return;
    m_doc.Open(args[1].ToStdWstring(), false);
    m_childView->UpdateTitle();
}

void CMainFrame::OpenDroppedFiles(const wxArrayString& files)
{
    if (files.empty() || !files[0].Lower().EndsWith(L".vnr"))
        return;
    // A name still being typed belongs to the project it was typed in.
    m_childView->EndOpenEdit();
    m_doc.Open(files[0].ToStdWstring(), false);
    m_childView->UpdateTitle();
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    if (m_childView)
        m_childView->EndOpenEdit();
    if (!m_doc.Close() && event.CanVeto())
    {
        event.Veto();
        m_childView->UpdateTitle();
        return;
    }
    m_autoUpdate.reset(); // stops the start-up check within its bound
    m_updateLink->Detach();
    RemoveVersionMenu();
    Destroy();
}

std::shared_ptr<Update::CUpdateUi> CMainFrame::UpdateReceiver() const
{
    return m_updateLink->Relay();
}

bool CMainFrame::IsUpdateCheckRunning() const
{
    return m_autoUpdate && m_autoUpdate->Program().IsCheckRunning();
}

void CMainFrame::OnCheckForUpdates(wxCommandEvent&)
{
    if (!m_doc.Close())
    {
        m_childView->UpdateTitle();
        return;
    }
    m_childView->UpdateTitle();
    // A second update object: the start-up check keeps running on its own.
    Update::CAutoUpdate wizard(this, WM_NEW_PROGRAM_VERSION, TheApp().Prompts());
    wizard.SetLauncher([](const std::filesystem::path& path)
                       { return TheApp().Shell().OpenDocument(wxString::FromUTF8(path.string())); });
    if (wizard.RunWizard(false, true))
        Close(); // the installer runs; the program makes way for it
}

void CMainFrame::OnAppSettings(wxCommandEvent&)
{
    CAppSettings dialog(this, TheApp());
    if (dialog.ShowModal() == wxID_OK)
        ApplySettingsChange(dialog.IsLanguageChanged(), dialog.IsFormatChanged());
}

void CMainFrame::OnAbout(wxCommandEvent&)
{
    TheApp().OnAppAbout();
}

void CMainFrame::OnExit(wxCommandEvent&)
{
    Close();
}

void CMainFrame::OnDeviceCommand(wxCommandEvent& event)
{
    const CFocusReturn keyboard;
    switch (AppIds::ToCommand(event.GetId()))
    {
    case AppIds::kDeviceDownload:
        m_deviceCommands->OnDownloadAll();
        break;
    case AppIds::kDeviceAdd:
        m_deviceCommands->OnAddFromDevice();
        break;
    case AppIds::kDeviceDeleteAll:
        m_deviceCommands->DeleteAllOnDevice(true);
        break;
    case AppIds::kDeviceSettings:
        m_deviceCommands->EditMeasurementSettings();
        break;
    case AppIds::kDeviceUpgrade:
        m_deviceCommands->UpgradeDevice();
        break;
    default:
        event.Skip();
        break;
    }
}

void CMainFrame::OnNewProgramVersion(wxCommandEvent& event)
{
    m_newerProgram = VersionOf(event);
    UpdateVersionMenu();
}

void CMainFrame::OnNewFirmwareVersion(wxCommandEvent& event)
{
    m_newerFirmware = VersionOf(event);
    UpdateVersionMenu();
}

void CMainFrame::UpdateVersionMenu()
{
    const wxString program = FormatVersionText(Ids::kAppUpdateProgramTo, m_newerProgram);
    const wxString firmware = FormatVersionText(Ids::kAppUpdateFirmwareTo, m_newerFirmware);
    RemoveVersionMenu();
    if (program.empty() && firmware.empty())
        return;
    m_versionMenu = new wxMenu;
    if (!program.empty())
        m_versionMenu->Append(AppIds::kCheckForUpdates, program);
    if (!firmware.empty())
        m_versionMenu->Append(AppIds::kDeviceUpgrade, firmware);
    GetMenuBar()->Append(m_versionMenu, WxText(Ids::kAppNewVersionMenu));
}

void CMainFrame::RemoveVersionMenu()
{
    if (!m_versionMenu)
        return;
    wxMenuBar* bar = GetMenuBar();
    for (int i = static_cast<int>(bar->GetMenuCount()) - 1; i >= 0; --i)
        if (bar->GetMenu(static_cast<std::size_t>(i)) == m_versionMenu)
            bar->Remove(static_cast<std::size_t>(i));
    delete m_versionMenu;
    m_versionMenu = nullptr;
}

void CMainFrame::OnLogoClick(wxCommandEvent&)
{
    TheApp().Shell().OpenUrl(kHomePage);
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    wxStatusBar* status = GetStatusBar();
    if (!status)
        return;
    const wxString caps = wxGetKeyState(WXK_CAPITAL) ? WxText(Ids::kAppIndicatorCaps) : wxString();
    const wxString num = wxGetKeyState(WXK_NUMLOCK) ? WxText(Ids::kAppIndicatorNum) : wxString();
    if (status->GetStatusText(1) != caps)
        status->SetStatusText(caps, 1);
    if (status->GetStatusText(2) != num)
        status->SetStatusText(num, 2);
}

void CMainFrame::OnMenuHighlight(wxMenuEvent& event)
{
    // The idle state leaves the message pane empty rather than saying "Ready".
    if (event.GetMenuId() == wxID_NONE || event.GetMenuId() == wxID_SEPARATOR)
        SetStatusText(wxEmptyString, 0);
    else
        event.Skip();
}

#include "update/wizard/AutoUpdate.h"

#include "resources/StringIds.h"
#include "resources/wx/WxText.h"
#include "update/wizard/PageDownload.h"
#include "update/wizard/PageSearch.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

using Resources::WxText;

namespace Update
{
namespace
{

} // namespace

CAutoUpdate::CAutoUpdate(wxWindow* parent, wxEventType programEvent, CUserPrompts& prompts)
    : m_pParent(parent), m_program(std::make_unique<CProgramUpdate>()),
      m_sink(std::make_unique<CUpdateEventSink>(parent != nullptr ? parent : this, programEvent, wxEVT_NULL,
                                                prompts, this)),
      m_relay(std::make_shared<CUpdateRelay>(m_sink.get())),
      m_launcher([](const std::filesystem::path& path) { return wxLaunchDefaultApplication(path.string()); })
{
    std::filesystem::path executable(wxStandardPaths::Get().GetExecutablePath().utf8_string());
    m_programFolder = executable.parent_path();
}

CAutoUpdate::~CAutoUpdate()
{
    m_relay->Detach();
    // The pages use the program object: they go first.
    if (m_pPageSearch != nullptr)
        m_pPageSearch->StopSearch();
    if (m_pPageDownload != nullptr)
        m_pPageDownload->CancelDownload();
    DestroyChildren();
    m_program->StopCheckThread();
}

bool CAutoUpdate::StartCheckThread(unsigned messageId)
{
    return m_program->StartCheckThread(messageId, m_relay);
}

bool CAutoUpdate::RunWizard(bool /*forced*/, bool showMessages)
{
    m_program->StopCheckThread();
    m_program->SetShowMessages(showMessages, m_relay);
    m_bInstallerStarted = false;
    if (m_pPageSearch != nullptr)
        return false; // one run per object
    if (!Create(m_pParent, wxID_ANY, WxText(Resources::Ids::kUpdateWizardCaption)))
        return false;
    m_pPageSearch = new CPageSearch(this);
    m_pPageDownload = new CPageDownload(this);
    wxWizardPageSimple::Chain(m_pPageSearch, m_pPageDownload);
    GetPageAreaSizer()->Add(m_pPageSearch);
    GetPageAreaSizer()->Add(m_pPageDownload);
    if (auto* back = FindWindow(wxID_BACKWARD))
        back->SetLabel(WxText(Resources::Ids::kUpdateButtonBack));
    if (auto* cancel = FindWindow(wxID_CANCEL))
        cancel->SetLabel(WxText(Resources::Ids::kUpdateButtonCancel));
    Bind(wxEVT_WIZARD_PAGE_SHOWN, &CAutoUpdate::OnPageShown, this);
    Bind(wxEVT_WIZARD_CANCEL, &CAutoUpdate::OnFinishedOrCancelled, this);
    Bind(wxEVT_WIZARD_FINISHED, &CAutoUpdate::OnFinishedOrCancelled, this);

    wxWizard::RunWizard(m_pPageSearch);
    m_pPageSearch->StopSearch();
    m_pPageDownload->CancelDownload();
    m_program->Disconnect();
    return m_bInstallerStarted;
}

void CAutoUpdate::SetButtons(bool back, bool next, bool finish)
{
    if (auto* button = FindWindow(wxID_BACKWARD))
        button->Enable(back);
    if (auto* button = FindWindow(wxID_FORWARD))
    {
        button->SetLabel(
            WxText(finish ? Resources::Ids::kUpdateButtonFinish : Resources::Ids::kUpdateButtonNext));
        button->Enable(next || finish);
    }
}

void CAutoUpdate::OnPageShown(wxWizardEvent& event)
{
    event.Skip();
    if (event.GetPage() == m_pPageSearch)
    {
        SetTitle(WxText(Resources::Ids::kUpdatePageSearchCaption));
        m_pPageSearch->Activate();
    }
    else if (event.GetPage() == m_pPageDownload)
    {
        SetTitle(WxText(Resources::Ids::kUpdatePageDownloadCaption));
        m_pPageDownload->Activate();
    }
}

void CAutoUpdate::OnFinishedOrCancelled(wxWizardEvent& event)
{
    event.Skip();
    m_pPageSearch->StopSearch();
    m_pPageDownload->CancelDownload();
    m_program->Disconnect();
}

} // namespace Update

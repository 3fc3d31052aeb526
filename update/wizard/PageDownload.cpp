#include "update/wizard/PageDownload.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/wx/WxText.h"
#include "update/wizard/AutoUpdate.h"

#include <wx/filedlg.h>
#include <wx/sizer.h>

using Resources::WxText;

namespace Update
{
namespace
{

} // namespace

CPageDownload::CPageDownload(CAutoUpdate* sheet)
    : wxWizardPageSimple(sheet), m_pSheet(sheet), m_relay(std::make_shared<CUpdateRelay>(this))
{
    m_pStatus = new wxStaticText(this, 22011, wxEmptyString);
    m_pProgress = new wxGauge(this, 22008, 100);
    m_pCounter = new wxStaticText(this, 22015, wxEmptyString);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pStatus, 0, wxEXPAND | wxBOTTOM, 10);
    sizer->Add(m_pProgress, 0, wxEXPAND | wxBOTTOM, 10);
    sizer->Add(m_pCounter, 0, wxEXPAND);
    SetSizer(sizer);
}

CPageDownload::~CPageDownload()
{
    m_relay->Detach();
    CancelDownload();
}

void CPageDownload::CancelDownload()
{
    if (m_download)
    {
        m_download->Cancel();
        m_download->Wait(CInstallerDownload::kStopWaitMs);
        m_download.reset();
    }
}

bool CPageDownload::OpenTarget()
{
    const SInstaller& installer = m_pSheet->Installer();
    m_download = std::make_unique<CInstallerDownload>(m_pSheet->Program().Client(),
                                                      m_pSheet->Program().ProductName(), m_relay);
    if (!CFtpClient::IsSafeFileName(installer.name))
        return false;
    if (m_download->Open(m_pSheet->ProgramFolder() /
                         std::filesystem::path(wxString(installer.name).utf8_string())))
        return true;
    // The program's folder is often not ours to write: ask where to put it.
    wxFileDialog dialog(this, wxEmptyString, wxEmptyString, wxString(installer.name), "(*.exe)|*.exe",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    wxString chosen = dialog.GetPath();
    if (!chosen.Lower().EndsWith(".exe"))
        chosen += ".exe";
    if (!m_download->Open(std::filesystem::path(chosen.utf8_string())))
        return false;
    m_pStatus->SetLabel(wxString::Format(WxText(Resources::Ids::kUpdateDownloading),
                                         wxString(m_download->Target().filename().string())));
    return true;
}

void CPageDownload::Activate()
{
    m_bError = false;
    m_pSheet->SetButtons(false, false, false);
    m_pStatus->SetLabel(
        wxString::Format(WxText(Resources::Ids::kUpdateDownloading), wxString(m_pSheet->Installer().name)));
    m_pProgress->SetValue(0);
    m_pProgress->Show();
    m_pCounter->SetLabel("0");
    m_pCounter->Show();
    Layout();
    if (!OpenTarget() || !m_download->Start(m_pSheet->Installer()))
        ShowError(Resources::CStringTable::Text(Resources::Ids::kUpdateDownloadError));
}

void CPageDownload::OnDownloadProgress(std::uint64_t bytes, std::uint64_t total)
{
    CallAfter([this, bytes, total]() { Progressed(bytes, total); });
}

void CPageDownload::OnDownloadFinished(NDownloadResult result, const std::wstring& text)
{
    CallAfter([this, result, text]() { Finished(result, text); });
}

void CPageDownload::Progressed(std::uint64_t bytes, std::uint64_t total)
{
    if (m_bError || total == 0)
        return;
    m_pProgress->SetValue(static_cast<int>(bytes * 100 / total));
    wxString counter = wxString::Format(WxText(Resources::Ids::kUpdateMbDownloaded),
                                        wxString::FromCDouble(static_cast<double>(bytes) / 1048576.0, 2));
    if (m_pCounter->GetLabel() != counter)
        m_pCounter->SetLabel(counter);
}

void CPageDownload::Finished(NDownloadResult result, const std::wstring& text)
{
    if (!m_download)
        return;
    std::filesystem::path target = m_download->Target();
    m_download->Wait(CInstallerDownload::kStopWaitMs);
    if (result == NDownloadResult::Cancelled)
        return;
    if (result == NDownloadResult::Failed)
        return ShowError(text);
    m_pProgress->SetValue(100);
    if (!m_pSheet->Launch(target))
    {
        // The installer stays where it is; the program goes on.
        ShowError(wxString::Format(WxText(Resources::Ids::kUpdateLaunchFailed), wxString(target.string()))
                      .ToStdWstring());
        return;
    }
    m_pSheet->SetInstallerStarted();
    m_pSheet->EndModal(wxID_OK);
}

void CPageDownload::ShowError(const std::wstring& text)
{
    m_bError = true;
    m_pStatus->SetLabel(text.empty() ? WxText(Resources::Ids::kUpdateDownloadError) : wxString(text));
    m_pCounter->Hide();
    m_pProgress->Hide();
    m_pSheet->SetButtons(false, false, true);
    m_pSheet->Program().Disconnect();
    Layout();
}

} // namespace Update

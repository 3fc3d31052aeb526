#pragma once
// The wizard's second page: downloads the chosen installer on a worker
// thread with a progress bar and a byte counter, then starts it. Every
// failure ends in the error display with Finish as the only way on.

#include "update/InstallerDownload.h"
#include "update/UpdateRelay.h"

#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/wizard.h>

#include <memory>

namespace Update
{

class CAutoUpdate;

class CPageDownload : public wxWizardPageSimple, public CUpdateUi
{
public:
    CPageDownload(CAutoUpdate* sheet);
    ~CPageDownload() override;

    /// Cancels a running download and waits the bounded time.
    void CancelDownload();

    wxGauge* Progress() const { return m_pProgress; }
    wxStaticText* ByteCounter() const { return m_pCounter; }
    wxStaticText* StatusLine() const { return m_pStatus; }
    bool IsFinishedWithError() const { return m_bError; }

    void OnDownloadProgress(std::uint64_t bytes, std::uint64_t total) override;
    void OnDownloadFinished(NDownloadResult result, const std::wstring& text) override;

    /// Wizard page activation: starts the download.
    void Activate();

private:
    void Progressed(std::uint64_t bytes, std::uint64_t total);
    void Finished(NDownloadResult result, const std::wstring& text);
    void ShowError(const std::wstring& text);
    bool OpenTarget();

    CAutoUpdate* m_pSheet;
    wxGauge* m_pProgress;
    wxStaticText* m_pCounter;
    wxStaticText* m_pStatus;
    std::shared_ptr<CUpdateRelay> m_relay;
    std::unique_ptr<CInstallerDownload> m_download;
    bool m_bError = false;
};

} // namespace Update

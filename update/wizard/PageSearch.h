#pragma once
// The wizard's first page: connects to the product folder and says whether
// the server offers a newer installer. The search runs on a worker thread;
// its reports come back through a relay the page detaches when it goes.

#include "update/UpdateRelay.h"

#include <wx/stattext.h>
#include <wx/wizard.h>

#include <memory>

namespace Update
{

class CAutoUpdate;

class CPageSearch : public wxWizardPageSimple, public CUpdateUi
{
public:
    CPageSearch(CAutoUpdate* sheet);
    ~CPageSearch() override;

    /// Stops a running search (bounded wait).
    void StopSearch();

    wxStaticText* TitleLine() const { return m_pTitle; }
    wxStaticText* StatusLine() const { return m_pStatus; }
    wxStaticText* ResultText() const { return m_pResult; }

    // Reports of the search worker, from its thread.
    void OnSearchConnected(bool connected, const std::wstring& errorText) override;
    void OnSearchFinished(bool listed, bool found, const SInstaller& installer) override;

    /// Wizard page activation: starts the search.
    void Activate();
    /// Next is allowed only with an installer; otherwise the wizard finishes.
    wxWizardPage* GetNext() const override;

private:
    void Connected(bool connected, const std::wstring& errorText);
    void Finished(bool listed, bool found, const SInstaller& installer);
    void ShowError(const std::wstring& text);

    CAutoUpdate* m_pSheet;
    wxStaticText* m_pTitle;
    wxStaticText* m_pStatus;
    wxStaticText* m_pResult;
    std::shared_ptr<CUpdateRelay> m_relay;
    bool m_bFound = false;
};

} // namespace Update

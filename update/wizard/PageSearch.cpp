#include "update/wizard/PageSearch.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/wx/WxText.h"
#include "update/wizard/AutoUpdate.h"

#include <wx/sizer.h>

namespace Update
{
namespace
{

/// A text of the table with its Windows line ends made plain.
wxString Text(unsigned id)
{
    wxString text(Resources::WxText(id));
    text.Replace("\r\n", "\n");
    return text;
}

} // namespace

CPageSearch::CPageSearch(CAutoUpdate* sheet)
    : wxWizardPageSimple(sheet), m_pSheet(sheet), m_relay(std::make_shared<CUpdateRelay>(this))
{
    m_pTitle = new wxStaticText(this, 22013, wxEmptyString);
    m_pStatus = new wxStaticText(this, 22003, wxEmptyString);
    m_pResult = new wxStaticText(this, 22006, wxEmptyString);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pTitle, 0, wxEXPAND | wxBOTTOM, 10);
    sizer->Add(m_pStatus, 0, wxEXPAND | wxBOTTOM, 10);
    sizer->Add(m_pResult, 1, wxEXPAND);
    sizer->SetMinSize(FromDIP(wxSize(480, 170)));
    SetSizer(sizer);
    m_pResult->Hide();
}

CPageSearch::~CPageSearch()
{
    m_relay->Detach();
}

void CPageSearch::StopSearch()
{
    m_pSheet->Program().StopSearch();
}

void CPageSearch::Activate()
{
    m_bFound = false;
    m_pSheet->SetButtons(false, false, false);
    m_pTitle->SetLabel(wxString::Format(Text(Resources::Ids::kUpdateSearchingFor),
                                        wxString(m_pSheet->Program().ProductName())));
    m_pTitle->Show();
    m_pStatus->SetLabel(Text(Resources::Ids::kUpdateConnecting));
    m_pStatus->Show();
    m_pResult->Hide();
    Layout();
    if (!m_pSheet->Program().StartSearch(m_relay))
        ShowError(Resources::CStringTable::Text(Resources::Ids::kUpdateFtpNoConnection));
}

wxWizardPage* CPageSearch::GetNext() const
{
    return m_bFound ? wxWizardPageSimple::GetNext() : nullptr;
}

void CPageSearch::OnSearchConnected(bool connected, const std::wstring& errorText)
{
    CallAfter([this, connected, errorText]() { Connected(connected, errorText); });
}

void CPageSearch::OnSearchFinished(bool listed, bool found, const SInstaller& installer)
{
    CallAfter([this, listed, found, installer]() { Finished(listed, found, installer); });
}

void CPageSearch::Connected(bool connected, const std::wstring& errorText)
{
    if (connected)
    {
        m_pStatus->SetLabel(Text(Resources::Ids::kUpdateReceivingInfo));
        Layout();
        return;
    }
    ShowError(errorText);
}

void CPageSearch::Finished(bool listed, bool found, const SInstaller& installer)
{
    if (!listed)
    {
        StopSearch(); // the worker has reported; its client is ours again
        ShowError(m_pSheet->Program().Client()->GetLastErrorText());
        return;
    }
    const CProgramUpdate& program = m_pSheet->Program();
    m_pTitle->Hide();
    m_pStatus->Hide();
    if (found)
    {
        m_pSheet->SetInstaller(installer);
        m_bFound = true;
        m_pResult->SetLabel(wxString::Format(
            Text(Resources::Ids::kUpdateFoundNewer), wxString(program.ProductName()),
            wxString(installer.version.ToString(3)), wxString(program.OwnVersion().ToString(3))));
        m_pSheet->SetButtons(false, true, false);
    }
    else
    {
        m_pResult->SetLabel(
            wxString::Format(Text(Resources::Ids::kUpdateNoUpdate), wxString(program.ProductName())));
        m_pSheet->SetButtons(false, false, true);
    }
    m_pResult->Show();
    Layout();
}

void CPageSearch::ShowError(const std::wstring& text)
{
    m_bFound = false;
    m_pTitle->Hide();
    // Never an empty error display.
    m_pStatus->SetLabel(text.empty() ? Text(Resources::Ids::kUpdateFtpNoConnection) : wxString(text));
    m_pStatus->Show();
    m_pSheet->SetButtons(false, false, true);
    Layout();
}

} // namespace Update

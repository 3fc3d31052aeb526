#include "app/connection/wx/RemoteLoginDlg.h"

#include "platform/wx/UserPrompts.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

} // namespace

CRemoteLoginDlg::CRemoteLoginDlg(wxWindow* parent, Device::CVnDevice* device, CUserPrompts& prompts)
    : wxDialog(parent, wxID_ANY, WxText(Ids::kLoginTitle)), m_pDevice(device), m_prompts(prompts)
{
    auto* grid = new wxFlexGridSizer(2, 6, 6);
    grid->Add(new wxStaticText(this, wxID_ANY, WxText(Ids::kLoginUser)), 0, wxALIGN_CENTER_VERTICAL);
    m_pUser = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1));
    grid->Add(m_pUser, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, WxText(Ids::kLoginPassword)), 0, wxALIGN_CENTER_VERTICAL);
    m_pPassword =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), wxTE_PASSWORD);
    grid->Add(m_pPassword, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, wxID_OK, WxText(Ids::kButtonOk)), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText(Ids::kButtonCancel)), 0);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxALL | wxEXPAND, 10);
    column->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 10);
    SetSizerAndFit(column);
    Bind(wxEVT_BUTTON, &CRemoteLoginDlg::OnOk, this, wxID_OK);
    if (m_pDevice)
        m_pUser->SetValue(wxString(m_pDevice->GetLoginInfo().user));
}

int CRemoteLoginDlg::ShowModal()
{
    if (!m_pDevice)
        return wxID_CANCEL;
    return wxDialog::ShowModal();
}

void CRemoteLoginDlg::OnOk(wxCommandEvent&)
{
    Device::SLoginInfo info;
    info.user = m_pUser->GetValue().ToStdWstring();
    info.password = m_pPassword->GetValue().ToStdWstring();
    if (m_pDevice->RemoteLogin(info))
    {
        EndModal(wxID_OK);
        return;
    }
    if (m_prompts.Ask(this, Ids::kLoginFailed, CUserPrompts::buttonsRetryCancel,
                      CUserPrompts::iconExclamation) != CUserPrompts::answerRetry)
        EndModal(wxID_CANCEL);
}

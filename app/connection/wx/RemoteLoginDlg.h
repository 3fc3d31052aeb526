#pragma once
// Asks for the user name and password of an instrument that requires a login.

#include "device/VnDevice.h"

#include <wx/dialog.h>

class CUserPrompts;
class wxTextCtrl;

class CRemoteLoginDlg : public wxDialog
{
public:
    /// The instrument is not owned; without one ShowModal ends with wxID_CANCEL at once.
    /// A failed login asks through prompts whether to try again.
    CRemoteLoginDlg(wxWindow* parent, Device::CVnDevice* device, CUserPrompts& prompts);

    int ShowModal() override;

    wxTextCtrl* GetUserEdit() const { return m_pUser; }
    wxTextCtrl* GetPasswordEdit() const { return m_pPassword; }

private:
    void OnOk(wxCommandEvent& event);

    Device::CVnDevice* m_pDevice;
    CUserPrompts& m_prompts;
    wxTextCtrl* m_pUser = nullptr;
    wxTextCtrl* m_pPassword = nullptr;
};

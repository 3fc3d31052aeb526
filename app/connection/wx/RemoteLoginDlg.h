#pragma once
// Asks for the user name and password of an instrument that requires a login.

#include "device/VnDevice.h"

#include <wx/dialog.h>

class wxTextCtrl;

class CRemoteLoginDlg : public wxDialog
{
public:
    /// The instrument is not owned; without one ShowModal ends with wxID_CANCEL at once.
    CRemoteLoginDlg(wxWindow* parent, Device::CVnDevice* device);

    int ShowModal() override;

    wxTextCtrl* GetUserEdit() const { return m_pUser; }
    wxTextCtrl* GetPasswordEdit() const { return m_pPassword; }

private:
    void OnOk(wxCommandEvent& event);

    Device::CVnDevice* m_pDevice;
    wxTextCtrl* m_pUser = nullptr;
    wxTextCtrl* m_pPassword = nullptr;
};

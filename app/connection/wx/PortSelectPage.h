#pragma once
// The wizard page on which the user says how the instrument is attached:
// the interface, and for a serial line either a port number or a scan.

#include <wx/wizard.h>

#include <vector>

class CDevSelectSheet;
class wxCheckBox;
class wxChoice;
class wxTextCtrl;
class wxButton;

class CPortSelectPage : public wxWizardPageSimple
{
public:
    explicit CPortSelectPage(CDevSelectSheet* sheet);

    /// Activation: makes the sheet's instrument object when it holds none and
    /// fills the interface list from the object's ports.
    void Activate();
    /// Enables the controls for the interface and scan choice.
    void UpdateControls();
    /// Checks the port number and stores the choices in the sheet; false
    /// (after the message) keeps the page.
    bool Leave();

    wxChoice* GetInterfaceList() const { return m_pInterface; }
    wxCheckBox* GetScanBox() const { return m_pScan; }
    wxCheckBox* GetStopBox() const { return m_pStop; }
    wxTextCtrl* GetComEdit() const { return m_pComPort; }
    wxTextCtrl* GetIpEdit() const { return m_pIpAddress; }
    wxButton* GetHelpButton() const { return m_pHelp; }

private:
    int SelectedInterface() const;

    CDevSelectSheet* m_pSheet;
    wxChoice* m_pInterface = nullptr;
    wxCheckBox* m_pScan = nullptr;
    wxTextCtrl* m_pComPort = nullptr;
    wxTextCtrl* m_pIpAddress = nullptr;
    wxCheckBox* m_pStop = nullptr;
    wxButton* m_pHelp = nullptr;
    std::vector<int> m_ports; ///< the interface behind each list entry
};

#pragma once
// The wizard page that searches for the instrument on the device worker
// thread and lists the instruments that answered. The search reports through
// a relay that the page detaches when it goes, and its reports reach the page
// as queued events: the worker never touches a window.

#include "app/connection/wx/DeviceFoundEvent.h"
#include "device/Callback.h"
#include "device/CallbackRelay.h"

#include <wx/wizard.h>

#include <memory>
#include <vector>

class CDevSelectSheet;
class CDeviceInfoPanel;
class wxChoice;
class wxTextCtrl;

class CDevFoundPage : public wxWizardPageSimple, public Device::CCallback
{
public:
    explicit CDevFoundPage(CDevSelectSheet* sheet);
    ~CDevFoundPage() override;

    /// Activation: forgets earlier results and starts a new search.
    void Activate();
    /// Finish or Next: the login check, then the chosen instrument goes to the sheet.
    bool LeaveForward();
    /// Back: the instruments found are deleted.
    void LeaveBackward();

    /// The list text of a port name: "@ COM5:", "@ IP:10.0.0.2", or empty.
    static std::wstring PortText(const std::wstring& portName);

    bool IsSearching() const { return m_bSearching; }
    std::size_t GetFoundCount() const { return m_found.size(); }
    wxChoice* GetFoundList() const { return m_pList; }
    wxTextCtrl* GetStatusEdit() const { return m_pStatus; }
    CDeviceInfoPanel* GetInfoPanel() const { return m_pInfo; }

    // Device::CCallback, called on the worker thread.
    void OnDeviceFound(std::unique_ptr<Device::CVnDevice> device) override;
    void OnStatusText(const std::wstring& text) override;
    void OnFinished(const std::wstring&, int) override {}
    void OnProgress(int, int, std::uint32_t) override {}

private:
    void StartSearch(wxCommandEvent& event);
    void OnFound(CDeviceFoundEvent& event);
    void OnStatus(wxThreadEvent& event);
    void OnSelection(wxCommandEvent& event);
    void SearchEnded();
    void ShowInfo();
    bool CheckLogin(Device::CVnDevice& device);
    void DropFound();
    void DetachRelay();

    CDevSelectSheet* m_pSheet;
    wxTextCtrl* m_pStatus = nullptr;
    wxChoice* m_pList = nullptr;
    CDeviceInfoPanel* m_pInfo = nullptr;
    std::vector<std::unique_ptr<Device::CVnDevice>> m_found;
    std::shared_ptr<Device::CCallbackRelay> m_pRelay;
    bool m_bSearching = false;
};

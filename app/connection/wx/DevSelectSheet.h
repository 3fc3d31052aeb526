#pragma once
// The connection wizard: the user says how the instrument is attached, the
// wizard searches for it on the device worker thread and hands the chosen
// instrument to the caller. Shared with the maker's other tools, it can also
// open with a welcome page (start mode 0) and an instrument-type page (start
// modes 0 and 1); this program starts it in mode 2 (port and search pages).

#include "app/connection/ConnWizardSettings.h"
#include "device/DeviceTypes.h"
#include "device/VnDevice.h"

#include <wx/wizard.h>

#include <functional>
#include <memory>
#include <vector>

class CWelcomePage;
class CDevSelectPage;
class CPortSelectPage;
class CDevFoundPage;
class CUserPrompts;

class CDevSelectSheet : public wxWizard
{
public:
    /// The result of a run that ended with Finish.
    static constexpr int kWizardFinish = 12325;
    static constexpr int kWizardCancel = 2;

    /// What a test is told about, so it can answer the wizard.
    enum NStep : int
    {
        stepPageShown,   ///< a page became current (its buttons are set)
        stepSearchEnded, ///< the search page has its list (or its no-device question answered)
    };
    using TObserver = std::function<void(CDevSelectSheet& sheet, NStep step)>;

    /// captionId 0 gives an empty caption. Clears the worker's abort flag so
    /// a search can run after an earlier cancel. The wizard and its pages ask
    /// through prompts, as the owners of their boxes.
    CDevSelectSheet(unsigned captionId, wxWindow* parent, int startMode, std::uint16_t loginFlags,
                    CUserPrompts& prompts);
    ~CDevSelectSheet() override;

    /// Reads the last choices from the group (false: none read, defaults kept).
    bool LoadSettings(const Platform::CSettingsStore* store, const std::wstring& group);
    /// Writes them, with the type of the held instrument object when there is one.
    bool SaveSettings(Platform::CSettingsStore* store, const std::wstring& group) const;

    /// Runs the wizard: kWizardFinish when the user pressed Finish, else kWizardCancel.
    int DoModal();

    // The instrument object; owned by the sheet until taken.
    Device::CVnDevice* GetDevice() const { return m_pDevice.get(); }
    void SetDevice(std::unique_ptr<Device::CVnDevice> device) { m_pDevice = std::move(device); }
    std::unique_ptr<Device::CVnDevice> TakeDevice() { return std::move(m_pDevice); }

    CConnWizardSettings& Settings() { return m_settings; }
    const CConnWizardSettings& Settings() const { return m_settings; }
    int GetStartMode() const { return m_nStartMode; }
    std::uint16_t GetLoginFlags() const { return m_nLoginFlags; }
    CUserPrompts& Prompts() const { return m_prompts; }
    bool IsHelpHidden() const { return m_bHideHelp; }
    void SetHelpHidden(bool hide) { m_bHideHelp = hide; }
    /// The types the instrument-type page offers; empty = all twelve.
    std::vector<Device::NTypes>& AllowedTypes() { return m_types; }

    /// The number of pages the start mode created.
    int GetPageCount() const;
    wxWizardPage* GetFirstPage() const;
    CPortSelectPage* GetPortPage() const { return m_pPortPage; }
    CDevFoundPage* GetFoundPage() const { return m_pFoundPage; }
    CWelcomePage* GetWelcomePage() const { return m_pWelcomePage; }
    CDevSelectPage* GetTypePage() const { return m_pTypePage; }

    /// Enables Back and Next/Finish; the label of the forward button follows the page.
    void SetWizardButtons(bool back, bool forward);
    /// Presses a wizard button (wxID_BACKWARD, wxID_FORWARD or wxID_CANCEL) as a click would.
    void PressButton(int id);
    bool IsButtonEnabled(int id) const;

    void Notify(NStep step);
    static void SetTestObserver(TObserver observer);

private:
    void OnPageChanged(wxWizardEvent& event);
    void OnCancelWizard(wxWizardEvent& event);
    void LabelButtons();

    CUserPrompts& m_prompts;
    std::unique_ptr<Device::CVnDevice> m_pDevice;
    CConnWizardSettings m_settings;
    CWelcomePage* m_pWelcomePage = nullptr;
    CDevSelectPage* m_pTypePage = nullptr;
    CPortSelectPage* m_pPortPage = nullptr;
    CDevFoundPage* m_pFoundPage = nullptr;
    int m_nStartMode = 2;
    std::uint16_t m_nLoginFlags = 0;
    bool m_bHideHelp = false;
    std::vector<Device::NTypes> m_types;
};

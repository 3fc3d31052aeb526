#include "app/connection/wx/DevSelectSheet.h"

#include "app/connection/wx/DevFoundPage.h"
#include "app/connection/wx/DevSelectPage.h"
#include "app/connection/wx/PortSelectPage.h"
#include "app/connection/wx/WelcomePage.h"
#include "device/DeviceThread.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/button.h>
#include <wx/sizer.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

CDevSelectSheet::TObserver& Observer()
{
    static CDevSelectSheet::TObserver observer;
    return observer;
}

} // namespace

CDevSelectSheet::CDevSelectSheet(unsigned captionId, wxWindow* parent, int startMode,
                                 std::uint16_t loginFlags, CUserPrompts& prompts)
    : wxWizard(parent, wxID_ANY, captionId ? WxText(captionId) : wxString()), m_prompts(prompts),
      m_nStartMode(startMode > 1 ? 2 : (startMode < 0 ? 0 : startMode)), m_nLoginFlags(loginFlags)
{
    // The pages are made when the wizard runs, so they show the settings loaded by then.
    Bind(wxEVT_WIZARD_PAGE_CHANGED, &CDevSelectSheet::OnPageChanged, this);
    Bind(wxEVT_WIZARD_PAGE_CHANGING,
         [this](wxWizardEvent& event)
         {
             wxWizardPage* page = event.GetPage();
             bool leave = true;
             if (page == m_pWelcomePage && event.GetDirection())
                 leave = m_pWelcomePage->Leave();
             else if (page == m_pTypePage && event.GetDirection())
                 leave = m_pTypePage->Leave();
             else if (page == m_pPortPage && event.GetDirection())
                 leave = m_pPortPage->Leave();
             else if (page == m_pFoundPage)
             {
                 if (event.GetDirection())
                     leave = m_pFoundPage->LeaveForward();
                 else
                     m_pFoundPage->LeaveBackward();
             }
             if (!leave)
                 event.Veto();
         });
    Bind(wxEVT_WIZARD_CANCEL, &CDevSelectSheet::OnCancelWizard, this);
    Device::ClearDeviceAbort();
}

CDevSelectSheet::~CDevSelectSheet() = default;

bool CDevSelectSheet::LoadSettings(const Platform::CSettingsStore* store, const std::wstring& group)
{
    return m_settings.Load(store, group);
}

bool CDevSelectSheet::SaveSettings(Platform::CSettingsStore* store, const std::wstring& group) const
{
    CConnWizardSettings settings = m_settings;
    if (m_pDevice)
        settings.deviceType = m_pDevice->GetType();
    return settings.Save(store, group);
}

int CDevSelectSheet::GetPageCount() const
{
    return (m_pWelcomePage ? 1 : 0) + (m_pTypePage ? 1 : 0) + (m_pPortPage ? 1 : 0) + (m_pFoundPage ? 1 : 0);
}

wxWizardPage* CDevSelectSheet::GetFirstPage() const
{
    if (m_pWelcomePage)
        return m_pWelcomePage;
    if (m_pTypePage)
        return m_pTypePage;
    return m_pPortPage;
}

int CDevSelectSheet::DoModal()
{
    if (!m_pPortPage)
    {
        if (m_nStartMode == 0)
            m_pWelcomePage = new CWelcomePage(this);
        if (m_nStartMode <= 1)
            m_pTypePage = new CDevSelectPage(this);
        m_pPortPage = new CPortSelectPage(this);
        m_pFoundPage = new CDevFoundPage(this);
        wxWizardPageSimple* previous = nullptr;
        for (wxWizardPageSimple* page : std::initializer_list<wxWizardPageSimple*>{
                 m_pWelcomePage, m_pTypePage, m_pPortPage, m_pFoundPage})
        {
            if (!page)
                continue;
            if (previous)
                wxWizardPageSimple::Chain(previous, page);
            GetPageAreaSizer()->Add(page);
            previous = page;
        }
    }
    return RunWizard(GetFirstPage()) ? kWizardFinish : kWizardCancel;
}

void CDevSelectSheet::OnPageChanged(wxWizardEvent& event)
{
    wxWizardPage* page = event.GetPage();
    LabelButtons();
    if (page == m_pWelcomePage)
        m_pWelcomePage->Activate();
    else if (page == m_pTypePage)
        m_pTypePage->Activate();
    else if (page == m_pPortPage)
        m_pPortPage->Activate();
    else if (page == m_pFoundPage)
        m_pFoundPage->Activate();
    Notify(stepPageShown);
}

void CDevSelectSheet::OnCancelWizard(wxWizardEvent& event)
{
    if (event.GetPage() == m_pFoundPage)
        Device::AbortDeviceJobs(Device::kDeviceSearchAbortWaitMs);
}

void CDevSelectSheet::LabelButtons()
{
    wxWizardPage* page = GetCurrentPage();
    const bool last = page && !HasNextPage(page);
    if (auto* back = FindWindow(wxID_BACKWARD))
    {
        back->SetLabel(WxText(Ids::kWizardBack));
        back->SetToolTip(WxText(Ids::kWizardBackTip));
    }
    if (auto* forward = FindWindow(wxID_FORWARD))
    {
        forward->SetLabel(WxText(last ? Ids::kWizardFinish : Ids::kWizardNext));
        forward->SetToolTip(WxText(last ? Ids::kWizardFinishTip : Ids::kWizardNextTip));
    }
    if (auto* cancel = FindWindow(wxID_CANCEL))
    {
        cancel->SetLabel(WxText(Ids::kWizardCancel));
        cancel->SetToolTip(WxText(Ids::kWizardCancelTip));
    }
}

void CDevSelectSheet::SetWizardButtons(bool back, bool forward)
{
    if (auto* button = FindWindow(wxID_BACKWARD))
        button->Enable(back);
    if (auto* button = FindWindow(wxID_FORWARD))
        button->Enable(forward);
}

bool CDevSelectSheet::IsButtonEnabled(int id) const
{
    const wxWindow* button = FindWindow(id);
    return button && button->IsEnabled();
}

void CDevSelectSheet::PressButton(int id)
{
    wxWindow* button = FindWindow(id);
    if (!button)
        return;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

void CDevSelectSheet::Notify(NStep step)
{
    if (Observer())
        Observer()(*this, step);
}

void CDevSelectSheet::SetTestObserver(TObserver observer)
{
    Observer() = std::move(observer);
}

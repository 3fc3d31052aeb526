#include "app/connection/wx/DevFoundPage.h"

#include "app/connection/TextPattern.h"
#include "app/connection/wx/DevSelectSheet.h"
#include "app/connection/wx/DeviceInfoPanel.h"
#include "app/connection/wx/RemoteLoginDlg.h"
#include "device/DeviceThread.h"
#include "platform/wx/UserPrompts.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/wx/WxText.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

CDevFoundPage::CDevFoundPage(CDevSelectSheet* sheet) : wxWizardPageSimple(sheet), m_pSheet(sheet)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* title = new wxStaticText(this, wxID_ANY, WxText(Ids::kFoundPageTitle));
    title->SetFont(title->GetFont().Bold());
    column->Add(title, 0, wxBOTTOM, 10);
    m_pStatus = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(420, 80),
                               wxTE_MULTILINE | wxTE_READONLY);
    m_pStatus->SetToolTip(WxText(Ids::kFoundStatusTip));
    column->Add(m_pStatus, 0, wxEXPAND | wxBOTTOM, 10);
    column->Add(new wxStaticText(this, wxID_ANY, WxText(Ids::kFoundSelectLabel)), 0, wxBOTTOM, 4);
    m_pList = new wxChoice(this, wxID_ANY);
    m_pList->SetToolTip(WxText(Ids::kFoundListTip));
    column->Add(m_pList, 0, wxEXPAND | wxBOTTOM, 10);
    m_pInfo = new CDeviceInfoPanel(this, wxSize(420, 100));
    m_pInfo->SetInfoToolTip(WxText(Ids::kWizardInfoTip));
    column->Add(m_pInfo, 1, wxEXPAND);
    SetSizerAndFit(column);

    Bind(WM_START_DEVICE_SEARCH, &CDevFoundPage::StartSearch, this);
    Bind(WM_DEVICE_FOUND, &CDevFoundPage::OnFound, this);
    Bind(WM_SEARCH_STATUS_TEXT, &CDevFoundPage::OnStatus, this);
    m_pList->Bind(wxEVT_CHOICE, &CDevFoundPage::OnSelection, this);
}

CDevFoundPage::~CDevFoundPage()
{
    // A search still running reports into the void from now on; what it
    // finds later is deleted by the relay.
    DetachRelay();
}

void CDevFoundPage::DetachRelay()
{
    if (m_pRelay)
        m_pRelay->Detach();
    m_pRelay.reset();
}

std::wstring CDevFoundPage::PortText(const std::wstring& portName)
{
    std::wstring text;
    if (StartsWith(portName, L"\\\\.\\COM"))
        text = L"COM" + portName.substr(7);
    else if (StartsWith(portName, L"IP:"))
        text = portName.substr(0, portName.rfind(L':'));
    else if (StartsWith(portName, L"COM"))
        text = portName;
    return text.empty() ? text : L"@ " + text;
}

void CDevFoundPage::Activate()
{
    m_pSheet->SetWizardButtons(true, false);
    DropFound();
    m_pList->Clear();
    m_pInfo->Clear();
    wxQueueEvent(this, new wxCommandEvent(WM_START_DEVICE_SEARCH));
}

void CDevFoundPage::DropFound()
{
    m_found.clear();
}

void CDevFoundPage::StartSearch(wxCommandEvent&)
{
    m_pList->Enable(false);
    m_pSheet->SetWizardButtons(false, false);
    DetachRelay();
    m_pRelay = std::make_shared<Device::CCallbackRelay>(this);

    const CConnWizardSettings& settings = m_pSheet->Settings();
    Device::SSearchParams params;
    params.nType = m_pSheet->GetDevice() ? m_pSheet->GetDevice()->GetType() : Device::typeNone;
    params.nPort = static_cast<Device::NPorts>(settings.commPort);
    params.bScanAll = settings.scan > 0;
    params.bStopAfterFirst = settings.stopScan > 0;
    params.nComPort = settings.comPort;
    params.nSkipPort = -1;
    params.strIpAddress = settings.ipAddress;
    m_bSearching = true;
    if (!Device::PostSearchJob(m_pRelay, params))
    {
        // No worker to run it: the search ends at once, as one that found nothing.
        m_bSearching = false;
        SearchEnded();
    }
}

void CDevFoundPage::OnDeviceFound(std::unique_ptr<Device::CVnDevice> device)
{
    wxQueueEvent(this, new CDeviceFoundEvent(WM_DEVICE_FOUND, std::move(device)));
}

void CDevFoundPage::OnStatusText(const std::wstring& text)
{
    auto* event = new wxThreadEvent(WM_SEARCH_STATUS_TEXT);
    event->SetString(wxString(text));
    wxQueueEvent(this, event);
}

void CDevFoundPage::OnStatus(wxThreadEvent& event)
{
    m_pStatus->SetValue(event.GetString());
}

void CDevFoundPage::OnFound(CDeviceFoundEvent& event)
{
    std::unique_ptr<Device::CVnDevice> device = event.TakeDevice();
    if (!device)
    {
        m_bSearching = false;
        SearchEnded();
        return;
    }
    Device::SDeviceInfo info;
    if (!device->QueryId(info))
    {
        m_pStatus->AppendText(WxText(Ids::kBadConnection));
        return; // the instrument is deleted here
    }
    const std::wstring line = CTextPattern::Format(
        Resources::CStringTable::Text(Ids::kFoundDeviceLine),
        {Device::GetTypeName(device->GetType()), info.serialNumber, PortText(device->GetPortName())});
    m_found.push_back(std::move(device));
    m_pList->SetSelection(m_pList->Append(wxString(line)));
}

void CDevFoundPage::SearchEnded()
{
    if (!m_found.empty())
    {
        m_pStatus->SetValue(WxText(Ids::kSearchFinishedFound));
        m_pList->Enable(true);
        m_pSheet->SetWizardButtons(true, m_pList->GetSelection() != wxNOT_FOUND);
        ShowInfo();
    }
    else
    {
        m_pStatus->SetValue(WxText(Ids::kSearchFinishedNoDevice));
        if (m_pSheet->Prompts().Ask(m_pSheet, Ids::kNoDeviceRetry, CUserPrompts::buttonsRetryCancel,
                                    CUserPrompts::iconQuestion) == CUserPrompts::answerRetry)
        {
            wxQueueEvent(this, new wxCommandEvent(WM_START_DEVICE_SEARCH));
            return;
        }
        m_pSheet->SetWizardButtons(true, false);
    }
    m_pSheet->Notify(CDevSelectSheet::stepSearchEnded);
}

void CDevFoundPage::ShowInfo()
{
    const int selection = m_pList->GetSelection();
    if (selection == wxNOT_FOUND || static_cast<std::size_t>(selection) >= m_found.size())
        return;
    m_pInfo->SetInfoText(m_found[static_cast<std::size_t>(selection)]->GetInfoText());
}

void CDevFoundPage::OnSelection(wxCommandEvent&)
{
    const bool selected = m_pList->GetSelection() != wxNOT_FOUND;
    m_pSheet->SetWizardButtons(true, selected);
    if (selected)
        ShowInfo();
}

bool CDevFoundPage::LeaveForward()
{
    const int selection = m_pList->GetSelection();
    if (m_bSearching || selection == wxNOT_FOUND || static_cast<std::size_t>(selection) >= m_found.size())
        return false;
    const auto index = static_cast<std::size_t>(selection);
    if (!CheckLogin(*m_found[index]))
        return false;
    m_pSheet->SetDevice(std::move(m_found[index]));
    m_found.erase(m_found.begin() + static_cast<std::ptrdiff_t>(index));
    m_pList->Delete(static_cast<unsigned>(selection));
    return true;
}

void CDevFoundPage::LeaveBackward()
{
    DropFound();
    m_pList->Clear();
}

bool CDevFoundPage::CheckLogin(Device::CVnDevice& device)
{
    const std::uint16_t required = m_pSheet->GetLoginFlags();
    if (required == 0)
        return true;
    for (;;)
    {
        Device::SLoginInfo info;
        if (!device.RemoteLogin(info))
        {
            if (!(info.rights & 1))
            {
                m_pSheet->Prompts().Ask(m_pSheet, Ids::kLoginUnknownError, CUserPrompts::buttonsOk,
                                        CUserPrompts::iconError);
                return false;
            }
            CRemoteLoginDlg login(m_pSheet, &device, m_pSheet->Prompts());
            return login.ShowModal() == wxID_OK;
        }
        if ((required & 2) && !(info.rights & 2) &&
            m_pSheet->Prompts().Ask(m_pSheet, Ids::kLoginNeedsSuperUser, CUserPrompts::buttonsRetryCancel,
                                    CUserPrompts::iconExclamation) != CUserPrompts::answerRetry)
            return false;
        if ((required & 1) && !(info.rights & 1) &&
            m_pSheet->Prompts().Ask(m_pSheet, Ids::kLoginNeedsPassword, CUserPrompts::buttonsRetryCancel,
                                    CUserPrompts::iconExclamation) != CUserPrompts::answerRetry)
            return false;
        if ((info.rights & required) == required)
            return true;
    }
}

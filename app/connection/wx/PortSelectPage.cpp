#include "app/connection/wx/PortSelectPage.h"

#include "app/connection/wx/DevSelectSheet.h"
#include "platform/wx/UserPrompts.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

} // namespace

CPortSelectPage::CPortSelectPage(CDevSelectSheet* sheet) : wxWizardPageSimple(sheet), m_pSheet(sheet)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* title = new wxStaticText(this, wxID_ANY, WxText(Ids::kPortPageTitle));
    title->SetFont(title->GetFont().Bold());
    column->Add(title, 0, wxBOTTOM, 10);

    m_pInterface = new wxChoice(this, wxID_ANY);
    m_pInterface->SetToolTip(WxText(Ids::kPortInterfaceTip));
    column->Add(m_pInterface, 0, wxEXPAND | wxBOTTOM, 10);

    m_pScan = new wxCheckBox(this, wxID_ANY, WxText(Ids::kPortScan));
    m_pScan->SetToolTip(WxText(Ids::kPortScanTip));
    column->Add(m_pScan, 0, wxBOTTOM, 6);

    auto* comRow = new wxBoxSizer(wxHORIZONTAL);
    comRow->Add(new wxStaticText(this, wxID_ANY, WxText(Ids::kPortComLabel)), 0,
                wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    m_pComPort = new wxTextCtrl(this, wxID_ANY);
    m_pComPort->SetToolTip(WxText(Ids::kPortComTip));
    comRow->Add(m_pComPort, 0);
    column->Add(comRow, 0, wxBOTTOM, 6);

    auto* ipRow = new wxBoxSizer(wxHORIZONTAL);
    ipRow->Add(new wxStaticText(this, wxID_ANY, WxText(Ids::kPortIpLabel)), 0,
               wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    m_pIpAddress = new wxTextCtrl(this, wxID_ANY);
    m_pIpAddress->SetToolTip(WxText(Ids::kPortIpTip));
    ipRow->Add(m_pIpAddress, 1);
    column->Add(ipRow, 0, wxEXPAND | wxBOTTOM, 6);

    m_pStop = new wxCheckBox(this, wxID_ANY, WxText(Ids::kPortStopAfterFirst));
    m_pStop->SetToolTip(WxText(Ids::kPortStopTip));
    column->Add(m_pStop, 0, wxBOTTOM, 10);

    m_pHelp = new wxButton(this, wxID_ANY, WxText(Ids::kPortHelp));
    m_pHelp->SetToolTip(WxText(Ids::kPortHelpTip));
    column->Add(m_pHelp, 0);
    SetSizerAndFit(column);

    const CConnWizardSettings& settings = sheet->Settings();
    if (!settings.ipAddress.empty())
        m_pIpAddress->SetValue(wxString(settings.ipAddress));
    m_pComPort->SetValue(wxString::Format(wxS("%d"), settings.comPort));
    m_pScan->SetValue(settings.scan != 0);
    m_pStop->SetValue(settings.stopScan != 0);
    m_pHelp->Show(!sheet->IsHelpHidden());

    m_pInterface->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateControls(); });
    m_pScan->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateControls(); });
}

void CPortSelectPage::Activate()
{
    m_pSheet->SetWizardButtons(m_pSheet->GetStartMode() < 2, true);
    if (!m_pSheet->GetDevice())
        m_pSheet->SetDevice(Device::CreateDevice(m_pSheet->Settings().deviceType));

    const int mask = m_pSheet->GetDevice() ? m_pSheet->GetDevice()->GetSupportedPorts() : 0;
    m_pInterface->Clear();
    m_ports.clear();
    const struct
    {
        int port;
        unsigned text;
    } kOffered[] = {{Device::portUsb, Ids::kInterfaceUsb},
                    {Device::portEthernet, Ids::kInterfaceEthernet},
                    {Device::portSerial, Ids::kInterfaceSerial}};
    for (const auto& offer : kOffered)
    {
        if (mask & offer.port)
        {
            m_pInterface->Append(WxText(offer.text));
            m_ports.push_back(offer.port);
        }
    }
    int selection = m_ports.empty() ? wxNOT_FOUND : 0;
    for (std::size_t i = 0; i < m_ports.size(); ++i)
        if (m_ports[i] == m_pSheet->Settings().commPort)
            selection = static_cast<int>(i);
    m_pInterface->SetSelection(selection);
    UpdateControls();
}

int CPortSelectPage::SelectedInterface() const
{
    const int selection = m_pInterface->GetSelection();
    if (selection == wxNOT_FOUND || static_cast<std::size_t>(selection) >= m_ports.size())
        return Device::portNone;
    return m_ports[static_cast<std::size_t>(selection)];
}

void CPortSelectPage::UpdateControls()
{
    m_pStop->Enable(true);
    switch (SelectedInterface())
    {
    case Device::portSerial:
        m_pScan->Enable(true);
        m_pIpAddress->Enable(false);
        m_pComPort->Enable(!m_pScan->GetValue());
        m_pStop->Enable(m_pScan->GetValue());
        break;
    case Device::portEthernet:
        m_pIpAddress->Enable(true);
        m_pScan->Enable(false);
        m_pComPort->Enable(false);
        m_pStop->Enable(false);
        break;
    default:
        m_pScan->Enable(false);
        m_pComPort->Enable(false);
        m_pIpAddress->Enable(false);
        m_pStop->Enable(false);
        break;
    }
}

bool CPortSelectPage::Leave()
{
    long port = 0;
    const wxString text = m_pComPort->GetValue().Strip(wxString::both);
    if (!text.ToLong(&port) || port < 1 || port > 9999)
    {
        m_pSheet->Prompts().Ask(m_pSheet, Ids::kPortComInvalid, CUserPrompts::buttonsOk,
                                CUserPrompts::iconExclamation);
        m_pComPort->SetFocus();
        return false;
    }
    CConnWizardSettings& settings = m_pSheet->Settings();
    settings.commPort = SelectedInterface();
    settings.ipAddress = m_pIpAddress->GetValue().ToStdWstring();
    settings.comPort = static_cast<int>(port);
    settings.scan = m_pScan->GetValue() ? 1 : 0;
    settings.stopScan = m_pStop->GetValue() ? 1 : 0;
    return true;
}

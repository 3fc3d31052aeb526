#include "app/connection/wx/DeviceInfoPanel.h"

#include "app/connection/DeviceInfoRows.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CDeviceInfoPanel::CDeviceInfoPanel(wxWindow* parent, const wxSize& size)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, size, wxBORDER_THEME | wxVSCROLL)
{
    // It stands where a read-only edit stood: the same colours.
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    m_grid = new wxFlexGridSizer(2, FromDIP(wxSize(12, 2)));
    m_grid->AddGrowableCol(1);
    auto* margin = new wxBoxSizer(wxVERTICAL);
    margin->Add(m_grid, 0, wxEXPAND | wxALL, FromDIP(4));
    SetSizer(margin);
    SetScrollRate(0, FromDIP(10));
}

wxStaticText* CDeviceInfoPanel::AddText(const std::wstring& text)
{
    auto* item = new wxStaticText(this, wxID_ANY, wxEmptyString);
    item->SetLabelText(wxString(text)); // an '&' in a value is shown, not taken for a mnemonic
    if (!m_tip.empty())
        item->SetToolTip(m_tip);
    m_grid->Add(item, 0, wxALIGN_CENTER_VERTICAL);
    return item;
}

void CDeviceInfoPanel::SetInfoText(const std::wstring& text)
{
    Clear();
    for (const SDeviceInfoRow& row : CDeviceInfoRows::Split(text))
    {
        m_labels.push_back(AddText(row.label));
        m_values.push_back(AddText(row.value));
    }
    FitInside();
    Layout();
}

void CDeviceInfoPanel::Clear()
{
    m_grid->Clear(true);
    m_labels.clear();
    m_values.clear();
    FitInside();
    Scroll(0, 0);
}

wxString CDeviceInfoPanel::FindValue(const wxString& label) const
{
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        if (m_labels[i]->GetLabelText() == label)
            return m_values[i]->GetLabelText();
    return wxString();
}

void CDeviceInfoPanel::SetInfoToolTip(const wxString& tip)
{
    m_tip = tip;
    SetToolTip(tip);
    for (auto* text : m_labels)
        text->SetToolTip(tip);
    for (auto* text : m_values)
        text->SetToolTip(tip);
}

#include "app/shell/ProgressDlg.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"

#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

CProgressDlg::CProgressDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_RAISED)
{
    m_gauge = new wxGauge(this, 2066, 1000, wxDefaultPosition, wxSize(320, -1));
    m_label = new wxStaticText(this, 2067,
                               wxString(Resources::CStringTable::Text(Resources::Ids::kAppProgressWait)));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_gauge, 0, wxEXPAND | wxALL, 10);
    sizer->Add(m_label, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
    CentreOnParent();
}

int CProgressDlg::GetPos() const
{
    return m_gauge->GetValue();
}

void CProgressDlg::SetBar(int value)
{
    m_gauge->SetValue(value);
    ++m_barSets;
}

void CProgressDlg::SetPos(int position)
{
    position = std::clamp(position, 0, 1000);
    if (m_lastPos == -1)
    {
        Refresh();
        Update();
    }
    if (position == m_lastPos && position != 1000)
        return;
    if (position == 1000)
    {
        // Drawn full at once rather than animated towards the end.
        SetBar(999);
        SetBar(1000);
    }
    else
    {
        SetBar(position);
    }
    m_gauge->Update();
    m_lastPos = position;
}

void CProgressDlg::SetText(const wxString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_label->SetLabel(text);
    Refresh();
    Update();
}

#include "app/connection/wx/WelcomePage.h"

#include "app/connection/wx/DevSelectSheet.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

using Resources::WxText;

namespace
{

} // namespace

CWelcomePage::CWelcomePage(CDevSelectSheet* sheet) : wxWizardPageSimple(sheet), m_pSheet(sheet)
{
    namespace Ids = Resources::Ids;
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* title = new wxStaticText(this, wxID_ANY, WxText(Ids::kWelcomeTitle));
    title->SetFont(title->GetFont().Bold());
    column->Add(title, 0, wxBOTTOM, 10);
    m_pExpress = new wxRadioButton(this, wxID_ANY, WxText(Ids::kWelcomeExpress), wxDefaultPosition,
                                   wxDefaultSize, wxRB_GROUP);
    m_pExpress->SetToolTip(WxText(Ids::kWelcomeExpressTip));
    column->Add(m_pExpress, 0, wxBOTTOM, 8);
    m_pCustom = new wxRadioButton(this, wxID_ANY, WxText(Ids::kWelcomeCustom));
    m_pCustom->SetToolTip(WxText(Ids::kWelcomeCustomTip));
    column->Add(m_pCustom, 0);
    SetSizerAndFit(column);

    if (sheet->Settings().express)
        m_pExpress->SetValue(true);
    else
        m_pCustom->SetValue(true);
}

void CWelcomePage::Activate()
{
    m_pSheet->SetWizardButtons(false, true);
}

bool CWelcomePage::Leave()
{
    m_pSheet->Settings().express = m_pExpress->GetValue() ? 1 : 0;
    return true;
}

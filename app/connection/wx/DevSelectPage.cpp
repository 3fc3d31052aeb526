#include "app/connection/wx/DevSelectPage.h"

#include "app/connection/wx/DevSelectSheet.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

using Resources::WxText;

namespace
{

} // namespace

CDevSelectPage::CDevSelectPage(CDevSelectSheet* sheet) : wxWizardPageSimple(sheet), m_pSheet(sheet)
{
    namespace Ids = Resources::Ids;
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* title = new wxStaticText(this, wxID_ANY, WxText(Ids::kTypePageTitle));
    title->SetFont(title->GetFont().Bold());
    column->Add(title, 0, wxBOTTOM, 10);
    m_pTypes = new wxChoice(this, wxID_ANY);
    m_pTypes->SetToolTip(WxText(Ids::kWizardTypeTip));
    column->Add(m_pTypes, 0, wxEXPAND);
    SetSizerAndFit(column);

    m_offered = sheet->AllowedTypes();
    if (m_offered.empty())
        for (int type = Device::typeHalvint3Se; type <= Device::typeTarlowend; ++type)
            m_offered.push_back(static_cast<Device::NTypes>(type));
    for (std::size_t i = 0; i < m_offered.size(); ++i)
    {
        m_pTypes->Append(wxString(Device::GetTypeName(m_offered[i])));
        if (m_offered[i] == sheet->Settings().deviceType)
            m_pTypes->SetSelection(static_cast<int>(i));
    }
}

void CDevSelectPage::Activate()
{
    m_pSheet->SetWizardButtons(m_pSheet->GetStartMode() == 0, true);
}

bool CDevSelectPage::Leave()
{
    const int selection = m_pTypes->GetSelection();
    if (selection == wxNOT_FOUND)
        return false;
    const Device::NTypes type = m_offered[static_cast<std::size_t>(selection)];
    m_pSheet->Settings().deviceType = type;
    if (m_pSheet->GetDevice() && m_pSheet->GetDevice()->GetType() != type)
        m_pSheet->SetDevice(nullptr);
    if (!m_pSheet->GetDevice())
        m_pSheet->SetDevice(Device::CreateDevice(type));
    return true;
}

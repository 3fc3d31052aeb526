#include "app/connection/wx/ContactSpacingDlg.h"

#include "app/connection/TextPattern.h"
#include "platform/wx/UserPrompts.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;
using Calc = CSpacingCalculator;

constexpr int kOkButtonId = 2103;

wxString Tenths(std::uint16_t value)
{
    return wxString(CTextPattern::Fixed(value / 10.0, 1));
}

} // namespace

CContactSpacingDlg::CContactSpacingDlg(wxWindow* parent, CUserPrompts& prompts)
    : wxDialog(parent, wxID_ANY, WxText(Ids::kSpacingDlgTitle)), m_prompts(prompts)
{
    const auto edit = [this]
    {
        auto* control = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(90, -1),
                                       wxTE_PROCESS_ENTER);
        control->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Recalculate(); });
        control->Bind(wxEVT_TEXT_ENTER, [this, control](wxCommandEvent&) { OnEnter(control); });
        return control;
    };
    const auto label = [this](unsigned id) { return new wxStaticText(this, wxID_ANY, WxText(id)); };

    auto* column = new wxBoxSizer(wxVERTICAL);
    m_pSurface = new wxRadioButton(this, wxID_ANY, WxText(Ids::kSurfaceMeasurement), wxDefaultPosition,
                                   wxDefaultSize, wxRB_GROUP);
    m_pBulk = new wxRadioButton(this, wxID_ANY, WxText(Ids::kBulkMeasurement));
    auto* modes = new wxBoxSizer(wxHORIZONTAL);
    modes->Add(m_pSurface, 0, wxRIGHT, 20);
    modes->Add(m_pBulk, 0);
    column->Add(modes, 0, wxALL, 8);

    m_pDefaultSpacing = new wxRadioButton(this, wxID_ANY, WxText(Ids::kDefaultSpacing), wxDefaultPosition,
                                          wxDefaultSize, wxRB_GROUP);
    m_pCustomSpacing = new wxRadioButton(this, wxID_ANY, WxText(Ids::kCustomSpacing));
    auto* spacingKinds = new wxBoxSizer(wxHORIZONTAL);
    spacingKinds->Add(m_pDefaultSpacing, 0, wxRIGHT, 20);
    spacingKinds->Add(m_pCustomSpacing, 0);
    column->Add(spacingKinds, 0, wxLEFT | wxRIGHT, 8);

    auto* grid = new wxFlexGridSizer(3, 4, 6);
    const auto row = [grid](wxWindow* name, wxWindow* field, wxWindow* unit)
    {
        grid->Add(name, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 0);
        if (unit)
            grid->Add(unit, 0, wxALIGN_CENTER_VERTICAL);
        else
            grid->AddSpacer(0);
    };
    m_pSpacingLabel = label(Ids::kContactSpacingLabel);
    m_pSpacing = edit();
    m_pSpacingUnit = label(Ids::kUnitMm);
    row(m_pSpacingLabel, m_pSpacing, m_pSpacingUnit);
    column->Add(grid, 0, wxALL, 8);

    m_pGeometric = new wxRadioButton(this, wxID_ANY, WxText(Ids::kGeometricCorrection), wxDefaultPosition,
                                     wxDefaultSize, wxRB_GROUP);
    m_pCustomCorrection = new wxRadioButton(this, wxID_ANY, WxText(Ids::kCustomCorrection));
    column->Add(m_pGeometric, 0, wxLEFT | wxRIGHT, 8);

    auto* geometry = new wxFlexGridSizer(3, 4, 6);
    grid = geometry;
    m_pShapeLabel = label(Ids::kShapeLabel);
    m_pShape = new wxChoice(this, wxID_ANY);
    row(m_pShapeLabel, m_pShape, nullptr);
    m_pLengthLabel = label(Ids::kLengthLabel);
    m_pLength = edit();
    m_pLengthUnit = label(Ids::kUnitMm);
    row(m_pLengthLabel, m_pLength, m_pLengthUnit);
    m_pDiameterLabel = label(Ids::kDiameterWidthLabel);
    m_pDiameter = edit();
    m_pDiameterUnit = label(Ids::kUnitMm);
    row(m_pDiameterLabel, m_pDiameter, m_pDiameterUnit);
    m_pDepthLabel = label(Ids::kDepthLabel);
    m_pDepth = edit();
    m_pDepthUnit = label(Ids::kUnitMm);
    row(m_pDepthLabel, m_pDepth, m_pDepthUnit);
    column->Add(geometry, 0, wxLEFT | wxRIGHT | wxBOTTOM, 24);

    auto* custom = new wxBoxSizer(wxHORIZONTAL);
    custom->Add(m_pCustomCorrection, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    m_pCustomFactor = edit();
    custom->Add(m_pCustomFactor, 0);
    column->Add(custom, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);

    auto* total = new wxBoxSizer(wxHORIZONTAL);
    total->Add(label(Ids::kTotalFactorLabel), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    m_pTotal = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(90, -1));
    m_pTotal->Enable(false);
    total->Add(m_pTotal, 0);
    column->Add(total, 0, wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_pOk = new wxButton(this, kOkButtonId, WxText(Ids::kButtonOk));
    buttons->Add(m_pOk, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText(Ids::kButtonCancel)), 0);
    column->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 8);
    SetSizerAndFit(column);
    // Neither Enter nor Escape closes the dialog: no default button, no escape id.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);

    m_pSurface->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnModeChanged(true); });
    m_pBulk->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnModeChanged(false); });
    m_pDefaultSpacing->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnSpacingKindChanged(); });
    m_pCustomSpacing->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnSpacingKindChanged(); });
    m_pGeometric->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnCorrectionChanged(); });
    m_pCustomCorrection->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnCorrectionChanged(); });
    m_pShape->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnShapeChanged(); });
    m_pSpacing->Bind(wxEVT_KILL_FOCUS,
                     [this](wxFocusEvent& event)
                     {
                         m_fSpacing = Calc::ParseNumber(m_pSpacing->GetValue().ToStdWstring());
                         event.Skip();
                     });
    Bind(wxEVT_BUTTON, &CContactSpacingDlg::OnOK, this, kOkButtonId);
    Bind(wxEVT_CHAR_HOOK, &CContactSpacingDlg::OnCharHook, this);
    // The close box still cancels.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndModal(wxID_CANCEL); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); }, wxID_CANCEL);
}

void CContactSpacingDlg::SetRecord(const TMeasSettings& record)
{
    m_record = record;
    const bool surface = m_record.mode == Device::NMeasurementMode::Surface;
    (surface ? m_pSurface : m_pBulk)->SetValue(true);
    FillShapes();
    ShowSpacing();
    ShowSettings();
    UpdateEnableState();
}

bool CContactSpacingDlg::IsSurface() const
{
    return m_pSurface->GetValue();
}

int CContactSpacingDlg::SelectedShape() const
{
    // By position: the texts may come from a language library.
    return Calc::ShapeAt(IsSurface() ? Calc::modeSurface : Calc::modeBulk, m_pShape->GetSelection());
}

void CContactSpacingDlg::FillShapes()
{
    m_pShape->Clear();
    const int mode = IsSurface() ? Calc::modeSurface : Calc::modeBulk;
    for (int position = 0; position < Calc::ShapeCount(mode); ++position)
    {
        const int shape = Calc::ShapeAt(mode, position);
        m_pShape->Append(WxText(shape == Calc::shapeFlat       ? Ids::kShapeFlat
                                : shape == Calc::shapeCylinder ? Ids::kShapeCylinder
                                                               : Ids::kShapePrism));
    }
}

void CContactSpacingDlg::ShowSpacing()
{
    if (m_record.customSpacing)
    {
        m_pCustomSpacing->SetValue(true);
        m_fSpacing = m_record.contactSpacing / 10.0;
    }
    else
    {
        m_pDefaultSpacing->SetValue(true);
        m_fSpacing = m_record.defaultSpacing / 10.0;
    }
    m_pSpacing->ChangeValue(IsSurface() ? wxString(CTextPattern::Fixed(m_fSpacing, 1)) : wxString(wxS("--")));
}

void CContactSpacingDlg::ShowSettings()
{
    const int mode = IsSurface() ? Calc::modeSurface : Calc::modeBulk;
    const int shape = m_record.shape == Device::NSpecimenShape::Flat       ? Calc::shapeFlat
                      : m_record.shape == Device::NSpecimenShape::Cylinder ? Calc::shapeCylinder
                                                                           : Calc::shapePrism;
    m_pShape->SetSelection(Calc::PositionOf(mode, shape));
    LabelForShape();
    if (m_record.correctionKind == Device::NCorrectionKind::Geometric)
    {
        m_pGeometric->SetValue(true);
        m_pLength->ChangeValue(Tenths(m_record.length));
        m_pDiameter->ChangeValue(Tenths(m_record.diameter));
        m_pDepth->ChangeValue(Tenths(m_record.depth));
    }
    else
    {
        (IsSurface() ? m_pCustomCorrection : m_pGeometric)->SetValue(true);
        m_pLength->ChangeValue(wxS("0.0"));
        m_pDiameter->ChangeValue(wxS("0.0"));
        m_pDepth->ChangeValue(wxS("0.0"));
    }
    const wxString factor(CTextPattern::Fixed(m_record.correctionFactor, 3));
    m_pTotal->ChangeValue(factor);
    m_pCustomFactor->ChangeValue(m_pGeometric->GetValue() ? wxString(wxS("--")) : factor);
}

void CContactSpacingDlg::LabelForShape()
{
    m_pDiameterLabel->SetLabel(
        WxText(SelectedShape() == Calc::shapePrism ? Ids::kLabelWidth : Ids::kLabelDiameter));
}

void CContactSpacingDlg::ReadSpacing()
{
    if (!IsSurface())
        m_pSpacing->ChangeValue(wxS("--"));
    else if (m_pDefaultSpacing->GetValue())
        m_pSpacing->ChangeValue(wxString(CTextPattern::Fixed(m_record.defaultSpacing / 10.0, 1)));
    else
    {
        if (m_fSpacing == 0.0)
            m_fSpacing = m_record.defaultSpacing / 10.0;
        m_pSpacing->ChangeValue(wxString(CTextPattern::Fixed(m_fSpacing, 1)));
    }
}

CSpacingCalculator::SInput CContactSpacingDlg::ReadInput() const
{
    const auto number = [](const wxTextCtrl* edit)
    { return Calc::ParseNumber(edit->GetValue().ToStdWstring()); };
    CSpacingCalculator::SInput input;
    input.mode = IsSurface() ? Calc::modeSurface : Calc::modeBulk;
    input.customSpacing = m_pCustomSpacing->GetValue();
    input.correction = m_pGeometric->GetValue() ? Calc::correctionGeometric : Calc::correctionCustom;
    input.shape = SelectedShape();
    input.spacing = number(m_pSpacing);
    input.length = number(m_pLength);
    input.diameter = number(m_pDiameter);
    input.depth = number(m_pDepth);
    input.customFactor = number(m_pCustomFactor);
    return input;
}

void CContactSpacingDlg::Recalculate()
{
    if (!m_pTotal)
        return; // still being built
    const CSpacingCalculator::SInput input = ReadInput();
    m_fSpacing = input.spacing;
    m_pTotal->ChangeValue(wxString(Calc::LiveFactorText(input, m_record)));
}

void CContactSpacingDlg::UpdateEnableState()
{
    const bool surface = IsSurface();
    const bool geometric = m_pGeometric->GetValue();
    const int shape = SelectedShape();
    m_pDefaultSpacing->Enable(surface);
    m_pCustomSpacing->Enable(surface);
    const bool spacing = surface && m_pCustomSpacing->GetValue();
    m_pSpacing->Enable(spacing);
    m_pShapeLabel->Enable(geometric);
    m_pShape->Enable(geometric);
    const bool dimensions = geometric && shape != Calc::shapeFlat;
    for (wxWindow* window : {static_cast<wxWindow*>(m_pLengthLabel), static_cast<wxWindow*>(m_pLength),
                             static_cast<wxWindow*>(m_pLengthUnit), static_cast<wxWindow*>(m_pDiameterLabel),
                             static_cast<wxWindow*>(m_pDiameter), static_cast<wxWindow*>(m_pDiameterUnit)})
        window->Enable(dimensions);
    const bool depth = geometric && shape == Calc::shapePrism;
    for (wxWindow* window : {static_cast<wxWindow*>(m_pDepthLabel), static_cast<wxWindow*>(m_pDepth),
                             static_cast<wxWindow*>(m_pDepthUnit)})
        window->Enable(depth);
    m_pCustomFactor->Enable(!geometric && surface);
    m_pCustomCorrection->Enable(surface);
    m_pTotal->Enable(false);
}

void CContactSpacingDlg::OnModeChanged(bool surface)
{
    (surface ? m_pSurface : m_pBulk)->SetValue(true);
    if (!surface && m_pCustomCorrection->GetValue())
        m_pGeometric->SetValue(true);
    FillShapes();
    ReadSpacing();
    m_pShape->SetSelection(0);
    LabelForShape();
    Recalculate();
    UpdateEnableState();
}

void CContactSpacingDlg::OnSpacingKindChanged()
{
    ReadSpacing();
    Recalculate();
    UpdateEnableState();
}

void CContactSpacingDlg::OnCorrectionChanged()
{
    Recalculate();
    UpdateEnableState();
}

void CContactSpacingDlg::OnShapeChanged()
{
    LabelForShape();
    Recalculate();
    UpdateEnableState();
}

void CContactSpacingDlg::OnEnter(wxWindow* edit)
{
    Recalculate();
    wxWindow* const order[] = {m_pSpacing, m_pLength, m_pDiameter, m_pDepth, m_pCustomFactor};
    for (std::size_t i = 0; i < std::size(order); ++i)
        if (order[i] == edit)
            order[(i + 1) % std::size(order)]->SetFocus();
}

void CContactSpacingDlg::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
        return;
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
    {
        wxWindow* focus = FindFocus();
        if (focus == m_pSpacing || focus == m_pLength || focus == m_pDiameter || focus == m_pDepth ||
            focus == m_pCustomFactor)
            event.Skip(); // the edit's own Enter moves on
        else
            Recalculate();
        return;
    }
    event.Skip();
}

void CContactSpacingDlg::OnOK(wxCommandEvent&)
{
    std::wstring error;
    if (!Calc::Accept(ReadInput(), m_record, error))
    {
        m_prompts.Ask(this, wxString(error), CUserPrompts::buttonsOk, CUserPrompts::iconExclamation);
        return;
    }
    if (m_prompts.Ask(this, Ids::kSettingsDeleteQuestion, CUserPrompts::buttonsYesNo,
                      CUserPrompts::iconExclamation) == CUserPrompts::answerYes)
        EndModal(wxID_OK);
}

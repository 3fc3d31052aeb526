#pragma once
// The dialog in which the user edits the instrument's measurement settings:
// surface or bulk measurement, the contact spacing, and the correction for
// the specimen's geometry, with the total correction factor k shown live.
// It works on a copy of the instrument's settings record, which the caller
// fills before ShowModal and reads after wxID_OK.

#include "app/connection/SpacingCalculator.h"

#include <wx/dialog.h>

class CUserPrompts;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

class CContactSpacingDlg : public wxDialog
{
public:
    using TMeasSettings = Device::CTerrionDevice::TMeasSettings;

    /// Refused values and the deletion question are asked through prompts.
    CContactSpacingDlg(wxWindow* parent, CUserPrompts& prompts);

    /// Fills the controls from the record (call before ShowModal).
    void SetRecord(const TMeasSettings& record);
    const TMeasSettings& GetRecord() const { return m_record; }

    /// OK: checks every value, computes the spacing word and asks before it
    /// ends the dialog; a refused value keeps the dialog open.
    void OnOK(wxCommandEvent& event);

    // The controls, for tests.
    wxRadioButton* Surface() const { return m_pSurface; }
    wxRadioButton* Bulk() const { return m_pBulk; }
    wxRadioButton* DefaultSpacing() const { return m_pDefaultSpacing; }
    wxRadioButton* CustomSpacing() const { return m_pCustomSpacing; }
    wxRadioButton* Geometric() const { return m_pGeometric; }
    wxRadioButton* CustomCorrection() const { return m_pCustomCorrection; }
    wxTextCtrl* SpacingEdit() const { return m_pSpacing; }
    wxChoice* ShapeList() const { return m_pShape; }
    wxTextCtrl* LengthEdit() const { return m_pLength; }
    wxTextCtrl* DiameterEdit() const { return m_pDiameter; }
    wxTextCtrl* DepthEdit() const { return m_pDepth; }
    wxTextCtrl* CustomFactorEdit() const { return m_pCustomFactor; }
    wxTextCtrl* TotalEdit() const { return m_pTotal; }
    wxStaticText* DiameterLabel() const { return m_pDiameterLabel; }
    wxWindow* OkButton() const { return m_pOk; }

    /// The reactions to the radio buttons and the shape list, as a click would cause them.
    void OnModeChanged(bool surface);
    void OnSpacingKindChanged();
    void OnCorrectionChanged();
    void OnShapeChanged();
    /// Enter in an edit: recalculates and moves on to the next edit.
    void OnEnter(wxWindow* edit);

private:
    void FillShapes();
    void ShowSpacing();
    void ShowSettings();
    void ReadSpacing();
    void LabelForShape();
    void Recalculate();
    void UpdateEnableState();
    CSpacingCalculator::SInput ReadInput() const;
    bool IsSurface() const;
    int SelectedShape() const;
    void OnCharHook(wxKeyEvent& event);

    CUserPrompts& m_prompts;
    TMeasSettings m_record{};
    double m_fSpacing = 0.0; ///< effective spacing, mm
    wxRadioButton* m_pSurface = nullptr;
    wxRadioButton* m_pBulk = nullptr;
    wxRadioButton* m_pDefaultSpacing = nullptr;
    wxRadioButton* m_pCustomSpacing = nullptr;
    wxTextCtrl* m_pSpacing = nullptr;
    wxStaticText* m_pSpacingLabel = nullptr;
    wxStaticText* m_pSpacingUnit = nullptr;
    wxRadioButton* m_pGeometric = nullptr;
    wxRadioButton* m_pCustomCorrection = nullptr;
    wxStaticText* m_pShapeLabel = nullptr;
    wxChoice* m_pShape = nullptr;
    wxStaticText* m_pLengthLabel = nullptr;
    wxTextCtrl* m_pLength = nullptr;
    wxStaticText* m_pLengthUnit = nullptr;
    wxStaticText* m_pDiameterLabel = nullptr;
    wxTextCtrl* m_pDiameter = nullptr;
    wxStaticText* m_pDiameterUnit = nullptr;
    wxStaticText* m_pDepthLabel = nullptr;
    wxTextCtrl* m_pDepth = nullptr;
    wxStaticText* m_pDepthUnit = nullptr;
    wxTextCtrl* m_pCustomFactor = nullptr;
    wxTextCtrl* m_pTotal = nullptr;
    wxWindow* m_pOk = nullptr;
};

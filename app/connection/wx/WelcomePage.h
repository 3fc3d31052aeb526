#pragma once
// The wizard's welcome page (start mode 0): express or custom upgrade.

#include <wx/wizard.h>

class CDevSelectSheet;
class wxRadioButton;

class CWelcomePage : public wxWizardPageSimple
{
public:
    explicit CWelcomePage(CDevSelectSheet* sheet);

    void Activate();
    /// Next: the sheet's express choice follows the radio buttons.
    bool Leave();

    wxRadioButton* GetExpressButton() const { return m_pExpress; }
    wxRadioButton* GetCustomButton() const { return m_pCustom; }

private:
    CDevSelectSheet* m_pSheet;
    wxRadioButton* m_pExpress = nullptr;
    wxRadioButton* m_pCustom = nullptr;
};

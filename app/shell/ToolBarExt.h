#pragma once
// The main toolbar: the command buttons with our own images, then the logo
// at the right end. Only its buttons react to the mouse; a click or double
// click on its background does nothing.

#include <wx/toolbar.h>

class CLogo;

class CToolBarExt : public wxToolBar
{
public:
    /// The commands of the buttons in order; 0 is a separator.
    static constexpr int kButtons[] = {2024, 104, 0, 2084, 2087, 0, 2075, 2076, 103, 0, 57670};

    explicit CToolBarExt(wxWindow* parent);

    /// Adds the buttons and, after a stretchable space, the logo; then Realize.
    void Populate(CLogo* logo);
    /// Fetches the tool tips and status texts of the current language.
    void UpdateTexts();
};

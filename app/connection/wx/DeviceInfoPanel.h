#pragma once
// The connection wizard's instrument information: labels in one column,
// values in a second that starts at the same x in every row. It scrolls when
// an instrument tells more than fits.

#include <wx/scrolwin.h>

#include <string>
#include <vector>

class wxFlexGridSizer;
class wxStaticText;

class CDeviceInfoPanel : public wxScrolledWindow
{
public:
    CDeviceInfoPanel(wxWindow* parent, const wxSize& size);

    /// Shows an information text ("Label:\tvalue" lines) as rows.
    void SetInfoText(const std::wstring& text);
    void Clear();

    std::size_t GetRowCount() const { return m_values.size(); }
    wxStaticText* GetLabel(std::size_t row) const { return m_labels[row]; }
    wxStaticText* GetValue(std::size_t row) const { return m_values[row]; }
    /// The value shown in the row with this label, empty when there is none.
    wxString FindValue(const wxString& label) const;

    /// The tool tip also on every row, as GTK shows a window's own tip only
    /// where no child covers it.
    void SetInfoToolTip(const wxString& tip);

private:
    wxStaticText* AddText(const std::wstring& text);

    wxFlexGridSizer* m_grid;
    std::vector<wxStaticText*> m_labels;
    std::vector<wxStaticText*> m_values;
    wxString m_tip;
};

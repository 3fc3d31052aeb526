#pragma once
// The dialog that picks a new date and time for a series: it shows the
// series' current time stamp and two pickers for the new one, and returns
// the shift between them, which the page adds to every selected series.

#include <wx/dialog.h>

#include <cstdint>
#include <functional>

class wxDatePickerCtrl;
class wxTextCtrl;
class wxTimePickerCtrl;

class CDateTimeDlg : public wxDialog
{
public:
    /// dtFormat: the "DTFormat" setting whose patterns show the current time stamp.
    CDateTimeDlg(wxWindow* parent, std::uint32_t dtFormat);

    /// The series' current time (seconds since 1970, UTC).
    void SetOriginalTime(std::int64_t time) { m_original = time; }
    /// The time the pickers start from.
    void SetNewTime(std::int64_t time) { m_adjusted = time; }
    /// The picked time minus the current time in seconds, as the dialog
    /// ended (for OK and Cancel alike): the picked date and time of day on
    /// the local clock, whatever the daylight saving on either date.
    std::int64_t GetOffset() const { return m_offset; }

    /// Shows the dialog; wxID_OK or wxID_CANCEL.
    int ShowModal() override;

    /// Answers the dialog in place of the user while set (tests): called with
    /// the dialog as it is shown, returns the button that ends it.
    using TTestHook = std::function<int(CDateTimeDlg& dialog)>;
    static void SetTestHook(TTestHook hook);

    wxTextCtrl* CurrentDateField() const { return m_date; }
    wxTextCtrl* CurrentTimeField() const { return m_time; }
    wxDatePickerCtrl* DatePicker() const { return m_datePicker; }
    wxTimePickerCtrl* TimePicker() const { return m_timePicker; }
    /// The current time stamp as shown: date, and time with seconds ("--" when it cannot be shown).
    wxString ShownDate() const;
    wxString ShownTime() const;

private:
    /// The current time stamp into the two read-only fields, the new one into the pickers.
    void Start();
    /// The offset from the pickers.
    void Finish();
    /// Widens every field that cannot show its widest text; true when one grew.
    /// GTK knows a field's borders only once it is on screen.
    bool FitFields();

    std::uint32_t m_dtFormat;
    std::int64_t m_original = 0;
    std::int64_t m_adjusted = 0;
    std::int64_t m_offset = 0;
    wxTextCtrl* m_date = nullptr;
    wxTextCtrl* m_time = nullptr;
    wxDatePickerCtrl* m_datePicker = nullptr;
    wxTimePickerCtrl* m_timePicker = nullptr;
};

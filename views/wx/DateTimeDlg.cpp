#include "views/wx/DateTimeDlg.h"

#include "resources/StringIds.h"
#include "resources/wx/WxText.h"
#include "views/DateTimeFormat.h"
#include "views/DateTimeShift.h"
#include "views/DateTimeWidth.h"
#include "views/wx/WindowTextMeasure.h"

#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include <ctime>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

constexpr int kTimeEditId = 2020;
constexpr int kDateEditId = 2025;
constexpr int kDatePickerId = 2010;
constexpr int kTimePickerId = 2011;
constexpr wchar_t kNoTime[] = L"--";

/// Widens a field to show `text` whole; true when it grew.
bool FitToText(wxTextCtrl& field, wxWindow& outer, const std::wstring& text)
{
    const int needed = field.GetSizeFromTextSize(field.GetTextExtent(text).GetWidth()).GetWidth();
    const int missing = needed - field.GetSize().GetWidth();
    if (missing <= 0)
        return false;
    outer.SetMinSize(wxSize(outer.GetSize().GetWidth() + missing, outer.GetMinSize().GetHeight()));
    return true;
}

/// The text field a picker shows its value in (inside its combo box, if it has one).
wxTextCtrl* FieldOf(wxWindow& picker)
{
    for (wxWindow* child : picker.GetChildren())
    {
        if (auto* field = dynamic_cast<wxTextCtrl*>(child))
            return field;
        if (wxTextCtrl* inner = FieldOf(*child))
            return inner;
    }
    return nullptr;
}

CDateTimeDlg::TTestHook& DateTimeTestHook()
{
    static CDateTimeDlg::TTestHook hook;
    return hook;
}

} // namespace

CDateTimeDlg::CDateTimeDlg(wxWindow* parent, std::uint32_t dtFormat)
    : wxDialog(parent, wxID_ANY, WxText(Ids::kDateTimeDlgTitle), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_dtFormat(dtFormat)
{
    const int gap = ConvertDialogToPixels(wxSize(7, 0)).GetWidth();
    const auto labelled = [this](wxStaticBoxSizer* box, wxWindow* date, wxWindow* time)
    {
        auto* fields = new wxFlexGridSizer(2, 2, 2, 6);
        fields->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY, WxText(Ids::kDateTimeDlgDate)));
        fields->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY, WxText(Ids::kDateTimeDlgTime)));
        fields->Add(date, 0, wxEXPAND);
        fields->Add(time, 0, wxEXPAND);
        box->Add(fields, 0, wxALL, 4);
    };

    auto* current = new wxStaticBoxSizer(wxVERTICAL, this, WxText(Ids::kDateTimeDlgCurrent));
    m_date = new wxTextCtrl(current->GetStaticBox(), kDateEditId, wxEmptyString, wxDefaultPosition,
                            ConvertDialogToPixels(wxSize(47, 14)), wxTE_READONLY);
    m_time = new wxTextCtrl(current->GetStaticBox(), kTimeEditId, wxEmptyString, wxDefaultPosition,
                            ConvertDialogToPixels(wxSize(43, 14)), wxTE_READONLY);
    labelled(current, m_date, m_time);

    auto* adjusted = new wxStaticBoxSizer(wxVERTICAL, this, WxText(Ids::kDateTimeDlgAdjusted));
    m_datePicker = new wxDatePickerCtrl(adjusted->GetStaticBox(), kDatePickerId, wxDefaultDateTime,
                                        wxDefaultPosition, wxDefaultSize, wxDP_DROPDOWN | wxDP_SHOWCENTURY);
    m_timePicker = new wxTimePickerCtrl(adjusted->GetStaticBox(), kTimePickerId);
    labelled(adjusted, m_datePicker, m_timePicker);

    auto* stamps = new wxBoxSizer(wxHORIZONTAL);
    stamps->Add(current, 0, wxEXPAND);
    stamps->Add(new wxStaticText(this, wxID_ANY, WxText(Ids::kDateTimeDlgArrow)), 0,
                wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, gap);
    stamps->Add(adjusted, 0, wxEXPAND);

    auto* info = new wxStaticBoxSizer(wxVERTICAL, this, WxText(Ids::kDateTimeDlgInfo));
    info->Add(new wxStaticText(info->GetStaticBox(), wxID_ANY, WxText(Ids::kDateTimeDlgInfoText)), 0, wxALL,
              4);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText(Ids::kAppCancel)), 0, wxRIGHT, 6);
    auto* ok = new wxButton(this, wxID_OK, WxText(Ids::kAppOk));
    ok->SetDefault();
    buttons->Add(ok, 0);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(stamps, 0, wxEXPAND | wxALL, gap);
    column->Add(info, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, gap);
    FitFields();
    SetSizerAndFit(column);
    Bind(wxEVT_SHOW,
         [this](wxShowEvent& event)
         {
             if (event.IsShown() && FitFields())
                 GetSizer()->SetSizeHints(this);
             event.Skip();
         });
}

bool CDateTimeDlg::FitFields()
{
    // The current stamp's fields hold the widest text of their patterns, the
    // pickers their own text with the widest digits.
    bool grown = false;
    for (const auto& [field, pattern] :
         {std::pair{m_date, CDateTimeFormat::GetDateFormatString(m_dtFormat)},
          std::pair{m_time, CDateTimeShift::WithSeconds(CDateTimeFormat::GetTimeFormatString(m_dtFormat))}})
    {
        CWindowTextMeasure measure(*field);
        grown = FitToText(*field, *field, CDateTimeWidth::WidestText(measure, pattern)) || grown;
    }
    for (wxWindow* picker : {static_cast<wxWindow*>(m_datePicker), static_cast<wxWindow*>(m_timePicker)})
        if (wxTextCtrl* field = FieldOf(*picker))
        {
            CWindowTextMeasure measure(*field);
            grown = FitToText(*field, *picker,
                              CDateTimeWidth::WithWidestDigits(measure, field->GetValue().ToStdWstring())) ||
                    grown;
        }
    return grown;
}

void CDateTimeDlg::SetTestHook(TTestHook hook)
{
    DateTimeTestHook() = std::move(hook);
}

wxString CDateTimeDlg::ShownDate() const
{
    return m_date->GetValue();
}

wxString CDateTimeDlg::ShownTime() const
{
    return m_time->GetValue();
}

void CDateTimeDlg::Start()
{
    std::tm tm{};
    if (CDateTimeFormat::ToLocalTime(m_original, &tm))
    {
        m_date->ChangeValue(CDateTimeFormat::Format(CDateTimeFormat::GetDateFormatString(m_dtFormat), tm));
        m_time->ChangeValue(CDateTimeFormat::Format(
            CDateTimeShift::WithSeconds(CDateTimeFormat::GetTimeFormatString(m_dtFormat)), tm));
    }
    else
    {
        m_date->ChangeValue(kNoTime);
        m_time->ChangeValue(kNoTime);
    }

    // Pickers take local fields; a time without them starts from now.
    CDateTimeShift::SLocal start;
    if (!CDateTimeShift::ToLocal(m_adjusted, &start))
        CDateTimeShift::ToLocal(static_cast<std::int64_t>(std::time(nullptr)), &start);
    const wxDateTime value(static_cast<wxDateTime::wxDateTime_t>(start.day),
                           static_cast<wxDateTime::Month>(start.month - 1), start.year,
                           static_cast<wxDateTime::wxDateTime_t>(start.hour),
                           static_cast<wxDateTime::wxDateTime_t>(start.minute),
                           static_cast<wxDateTime::wxDateTime_t>(start.second));
    m_datePicker->SetValue(value);
    m_timePicker->SetValue(value);
}

void CDateTimeDlg::Finish()
{
    const wxDateTime date = m_datePicker->GetValue();
    const wxDateTime time = m_timePicker->GetValue();
    if (!date.IsValid() || !time.IsValid())
        return;
    CDateTimeShift::SLocal picked;
    picked.year = date.GetYear();
    picked.month = static_cast<int>(date.GetMonth()) + 1;
    picked.day = date.GetDay();
    picked.hour = time.GetHour();
    picked.minute = time.GetMinute();
    picked.second = time.GetSecond();
    m_offset = CDateTimeShift::Offset(m_original, picked);
}

int CDateTimeDlg::ShowModal()
{
    Start();
    const int result = DateTimeTestHook() ? DateTimeTestHook()(*this) : wxDialog::ShowModal();
    Finish();
    return result;
}

// The series page's text columns and the date/time dialog's fields in the
// display's own font: every date, time and short name is shown whole, in
// every date and time pattern, after a sort and in a larger font; and a
// heading click leaves the page's picture in place until the sorted page
// is drawn.

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/views/TabGridFixture.h"
#include "views/wx/DateTimeDlg.h"
#include "views/wx/TabGrid.h"

#include <gtest/gtest.h>
#include <wx/datectrl.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace
{

using TerrionTest::kFirstTime;
using TerrionTest::Object;
using CTabGridColumnsTest = TerrionTest::CTabGridFixture;

/// A cell shows its text whole when the text and its two margins of 3 stay
/// clear of the grid line.
constexpr int kCellPadding = 2 * 3 + 1;

int TextWidth(const wxFont& font, const wxString& text)
{
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    dc.SetFont(font);
    return dc.GetTextExtent(text).GetWidth();
}

/// Every series row's text in `col` fits the column in `font`.
void ExpectColumnShowsItsTexts(CGridCtrl& grid, int col, const wxFont& font)
{
    const int width = grid.GetColumnWidth(col);
    for (int row = 1; row < grid.GetRowCount(); row += 2)
    {
        const wxString text = grid.GetItemText(row, col);
        EXPECT_LE(TextWidth(font, text) + kCellPadding, width) << "\"" << text << "\" in column " << col;
    }
}

/// Twelve series from 10:00 to 21:00 (noon and two-digit afternoon hours), named as downloads are.
void LoadTwelve(CTerrionDoc& doc)
{
    CTerrionData::TObjects objects;
    for (int i = 0; i < 12; ++i)
        objects.push_back(Object(1 + i, {2.0 + i, 3.0}));
    doc.AddSeries(objects, false);
    for (int i = 0; i < 12; ++i)
        doc.SetName(i, wxString::Format(L"Series %04d", 8000 + i).ToStdWstring());
}

TEST_F(CTabGridColumnsTest, TheDateAndTimeAndShortNamesAreShownWholeInTheDefaultFontInEveryPattern)
{
    LoadTwelve(doc);
    Pump();
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    for (const std::uint32_t format : {0x0000u, 0x0001u, 0x0102u, 0x0203u, 0x0300u, 0x0303u})
    {
        SCOPED_TRACE(testing::Message() << std::hex << format);
        services.dtFormat = format;
        doc.NotifyViews(nullptr, -1);
        Pump();
        ExpectColumnShowsItsTexts(Grid(), CTabGrid::colDateTime, font);
        ExpectColumnShowsItsTexts(Grid(), CTabGrid::colName, font);
        EXPECT_GE(Grid().GetColumnWidth(CTabGrid::colName), 80);
        EXPECT_GE(Grid().GetColumnWidth(CTabGrid::colDateTime), 100);
    }
}

TEST_F(CTabGridColumnsTest, ANewPatternOrFontFitsTheColumnsAgainAlsoAfterASort)
{
    services.dtFormat = 0x0303; // dd.MM.yyyy HH:mm, the narrowest
    LoadTwelve(doc);
    Pump();
    // The sort keeps the widths as they are from now on.
    Click(0, CTabGrid::colId);
    Pump();
    ASSERT_EQ(doc.GetSortOrder(), 1);
    const int narrow = Grid().GetColumnWidth(CTabGrid::colDateTime);

    services.dtFormat = 0x0000; // MM/dd/yyyy h:mm tt
    doc.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_GT(Grid().GetColumnWidth(CTabGrid::colDateTime), narrow);
    ExpectColumnShowsItsTexts(Grid(), CTabGrid::colDateTime,
                              wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));

    const int name = Grid().GetColumnWidth(CTabGrid::colName);
    const int dateTime = Grid().GetColumnWidth(CTabGrid::colDateTime);
    wxFont large = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    large.SetPointSize(large.GetPointSize() * 3 / 2);
    page->SetFont(large);
    Pump();
    EXPECT_GT(Grid().GetColumnWidth(CTabGrid::colName), name);
    EXPECT_GT(Grid().GetColumnWidth(CTabGrid::colDateTime), dateTime);
    ExpectColumnShowsItsTexts(Grid(), CTabGrid::colDateTime, large);
    ExpectColumnShowsItsTexts(Grid(), CTabGrid::colName, large);
}

TEST_F(CTabGridColumnsTest, AHeadingClickKeepsThePicturesUntilTheSortedPageIsDrawn)
{
    LoadTwelve(doc);
    page->OnToggleExpanded(0);
    Pump();
    const wxSize client = Grid().GetClientSize();
    auto shot = [&]
    {
        wxBitmap bitmap(client.GetWidth(), client.GetHeight(), 24);
        {
            wxMemoryDC dc(bitmap);
            Grid().RenderClient(dc);
        }
        return bitmap.ConvertToImage();
    };
    auto same = [](const wxImage& a, const wxImage& b)
    {
        return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
               std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
    };
    const wxImage before = shot();
    page->SortByColumn(CTabGrid::colName);
    page->SortByColumn(CTabGrid::colName); // descending: the open report moves to the end
    // Until the refill the rows name other series: the page shows what it showed.
    EXPECT_TRUE(same(shot(), before));
    Pump();
    EXPECT_EQ(doc.GetSortOrder(), 6);
    EXPECT_FALSE(same(shot(), before)) << "the sorted page is drawn";
    EXPECT_EQ(Grid().GetItemText(CTabGrid::SeriesRow(0), CTabGrid::colName), L"Series 8011");
}

/// The text controls inside a window, its own included.
void CollectTextFields(wxWindow& window, std::vector<wxTextCtrl*>& fields)
{
    if (auto* field = dynamic_cast<wxTextCtrl*>(&window))
        fields.push_back(field);
    for (wxWindow* child : window.GetChildren())
        CollectTextFields(*child, fields);
}

TEST(CDateTimeDlgFields, EachFieldIsAsWideAsItsText)
{
    // 12:30:00 in the afternoon: the longest times of the day's halves.
    const std::int64_t halfPastTwelve = kFirstTime + 2 * 3600 + 30 * 60;
    for (const std::uint32_t format : {0x0000u, 0x0001u, 0x0303u})
    {
        SCOPED_TRACE(testing::Message() << std::hex << format);
        CDateTimeDlg dialog(nullptr, format);
        dialog.SetOriginalTime(halfPastTwelve);
        dialog.SetNewTime(halfPastTwelve);
        std::vector<std::pair<wxString, int>> shown; // text, and the room it has
        wxString time;
        wxTheApp->CallAfter(
            [&]
            {
                time = dialog.ShownTime();
                std::vector<wxTextCtrl*> fields;
                CollectTextFields(dialog, fields);
                for (wxTextCtrl* field : fields)
                {
                    const int text = field->GetTextExtent(field->GetValue()).GetWidth();
                    shown.emplace_back(field->GetValue(), field->GetSize().GetWidth() -
                                                              field->GetSizeFromTextSize(text).GetWidth());
                }
                dialog.EndModal(wxID_CANCEL);
            });
        dialog.ShowModal();
        if (format == 0x0000)
        {
            EXPECT_EQ(time, L"12:30:00 PM");
        }
        ASSERT_EQ(shown.size(), 4u) << "the current date and time, and the two pickers";
        for (const auto& [text, room] : shown)
            EXPECT_GE(room, 0) << "\"" << text << "\" is cut";
    }
}

} // namespace

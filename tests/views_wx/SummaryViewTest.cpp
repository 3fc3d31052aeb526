// The summary page in a real window: its paint read back pixel by pixel
// (bars, their order and colours), the order label and the comment link
// driven by mouse events, the context menu answered through its test hook,
// the page printed to a PostScript file, and screenshots kept as artefacts.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include "data/TerrionDoc.h"
#include "menus/OwMenu.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/grid/ImagePixel.h"
#include "tests/report/ReportDocument.h"
#include "views/ColorScheme.h"
#include "views/SummaryMenu.h"
#include "views/wx/PageEvents.h"
#include "views/wx/SummaryPrintout.h"
#include "views/wx/SummaryView.h"
#include "views/wx/TabSummary.h"

namespace TerrionTest
{
namespace
{

struct SSeries
{
    std::uint16_t id;
    const wchar_t* name;
    double mean;
};

/// Object IDs, names and means of the window's series: no two orders alike.
const SSeries kSeries[] = {
    {41, L"Wall west", 30.0}, {17, L"Pier A", 52.0}, {23, L"", 12.0},
    {35, L"Column 3", 41.0},  {8, L"Deck", 21.0},
};

std::filesystem::path ScratchFile(const char* name)
{
    return std::filesystem::temp_directory_path() /
           (std::string(name) + "_" + std::to_string(::getpid()) + ".vnr");
}

class SummaryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<SReportSeries> list;
        for (const SSeries& s : kSeries)
        {
            SReportSeries series = BaseSeries();
            series.object.objectNumber = s.id;
            series.object.readings = {{s.mean - 2.0, 0, 100}, {s.mean + 2.0, 0, 120}};
            series.name = s.name;
            list.push_back(series);
        }
        FillDocument(doc, list);
        for (int i = 0; i < static_cast<int>(list.size()); ++i)
            doc.SetInSummary(i, true);
        frame = new wxFrame(nullptr, wxID_ANY, "Summary", wxDefaultPosition, wxSize(1100, 860));
        page = new CTabSummary(frame, doc);
        view = page->GetView();
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        CSummaryView::SetCommentEditor(nullptr);
        CSummaryView::SetMenuTestHook(nullptr);
        if (frame)
            frame->Destroy();
        Pump();
    }

    /// The window's client area as the window paints it.
    wxImage Shot()
    {
        const wxSize client = view->GetClientSize();
        wxBitmap bitmap(client.GetWidth(), client.GetHeight(), 24);
        {
            wxMemoryDC dc(bitmap);
            view->RenderClient(dc);
        }
        return bitmap.ConvertToImage();
    }
    /// The bars of a shot, left to right: their pixel counts in the bar colour
    /// (the height times the width), found on the row just above the base line.
    std::vector<int> BarAreas(const wxImage& image)
    {
        if (view->GetPage().GetLayout().empty)
            return {};
        const int row = view->GetPage().GetLayout().diagram.plot.bottom - 2;
        const wxColour bar = Colour(theColorScheme.BarColor);
        std::vector<int> areas;
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            if (Pixel(image, x, row) != bar || (x > 0 && Pixel(image, x - 1, row) == bar))
                continue;
            int right = x;
            while (right + 1 < image.GetWidth() && Pixel(image, right + 1, row) == bar)
                ++right;
            int area = 0;
            for (int cx = x; cx <= right; ++cx)
                for (int y = 0; y <= row; ++y)
                    area += Pixel(image, cx, y) == bar;
            areas.push_back(area);
        }
        return areas;
    }
    void Mouse(wxEventType type, const SGridPoint& page)
    {
        const wxPoint client = view->CalcScrolledPosition(wxPoint(page.x, page.y));
        wxMouseEvent event(type);
        event.SetPosition(client);
        event.SetEventObject(view);
        view->HandleWindowEvent(event);
        Pump();
    }
    /// A click on the middle of a link's first text.
    void ClickLink(const SReportText& text, int length)
    {
        const SGridPoint at{text.at.x + length / 2, text.at.y + 4};
        Mouse(wxEVT_MOTION, at);
        Mouse(wxEVT_LEFT_DOWN, at);
    }
    const SReportText& OrderLabel() { return view->GetPage().GetLayout().diagram.orderLabel; }
    void ClickOrder() { ClickLink(OrderLabel(), 40); }
    /// The means of the bars shown at the last paint, left to right.
    std::vector<double> ShownMeans()
    {
        std::vector<double> means;
        for (const SSummaryDiagramBar& bar : view->GetPage().GetLayout().diagram.bars)
            means.push_back(doc.GetMean(bar.index));
        return means;
    }
    static bool Ascending(const std::vector<int>& v) { return std::is_sorted(v.begin(), v.end()); }

    CTerrionDoc doc;
    wxWeakRef<wxFrame> frame;
    CTabSummary* page = nullptr;
    CSummaryView* view = nullptr;
};

TEST_F(SummaryWindow, PaintsOneBarPerSeriesInTheOrderAndColours)
{
    wxImage image = Shot();
    ASSERT_TRUE(image.SaveFile(TERRION_VIEWS_ARTEFACTS "/summary_page.png", wxBITMAP_TYPE_PNG));
    // By object ID: 8, 17, 23, 35, 41, that is means 21, 52, 12, 41, 30.
    std::vector<int> areas = BarAreas(image);
    ASSERT_EQ(areas.size(), 5u);
    EXPECT_EQ(ShownMeans(), (std::vector<double>{21.0, 52.0, 12.0, 41.0, 30.0}));
    const std::vector<int> byId = areas;
    EXPECT_GT(byId[1], byId[3]);
    EXPECT_GT(byId[3], byId[4]);
    EXPECT_GT(byId[4], byId[0]);
    EXPECT_GT(byId[0], byId[2]);
    // The order label in the link colour, the title in black, the rest white.
    const SReportText& label = OrderLabel();
    bool link = false;
    for (int x = label.at.x; x < label.at.x + 100; ++x)
        for (int y = label.at.y; y < label.at.y + 12; ++y)
            link = link || Pixel(image, x, y) == Colour(theColorScheme.LinkColor);
    EXPECT_TRUE(link);
    EXPECT_EQ(Pixel(image, image.GetWidth() - 5, image.GetHeight() - 5), *wxWHITE);

    // By value the bars rise from left to right.
    ClickOrder();
    image = Shot();
    areas = BarAreas(image);
    ASSERT_EQ(areas.size(), 5u);
    EXPECT_TRUE(Ascending(areas));
    EXPECT_EQ(ShownMeans(), (std::vector<double>{12.0, 21.0, 30.0, 41.0, 52.0}));
    ASSERT_TRUE(image.SaveFile(TERRION_VIEWS_ARTEFACTS "/summary_page_by_value.png", wxBITMAP_TYPE_PNG));
    // By name: the unnamed series (object 23) first, then Column 3, Deck, Pier A, Wall west.
    ClickOrder();
    EXPECT_EQ(BarAreas(Shot()).size(), 5u);
    EXPECT_EQ(ShownMeans(), (std::vector<double>{12.0, 41.0, 21.0, 52.0, 30.0}));
}

TEST_F(SummaryWindow, OrderClicksCycleAndOnlyTheyMarkTheProjectModified)
{
    const auto path = ScratchFile("summary_order");
    ASSERT_TRUE(doc.SaveFile(path.wstring()));
    std::filesystem::remove(path);
    ASSERT_FALSE(doc.IsModified());
    // Showing, scrolling, hovering and repainting change nothing.
    view->Refresh();
    view->Update();
    Pump();
    (void)Shot();
    Mouse(wxEVT_MOTION, OrderLabel().at);
    EXPECT_EQ(view->GetPage().GetHovered(), CSummaryPage::LinkOrder);
    Mouse(wxEVT_LEAVE_WINDOW, {0, 0});
    EXPECT_EQ(view->GetPage().GetHovered(), CSummaryPage::LinkNone);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetSummaryOrder(), SummaryOrderUnset);
    EXPECT_EQ(OrderLabel().text, L"[ordered by object ID]");

    const std::int16_t orders[] = {SummaryOrderValue, SummaryOrderName, SummaryOrderObjectId};
    const wchar_t* labels[] = {L"[ordered by value]", L"[ordered by name]", L"[ordered by object ID]"};
    for (int i = 0; i < 3; ++i)
    {
        ClickOrder();
        EXPECT_EQ(doc.GetSummaryOrder(), orders[i]);
        EXPECT_TRUE(doc.IsModified());
        (void)Shot();
        EXPECT_EQ(OrderLabel().text, labels[i]);
    }
    // A click beside the label changes nothing.
    const SGridPoint beside{OrderLabel().at.x - 60, OrderLabel().at.y + 4};
    Mouse(wxEVT_LEFT_DOWN, beside);
    EXPECT_EQ(doc.GetSummaryOrder(), SummaryOrderObjectId);
}

TEST_F(SummaryWindow, TheCommentLinkOpensTheEditorAndTheCommentIsSaved)
{
    int asked = 0;
    std::wstring shown;
    std::wstring answer = L"Dry season. Taken after the repair\nof the north pier.";
    bool confirm = false;
    CSummaryView::SetCommentEditor(
        [&](wxWindow* parent, std::wstring& text)
        {
            ++asked;
            EXPECT_EQ(parent, view);
            shown = text;
            if (confirm)
                text = answer;
            return confirm;
        });
    (void)Shot();
    auto commentText = [&]() -> const SReportText&
    {
        const auto& texts = view->GetPage().GetLayout().comment.texts;
        auto it = std::find_if(texts.begin(), texts.end(), [](const SReportText& t) { return t.area != 0; });
        EXPECT_NE(it, texts.end());
        return *it;
    };
    EXPECT_EQ(commentText().text, L"[Add]");
    // Cancel leaves the project as it was.
    ClickLink(commentText(), 20);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(doc.GetSummaryComment(), L"");
    confirm = true;
    ClickLink(commentText(), 20);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(shown, L"");
    EXPECT_EQ(doc.GetSummaryComment(), answer);
    EXPECT_TRUE(doc.IsModified());
    (void)Shot();
    EXPECT_EQ(commentText().text, L"Dry");
    // The editor starts from the comment there is.
    answer = L"Second visit";
    ClickLink(commentText(), 10);
    EXPECT_EQ(shown, L"Dry season. Taken after the repair\nof the north pier.");

    const auto path = ScratchFile("summary_comment");
    ASSERT_TRUE(doc.SaveFile(path.wstring()));
    CTerrionDoc reopened;
    ASSERT_TRUE(reopened.Open(path.wstring(), false));
    std::filesystem::remove(path);
    EXPECT_EQ(reopened.GetSummaryComment(), L"Second visit");
    EXPECT_EQ(reopened.GetSummaryCount(), 5);
}

TEST_F(SummaryWindow, AWindowClosedWhileItsMenuIsOpenChangesNothing)
{
    // The close comes while the menu tracks: its nested loop deletes the closed frame.
    CSummaryView::SetMenuTestHook(
        [this](const OwMenu&)
        {
            frame->Destroy();
            wxTheApp->ProcessIdle();
            return CSummaryMenu::ChoiceRemoveAll;
        });
    (void)Shot();
    wxMouseEvent press(wxEVT_RIGHT_DOWN);
    const wxSize client = view->GetClientSize();
    press.SetPosition(wxPoint(client.x / 2, client.y / 2));
    press.SetEventObject(view);
    view->ProcessWindowEventLocally(press);
    EXPECT_FALSE(frame);
    EXPECT_EQ(doc.GetSummaryCount(), 5);
}

TEST_F(SummaryWindow, TheContextMenuRemovesAndAddsSeries)
{
    std::vector<std::wstring> items;
    unsigned choice = CSummaryMenu::ChoiceNone;
    CSummaryView::SetMenuTestHook(
        [&](const OwMenu& menu)
        {
            items.clear();
            for (int i = 0; i < menu.GetItemCount(); ++i)
                items.push_back(menu.GetItem(i).text);
            return choice;
        });
    (void)Shot();
    const SSummaryDiagramBar bar = view->GetPage().GetLayout().diagram.bars.at(1); // Pier A
    ASSERT_EQ(doc.GetName(bar.index), L"Pier A");
    const SGridPoint onBar{bar.rect.left + 3, bar.rect.bottom - 3};

    // Dismissed: nothing happens.
    Mouse(wxEVT_RIGHT_DOWN, onBar);
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Remove series Pier A", L"", L"Remove all series",
                                                L"Add all series"}));
    EXPECT_EQ(doc.GetSummaryCount(), 5);

    choice = CSummaryMenu::ChoiceRemoveSeries;
    Mouse(wxEVT_RIGHT_DOWN, onBar);
    EXPECT_FALSE(doc.IsInSummary(bar.index));
    EXPECT_EQ(doc.GetSummaryCount(), 4);
    Pump();
    EXPECT_EQ(BarAreas(Shot()).size(), 4u);

    // Outside every bar only the two items for all series.
    choice = CSummaryMenu::ChoiceAddAll;
    Mouse(wxEVT_RIGHT_DOWN, {5, 5});
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Remove all series", L"Add all series"}));
    EXPECT_EQ(doc.GetSummaryCount(), 5);
    Pump();
    EXPECT_EQ(BarAreas(Shot()).size(), 5u);

    choice = CSummaryMenu::ChoiceRemoveAll;
    Mouse(wxEVT_RIGHT_DOWN, {5, 5});
    EXPECT_EQ(doc.GetSummaryCount(), 0);
    Pump();
    // An empty summary leaves the page blank, and printing it does nothing.
    const wxImage blank = Shot();
    int coloured = 0;
    for (int y = 0; y < blank.GetHeight(); y += 3)
        for (int x = 0; x < blank.GetWidth(); x += 3)
            coloured += Pixel(blank, x, y) != *wxWHITE;
    EXPECT_EQ(coloured, 0);
    EXPECT_FALSE(view->PrintSummary());
    wxCommandEvent print(WM_PAGE_PRINT);
    EXPECT_TRUE(page->ProcessWindowEventLocally(print));
}

TEST_F(SummaryWindow, PrintsOnePageToAPostScriptFile)
{
    doc.SetSummaryComment(L"Printed summary");
    (void)Shot();
    const wxString path = wxFileName::CreateTempFileName("summary_print") + ".ps";
    wxPrintData data;
    data.SetFilename(path);
    data.SetPrintMode(wxPRINT_MODE_FILE);
    data.SetPaperId(wxPAPER_A4);
    {
        wxPostScriptDC dc(data);
        ASSERT_TRUE(dc.IsOk());
        CSummaryPrintout printout(view->GetPage(), view->GetClientSize().GetWidth());
        printout.SetDC(&dc);
        const wxSize size = dc.GetSize();
        printout.SetPageSizePixels(size.GetWidth(), size.GetHeight());
        int minPage = 0, maxPage = 0, from = 0, to = 0;
        printout.GetPageInfo(&minPage, &maxPage, &from, &to);
        EXPECT_EQ(maxPage, 1);
        EXPECT_FALSE(printout.HasPage(2));
        ASSERT_TRUE(dc.StartDoc("Terrionlink"));
        dc.StartPage();
        EXPECT_TRUE(printout.OnPrintPage(1));
        dc.EndPage();
        dc.EndDoc();
        // The page's width and one character fill the paper's width.
        EXPECT_GT(printout.GetMargin(), 0);
        EXPECT_NEAR(printout.GetScale() * (view->GetPage().GetExtent().cx + printout.GetMargin()),
                    size.GetWidth(), 1.0);
    }
    // The screen's layout is the one it was.
    EXPECT_EQ(view->GetPage().GetLayout().diagram.bars.size(), 5u);
    std::ifstream in(path.ToStdString(), std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    wxRemoveFile(path);
    EXPECT_EQ(file.rfind("%!PS-Adobe", 0), 0u);
    EXPECT_NE(file.find("%%Page: 1"), std::string::npos);
    EXPECT_EQ(file.find("%%Page: 2"), std::string::npos);
    EXPECT_NE(file.find("Summary of Series"), std::string::npos);
    EXPECT_NE(file.find("(Printed)"), std::string::npos); // the comment goes word by word

    // The same page in a bitmap of A4's proportions, for a person to look at.
    wxBitmap sheet(760, 1075, 24);
    {
        wxMemoryDC dc(sheet);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        CSummaryPrintout printout(view->GetPage(), view->GetClientSize().GetWidth());
        printout.SetDC(&dc);
        printout.SetPageSizePixels(760, 1075);
        EXPECT_TRUE(printout.OnPrintPage(1));
    }
    ASSERT_TRUE(
        sheet.ConvertToImage().SaveFile(TERRION_VIEWS_ARTEFACTS "/summary_print.png", wxBITMAP_TYPE_PNG));
}

TEST_F(SummaryWindow, ALongPageScrollsAndKeepsItsLayout)
{
    std::vector<SReportSeries> more;
    for (int i = 0; i < 120; ++i)
    {
        SReportSeries s = BaseSeries();
        s.object.objectNumber = static_cast<std::uint16_t>(100 + i);
        s.object.readings = {{5.0 + i % 17, 0, 100}};
        s.name = L"Core " + std::to_wstring(i);
        more.push_back(s);
    }
    CTerrionData::TObjects objects;
    for (const auto& s : more)
        objects.push_back(s.object);
    doc.AddSeries(objects, true);
    doc.SetAllInSummary(true);
    // The pointer off the window: a link that comes under it as the page moves would be drawn hovered.
    wxUIActionSimulator().MouseMove(frame->GetScreenRect().GetBottomRight() + wxPoint(20, 20));
    ASSERT_TRUE(PumpUntil([&] { return view->GetPage().ReadInput().hovered == CSummaryPage::LinkNone; }));
    view->UpdateLayout();
    Pump();
    const SGridSize extent = view->GetPage().GetExtent();
    // The scrolled size is the page's (and at least the window's).
    EXPECT_EQ(view->GetVirtualSize().GetHeight(), extent.cy);
    EXPECT_GE(view->GetVirtualSize().GetWidth(), extent.cx);
    EXPECT_GT(extent.cy, view->GetClientSize().GetHeight());
    const int layouts = view->GetPage().GetLayoutCount();
    view->Scroll(0, extent.cy / 10 / 2);
    Pump();
    const wxImage scrolled = Shot();
    EXPECT_EQ(view->GetPage().GetLayoutCount(), layouts);
    ASSERT_TRUE(scrolled.SaveFile(TERRION_VIEWS_ARTEFACTS "/summary_page_scrolled.png", wxBITMAP_TYPE_PNG));
    // Values are written in black somewhere on the scrolled part.
    int ink = 0;
    for (int y = 0; y < scrolled.GetHeight(); y += 2)
        for (int x = 0; x < 200; ++x)
            ink += Pixel(scrolled, x, y) == *wxBLACK;
    EXPECT_GT(ink, 50);
}

} // namespace
} // namespace TerrionTest

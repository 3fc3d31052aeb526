#pragma once
// The series page in a frame of its own over a real document, with the
// dialogs, the context menu and the message boxes answered by the tests.

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/project/FakeDocumentUi.h"
#include "tests/views/SeriesPageDriver.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/DateTimeDlg.h"
#include "views/wx/TabGrid.h"
#include "views/wx/ViewServices.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace TerrionTest
{

// Every time of these tests is shown on the Central European clock, with its daylight saving.
inline const bool g_berlinClock = []
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    return true;
}();

/// 2023-01-15 10:00 CET; series i is downloaded i hours later.
constexpr std::int64_t kFirstTime = 1673773200;

class CFakeViewServices : public CViewServices
{
public:
    std::uint32_t GetDTFormat() const override { return dtFormat; }
    CUserPrompts::NAnswer MessageBox(unsigned textId, CUserPrompts::NButtons buttons,
                                     CUserPrompts::NIcon icon) override
    {
        asked.push_back(textId);
        kinds.emplace_back(buttons, icon);
        if (answers.empty())
            return CUserPrompts::answerCancel;
        const CUserPrompts::NAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    CUserPrompts::NAnswer MessageText(const std::wstring&, CUserPrompts::NButtons,
                                      CUserPrompts::NIcon) override
    {
        return CUserPrompts::answerOk;
    }
    CUserPrompts::NAnswer AskAbortRetryIgnore(const std::wstring&) override
    {
        return CUserPrompts::answerAbort;
    }
    std::unique_ptr<CViewProgress> OpenProgress(wxWindow*) override { return nullptr; }

    std::uint32_t dtFormat = 0;
    std::deque<CUserPrompts::NAnswer> answers;
    std::vector<unsigned> asked;
    std::vector<std::pair<CUserPrompts::NButtons, CUserPrompts::NIcon>> kinds;
};

/// A series with the object number and readings given (0.0 is an invalid reading).
inline Device::TTerrionObject Object(int number, const std::vector<double>& readings)
{
    Device::TTerrionObject object;
    object.ident.serialNumber = L"TN12-345-6789";
    object.objectNumber = static_cast<std::uint16_t>(number);
    for (const double value : readings)
        object.readings.push_back({value, 0x10, static_cast<std::uint16_t>(value != 0.0 ? 10 : 0)});
    return object;
}

class CTabGridFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.SetSeriesStamps(nullptr, [this] { return kFirstTime + 3600 * m_stamps++; });
        m_frame = new wxFrame(nullptr, wxID_ANY, L"Series page", wxDefaultPosition, wxSize(760, 520));
        m_frame->CreateStatusBar();
        page = new CTabGrid(m_frame, doc, services);
        wxTheApp->SetTopWindow(m_frame);
        m_frame->Show();
        Pump();
    }

    void TearDown() override
    {
        CCommentDlg::SetTestHook({});
        CDateTimeDlg::SetTestHook({});
        CTabGrid::SetMenuTestHook({});
        m_frame->Destroy();
        Pump();
    }

    CGridCtrl& Grid() { return page->Grid(); }
    CSeriesPageDriver Driver() { return CSeriesPageDriver(*page); }

    /// Five series: names out of order, means 4, 2, 8, 0 (no valid reading), 6.
    void LoadFive()
    {
        doc.AddSeries({Object(11, {3, 5}), Object(12, {2}), Object(13, {7, 8, 9}), Object(14, {0, 0}),
                       Object(15, {5, 6, 7})},
                      false);
        const wchar_t* names[] = {L"Delta", L"Alpha", L"Echo", L"Charlie", L"Bravo"};
        for (int i = 0; i < 5; ++i)
            doc.SetName(i, names[i]);
        Pump();
    }

    /// A left click on a cell as the window gets it.
    void Click(int row, int col) { Driver().ClickAt(Driver().Centre(row, col)); }

    void RightClick(int row, int col) { Driver().RightClickAt(Driver().Centre(row, col)); }

    void Key(int code, int modifiers = wxMOD_NONE)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.SetEventObject(&Grid());
        event.m_keyCode = code;
        event.m_controlDown = (modifiers & wxMOD_CONTROL) != 0;
        event.m_shiftDown = (modifiers & wxMOD_SHIFT) != 0;
        Grid().GetEventHandler()->ProcessEvent(event);
        Pump();
    }

    /// Selects series first..last as a click and a Shift+click would.
    void SelectSeries(int first, int last)
    {
        Grid().SetSelectedRange(CTabGrid::SeriesRow(first), 0, CTabGrid::DetailRow(last),
                                CTabGrid::kColumnCount - 1);
        Grid().SetFocusCell(CTabGrid::SeriesRow(last), 1);
        Pump();
    }

    std::wstring Cell(int series, int col) { return Grid().GetItemText(CTabGrid::SeriesRow(series), col); }

    std::vector<std::wstring> NamesShown()
    {
        std::vector<std::wstring> names;
        for (int row = 1; row < Grid().GetRowCount(); row += 2)
            names.push_back(Grid().GetItemText(row, CTabGrid::colName));
        return names;
    }

    wxString StatusBarText() { return m_frame->GetStatusBar()->GetStatusText(0); }

    static std::wstring StatusText(int selected, int total)
    {
        return L"Selected objects: " + std::to_wstring(selected) + L"      Total objects: " +
               std::to_wstring(total) + L"        ";
    }

    CFakeDocumentUi ui;
    CTerrionDoc doc{&ui};
    CFakeViewServices services;
    CTabGrid* page = nullptr;

private:
    int m_stamps = 0;
    wxFrame* m_frame = nullptr;
};

} // namespace TerrionTest

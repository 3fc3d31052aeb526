// The off-screen drawing context: nothing reaches the target until it goes,
// then the whole area at once on the target's background; a printer's DC is
// drawn on directly.
#include <gtest/gtest.h>
#include <wx/cmndata.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/filename.h>

#include "drawing/wx/MemDCExt.h"

namespace TerrionTest
{
namespace
{

wxColour At(wxDC& dc, int x, int y)
{
    wxColour colour;
    dc.GetPixel(x, y, &colour);
    return wxColour(colour.Red(), colour.Green(), colour.Blue());
}

TEST(MemDCExt, ShowsTheAreaAtOnceOnTheTargetsBackground)
{
    wxBitmap bitmap(100, 80, 24);
    wxMemoryDC target(bitmap);
    target.SetBackground(*wxWHITE_BRUSH);
    target.Clear();
    target.SetBackground(*wxBLUE_BRUSH);
    const wxRect area(10, 10, 50, 40);
    {
        CMemDCExt memory(target, &area);
        ASSERT_TRUE(memory.IsOffScreen());
        wxDC& dc = memory.GetDC();
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxRED_BRUSH);
        dc.DrawRectangle(20, 20, 10, 10);        // the target's coordinates
        EXPECT_EQ(At(target, 22, 22), *wxWHITE); // not yet
        EXPECT_EQ(At(dc, 22, 22), *wxRED);
        EXPECT_EQ(At(dc, 12, 12), *wxBLUE);
    }
    EXPECT_EQ(At(target, 22, 22), *wxRED);
    EXPECT_EQ(At(target, 12, 12), *wxBLUE); // the area's background
    EXPECT_EQ(At(target, 59, 49), *wxBLUE);
    EXPECT_EQ(At(target, 5, 5), *wxWHITE); // outside the area
    EXPECT_EQ(At(target, 60, 50), *wxWHITE);
}

TEST(MemDCExt, WithoutAnAreaItTakesTheTargetsClipBox)
{
    wxBitmap bitmap(64, 32, 24);
    wxMemoryDC target(bitmap);
    target.SetBackground(*wxGREEN_BRUSH);
    {
        CMemDCExt memory(target);
        EXPECT_EQ(memory.GetArea(), wxRect(0, 0, 64, 32));
    }
    EXPECT_EQ(At(target, 63, 31), *wxGREEN);
}

TEST(MemDCExt, OnAPrinterItDrawsStraightThrough)
{
    wxPrintData print;
    const wxString file = wxFileName::CreateTempFileName("memdc") + ".ps";
    print.SetFilename(file);
    print.SetPrintMode(wxPRINT_MODE_FILE);
    wxPostScriptDC printer(print);
    ASSERT_TRUE(printer.IsOk());
    ASSERT_TRUE(printer.StartDoc("memdc"));
    printer.StartPage();
    {
        const wxRect area(10, 10, 100, 100);
        CMemDCExt memory(printer, &area);
        EXPECT_FALSE(memory.IsOffScreen());
        EXPECT_EQ(&memory.GetDC(), static_cast<wxDC*>(&printer));
    }
    printer.EndPage();
    printer.EndDoc();
    wxRemoveFile(file);
}

} // namespace
} // namespace TerrionTest

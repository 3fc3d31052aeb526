#pragma once
#include <string>

#include <wx/frame.h>
#include <wx/sizer.h>

#include "grid/GridCtrl.h"
#include "tests/grid/GridGuiPump.h"

/// A frame with two grid windows side by side (ids 101 and 102), each a
/// heading row over four body rows, columns 70 pixels wide, rows 24 high.
struct SGridWindowPair
{
    static constexpr int kRows = 5;
    static constexpr int kCols = 4;
    static constexpr int kRowHeight = 24;
    static constexpr int kColumnWidth = 70;

    void Open(const wxString& title)
    {
        frame = new wxFrame(nullptr, wxID_ANY, title, wxPoint(20, 20), wxSize(640, 200));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        left = Make(101);
        right = Make(102);
        sizer->Add(left, 1, wxEXPAND);
        sizer->Add(right, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
        frame->Raise();
        Pump();
    }
    void Close()
    {
        frame->Destroy();
        Pump();
    }
    /// Headings "H<col>" over texts "<prefix><row>c<col>".
    static void Fill(CGridCtrl* grid, const std::wstring& prefix)
    {
        for (int col = 0; col < kCols; ++col)
        {
            grid->SetItemText(0, col, L"H" + std::to_wstring(col));
            for (int row = 1; row < kRows; ++row)
                grid->SetItemText(row, col, prefix + std::to_wstring(row) + L"c" + std::to_wstring(col));
        }
    }
    /// The texts of a row, joined by '|'.
    static std::wstring Row(CGridCtrl* grid, int row)
    {
        std::wstring text;
        for (int col = 0; col < kCols; ++col)
            text += (col ? L"|" : L"") + grid->GetItemText(row, col);
        return text;
    }
    /// The middle of a cell on the screen.
    static wxPoint Screen(CGridCtrl* grid, int row, int col)
    {
        return grid->ClientToScreen(
            wxPoint(col * kColumnWidth + kColumnWidth / 2, row * kRowHeight + kRowHeight / 2));
    }

    wxFrame* frame = nullptr;
    CGridCtrl* left = nullptr;
    CGridCtrl* right = nullptr;

private:
    CGridCtrl* Make(int id)
    {
        auto* grid = new CGridCtrl(frame, id);
        grid->SetRowCount(kRows);
        grid->SetColumnCount(kCols);
        grid->SetFixedRowCount(1);
        for (int row = 0; row < kRows; ++row)
            grid->SetRowHeight(row, kRowHeight);
        for (int col = 0; col < kCols; ++col)
            grid->SetColumnWidth(col, kColumnWidth);
        return grid;
    }
};

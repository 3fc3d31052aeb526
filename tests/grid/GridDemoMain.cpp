// A window with a grid shaped like the series page, to look at, scroll, move
// through with the keyboard and the mouse, rename series in and print.
#include <cstdlib>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include "tests/grid/GridDemo.h"

namespace
{

class CGridDemoApp : public wxApp
{
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Grid demo", wxDefaultPosition, wxSize(680, 420));
        auto* grid = new CGridCtrl(frame, 101);
        BuildSeriesDemo(*grid, 60);
        auto* file = new wxMenu;
        file->Append(wxID_PRINT, "&Print...\tCtrl+P");
        file->Append(wxID_EXIT);
        auto* bar = new wxMenuBar;
        bar->Append(file, "&File");
        frame->SetMenuBar(bar);
        frame->Bind(
            wxEVT_MENU, [grid](wxCommandEvent&) { grid->Print(); }, wxID_PRINT);
        frame->Bind(
            wxEVT_MENU, [frame](wxCommandEvent&) { frame->Close(); }, wxID_EXIT);
        // Ready for the keyboard: the first name has the focus (type to rename it).
        grid->SetFocusCell(1, 1);
        frame->Show();
        grid->SetFocus();
        return true;
    }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("GTK_OVERLAY_SCROLLING", "0", 1); // before GTK starts
    wxApp::SetInstance(new CGridDemoApp());
    return wxEntry(argc, argv);
}

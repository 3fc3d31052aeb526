// A window with a grid shaped like the series page, to look at and scroll.
#include <cstdlib>

#include <wx/app.h>
#include <wx/frame.h>

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
        frame->Show();
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

// The yardstick of the start-up benchmark: a wxWidgets program that opens one
// empty frame and writes a line to its standard output at the first paint.

#include <wx/app.h>
#include <wx/frame.h>

#include <cstdio>
#include <cstdlib>

namespace
{

class CMinimalApp : public wxApp
{
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, L"Minimal");
        frame->Show();
        return true;
    }

    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_PAINT && !m_painted)
        {
            m_painted = true;
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            CallAfter([this] { GetTopWindow()->Destroy(); });
        }
        return -1;
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    ::setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    wxApp::SetInstance(new CMinimalApp());
    return wxEntry(argc, argv);
}

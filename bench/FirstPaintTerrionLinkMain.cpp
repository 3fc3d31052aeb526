// TerrionLink as it starts for a user, with one addition for the start-up
// benchmark: a line on standard output at the first paint, then it closes.

#include "app/shell/MainFrame.h"
#include "app/shell/TerrionLinkApp.h"

#include <cstdio>
#include <cstdlib>

namespace
{

class CFirstPaintApp : public CTerrionLinkApp
{
public:
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_PAINT && !m_painted && MainFrame())
        {
            m_painted = true;
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            CallAfter(
                [this]
                {
                    if (MainFrame())
                        MainFrame()->Destroy();
                });
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
    wxApp::SetInstance(new CFirstPaintApp());
    return wxEntry(argc, argv);
}

// A second program instance for the clipboard tests: copies series of its
// own project onto the clipboard, says "ready" and keeps serving the
// clipboard until its standard input says "quit" or closes.
#include "tests/platform_wx/ClipboardDocumentUi.h"
#include "tests/report/ReportDocument.h"
#include "views/ReportExport.h"

#include <wx/app.h>
#include <wx/timer.h>

#include <cstdio>
#include <poll.h>
#include <unistd.h>

// GTK, fontconfig and D-Bus keep process-wide caches until exit; they are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libglib-2.0.so\nleak:libgobject-2.0.so\nleak:libgtk-3.so\n"
           "leak:libgdk-3.so\nleak:libpango-1.0.so\nleak:libdbus-1.so\nleak:libgio-2.0.so\n";
}

namespace
{
class COwnerApp : public wxApp
{
public:
    bool OnInit() override
    {
        m_doc.SetUi(&m_ui);
        TerrionTest::FillDocument(m_doc, TerrionTest::ClipboardSeries());
        // Series 1 and 2 in the private format, 1 also as text.
        if (!CReportExport::Copy(m_doc, {0, 1, 1}, {false, true, false}, nullptr))
        {
            std::puts("failed");
            return false;
        }
        std::puts("ready");
        std::fflush(stdout);
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CheckInput(); });
        m_timer.Start(50);
        return true;
    }

private:
    void CheckInput()
    {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 0) > 0)
        {
            char buffer[16];
            if (read(STDIN_FILENO, buffer, sizeof(buffer)) <= 0 || buffer[0] == 'q')
            {
                m_timer.Stop();
                ExitMainLoop();
            }
        }
    }

    TerrionTest::CClipboardDocumentUi m_ui;
    CTerrionDoc m_doc;
    wxTimer m_timer;
};
} // namespace

wxIMPLEMENT_APP(COwnerApp);

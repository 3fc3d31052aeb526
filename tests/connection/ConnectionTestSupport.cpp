#include "tests/connection/ConnectionTestSupport.h"

#include "app/connection/wx/DevFoundPage.h"
#include "app/connection/wx/ProgressRepaint.h"
#include "device/DeviceThread.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/window.h>

#include <chrono>
#include <thread>

namespace ConnectionTest
{
namespace
{

class CTestApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

/// wxWidgets and the device worker, once for the whole executable.
class CWxEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static char name[] = "connection_tests";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new CTestApp);
        ASSERT_TRUE(wxEntryStart(argc, argv));
        ASSERT_TRUE(wxTheApp->CallOnInit());
        wxInitAllImageHandlers();
        ASSERT_TRUE(Device::StartDeviceThread());
    }
    void TearDown() override
    {
        Device::StopDeviceThread();
        wxEntryCleanup();
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CWxEnvironment);

} // namespace

CWizardDriver::CWizardDriver()
{
    CDevSelectSheet::SetTestObserver(
        [this](CDevSelectSheet& sheet, CDevSelectSheet::NStep step)
        {
            if (step == CDevSelectSheet::stepPageShown)
            {
                ++m_nPagesShown;
                if (onPage && onPage(sheet))
                    return;
                if (sheet.GetCurrentPage() == sheet.GetFoundPage())
                {
                    if (onSearchPage)
                        onSearchPage(sheet);
                    return;
                }
                wxTheApp->CallAfter([&sheet] { sheet.PressButton(wxID_FORWARD); });
                return;
            }
            ++m_nSearches;
            if (onSearchEnded)
                onSearchEnded(sheet);
            const bool found = sheet.IsButtonEnabled(wxID_FORWARD);
            wxTheApp->CallAfter([&sheet, found] { sheet.PressButton(found ? wxID_FORWARD : wxID_CANCEL); });
        });
}

CWizardDriver::~CWizardDriver()
{
    CDevSelectSheet::SetTestObserver({});
}

void RunLoopFor(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    while (std::chrono::steady_clock::now() < end)
    {
        while (loop.Pending())
            loop.Dispatch();
        loop.ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void SaveScreenshot(wxWindow* window, const std::string& name)
{
    // Let the window paint what it shows now.
    CProgressRepaint::Now(window);
    CProgressRepaint::Now(window);
    ScreenImage(window->GetScreenRect())
        .SaveFile(wxString(std::string(TERRION_TEST_OUTPUT_DIR) + "/" + name + ".png"), wxBITMAP_TYPE_PNG);
}

} // namespace ConnectionTest

// GTK, fontconfig and D-Bus keep caches for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libglib\nleak:libgobject\nleak:libgtk-3\nleak:libgdk-3\nleak:libdbus\n"
           "leak:libpango\nleak:libcairo\nleak:libatk\nleak:libgio\n";
}

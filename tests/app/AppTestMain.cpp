// The GUI tests' entry: GTK's overlay scroll bars are switched off before GTK
// starts, as the program does; listing the tests needs no display.

#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>
#include <wx/debug.h>
#include <wx/string.h>

#include <cstdlib>

// GTK, fontconfig and D-Bus keep caches for the whole process on purpose.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgtk-3.so\n"
           "leak:libgdk-3.so\n"
           "leak:libpango\n"
           "leak:libcairo.so\n"
           "leak:libgio-2.0.so\n"
           "leak:libatk\n";
}

namespace
{

// A failed wx assertion fails the test instead of waiting for a dialog.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE() << "wx assertion " << cond.ToStdString() << " failed in " << func.ToStdString() << " ("
                  << file.ToStdString() << ":" << line << "): " << msg.ToStdString();
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    ::testing::InitGoogleTest(&argc, argv);
    wxSetAssertHandler(FailOnAssert);
    if (!GTEST_FLAG_GET(list_tests))
        ::testing::AddGlobalTestEnvironment(new TerrionTest::CAppEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}

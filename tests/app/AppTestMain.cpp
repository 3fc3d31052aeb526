// The GUI tests' entry: GTK's overlay scroll bars are switched off before GTK
// starts, as the program does; listing the tests needs no display.

#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

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

int main(int argc, char** argv)
{
    ::setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests))
        ::testing::AddGlobalTestEnvironment(new TerrionTest::CAppEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}

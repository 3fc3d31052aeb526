// Runs the window tests inside a wx application on the (virtual) display.
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>

// GTK, fontconfig and D-Bus keep process-wide caches until exit; they are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgtk-3.so\n"
           "leak:libgdk-3.so\n"
           "leak:libpango-1.0.so\n"
           "leak:libpangoft2-1.0.so\n"
           "leak:libdbus-1.so\n"
           "leak:libgio-2.0.so\n"
           "leak:libatk-bridge-2.0.so\n";
}

int main(int argc, char** argv)
{
    // Overlay scroll bars lie over the client area; the grid's arithmetic needs real ones.
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    ::testing::InitGoogleTest(&argc, argv);
    if (listing)
        return RUN_ALL_TESTS(); // listing needs no display
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv))
        return 1;
    wxTheApp->CallOnInit();
    wxInitAllImageHandlers();
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}

// Where the firmware-upgrade tool is looked for, when it counts as there, and
// the message that names its path.

#include "app/connection/UpgradeToolPath.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace
{

using TerrionTest::CTempDir;

TEST(UpgradeToolPath, LiesInTheProgramsFolder)
{
    struct SCase
    {
        const wchar_t* folder;
        const wchar_t* path;
    };
    for (const SCase& c : {SCase{L"/opt/terrion", L"/opt/terrion/VnUpgrade"},
                           SCase{L"/opt/terrion/", L"/opt/terrion/VnUpgrade"}, SCase{L"/", L"/VnUpgrade"},
                           SCase{L"/opt/a b", L"/opt/a b/VnUpgrade"}, SCase{L"", L"VnUpgrade"}})
        EXPECT_EQ(CUpgradeToolPath(c.folder).Get(), c.path) << testing::PrintToString(std::wstring(c.folder));
}

TEST(UpgradeToolPath, OnlyAnExecutableFileIsRunnable)
{
    struct SCase
    {
        const char* name;
        void (*make)(const std::filesystem::path& tool);
        bool runnable;
    };
    const SCase cases[] = {
        {"missing", [](const std::filesystem::path&) {}, false},
        {"not executable",
         [](const std::filesystem::path& tool)
         {
             std::ofstream(tool) << "#!/bin/sh\n";
             ::chmod(tool.c_str(), 0644);
         },
         false},
        {"a folder", [](const std::filesystem::path& tool) { std::filesystem::create_directory(tool); },
         false},
        {"executable",
         [](const std::filesystem::path& tool)
         {
             std::ofstream(tool) << "#!/bin/sh\n";
             ::chmod(tool.c_str(), 0755);
         },
         true},
        {"a link to an executable",
         [](const std::filesystem::path& tool)
         {
             const auto target = tool.parent_path() / "real";
             std::ofstream(target) << "#!/bin/sh\n";
             ::chmod(target.c_str(), 0755);
             std::filesystem::create_symlink(target, tool);
         },
         true},
    };
    for (const SCase& c : cases)
    {
        CTempDir folder;
        c.make(folder / "VnUpgrade");
        CUpgradeToolPath tool(folder.Path().wstring());
        EXPECT_EQ(tool.IsRunnable(), c.runnable) << c.name;
    }
}

TEST(UpgradeToolPath, AnUnknownFolderIsNeverLookedUpOnTheSearchPath)
{
    CTempDir folder;
    std::ofstream(folder / "VnUpgrade") << "#!/bin/sh\n";
    ::chmod((folder / "VnUpgrade").c_str(), 0755);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    EXPECT_FALSE(CUpgradeToolPath(L"").IsRunnable());
    std::filesystem::current_path(previous);
}

TEST(UpgradeToolPath, TheMessageNamesThePath)
{
    EXPECT_EQ(CUpgradeToolPath(L"/opt/terrion").NotStartedMessage(),
              L"The firmware-upgrade tool could not be started:\n/opt/terrion/VnUpgrade");
}

} // namespace

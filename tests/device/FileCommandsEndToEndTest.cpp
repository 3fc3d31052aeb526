// The file, directory and login commands against a simulated instrument that
// keeps files and accounts: the bytes each command puts on the line, and what
// the instrument's answers make of it.

#include "device/FileCommandText.h"
#include "streams/RamStream.h"
#include "tests/device/TerrionEndToEnd.h"

#include <string>

namespace TerrionTest
{
namespace
{

using StreamIO::CRamStream;

constexpr std::uint32_t kScratch = StreamIO::ofRead | StreamIO::ofWrite | StreamIO::ofCreateAlways;

std::string AsText(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class FileCommandsEndToEnd : public CTerrionEndToEnd
{
protected:
    void SetUp() override
    {
        Start(CTerrionScenario()
                  .AddFile("a.txt", "hello")
                  .AddFile("dir\\log", "")
                  .AddAccount("op", "pa\"ss\\", 6, 0x1234ABCD)
                  .AddAccount("", "", 3));
    }

    std::string Sent() const { return AsText(m_sim->Received()); }
    std::vector<std::uint8_t> File(const std::string& name) const { return m_sim->Files().at(name); }
};

TEST_F(FileCommandsEndToEnd, DirectoryListsTheFilesAndRestoresTheTimeouts)
{
    m_device->GetStream()->SetTimeouts(345, 67);
    std::wstring listing;
    ASSERT_TRUE(m_device->ListDeviceDirectory(0x1A, listing));
    EXPECT_EQ(Sent(), "\x10"
                      "DIRS 001A\r");
    EXPECT_EQ(listing, L"a.txt,5;dir\\log,0");
    int readMs = 0;
    int writeMs = 0;
    m_device->GetStream()->GetTimeouts(&readMs, &writeMs);
    EXPECT_EQ(readMs, 345);
    EXPECT_EQ(writeMs, 67);
}

TEST_F(FileCommandsEndToEnd, LoadWritesTheFileIntoTheStreamAndDoublesBackslashes)
{
    CRamStream target(L"RAM:load-target", kScratch);
    ASSERT_TRUE(m_device->LoadDeviceFile(&target, L"a.txt"));
    EXPECT_EQ(Sent(), "\x10LOAD \"a.txt\"\r");
    EXPECT_EQ(target.GetLength(), 5);

    // An empty file and a missing one both come back with length 0: refused.
    m_sim->ClearReceived();
    EXPECT_FALSE(m_device->LoadDeviceFile(&target, L"dir\\log"));
    EXPECT_EQ(Sent(), "\x10LOAD \"dir\\\\log\"\r");
    EXPECT_FALSE(m_device->LoadDeviceFile(&target, L"missing"));
    EXPECT_FALSE(m_device->LoadDeviceFile(nullptr, L"a.txt"));
}

TEST_F(FileCommandsEndToEnd, SaveSendsTheLengthAndTheWholeSource)
{
    CRamStream source(L"RAM:save-source", kScratch);
    source.Write("payload", 7);
    ASSERT_TRUE(m_device->SaveDeviceFile(L"new.txt", &source));
    EXPECT_EQ(Sent(), std::string("\x10SAVE \"new.txt\"\r\x07\0\0\0payload", 27));
    EXPECT_EQ(AsText(File("new.txt")), "payload");
    int readMs = 0;
    int writeMs = 0;
    m_device->GetStream()->GetTimeouts(&readMs, &writeMs);
    EXPECT_EQ(readMs, 2000);
    EXPECT_EQ(writeMs, 2000);

    // An empty source, or one above 5 MiB, goes nowhere: not even the SAVE.
    m_sim->ClearReceived();
    CRamStream empty(L"RAM:save-empty", kScratch);
    EXPECT_FALSE(m_device->SaveDeviceFile(L"e", &empty));
    CRamStream large(L"RAM:save-large", kScratch);
    large.SetPosition(0x500000);
    large.WriteByte(1);
    EXPECT_FALSE(m_device->SaveDeviceFile(L"l", &large));
    EXPECT_EQ(Sent(), "");
}

TEST_F(FileCommandsEndToEnd, CreateEmptySendsALengthOfZero)
{
    ASSERT_TRUE(m_device->CreateEmptyDeviceFile(L"empty"));
    EXPECT_EQ(Sent(), std::string("\x10SAVE \"empty\"\r\0\0\0\0", 18));
    EXPECT_TRUE(File("empty").empty());
}

TEST_F(FileCommandsEndToEnd, MoveAndDeleteNameTheirFiles)
{
    ASSERT_TRUE(m_device->MoveDeviceFile(L"a.txt", L"dir\\b.txt"));
    EXPECT_EQ(Sent(), "\x10MOVF \"a.txt\";\"dir\\\\b.txt\"\r");
    EXPECT_EQ(AsText(File("dir\\b.txt")), "hello");
    m_sim->ClearReceived();
    ASSERT_TRUE(m_device->DeleteDeviceFile(L"dir\\b.txt"));
    EXPECT_EQ(Sent(), "\x10"
                      "DELF \"dir\\\\b.txt\"\r");
    EXPECT_EQ(m_sim->Files().count("dir\\b.txt"), 0u);
    // The instrument refuses what it does not have.
    EXPECT_FALSE(m_device->DeleteDeviceFile(L"dir\\b.txt"));
    EXPECT_FALSE(m_device->MoveDeviceFile(L"gone", L"x"));
}

TEST_F(FileCommandsEndToEnd, NamesThatWouldBreakTheCommandAreRefusedUnsent)
{
    CRamStream target(L"RAM:refused", kScratch);
    const std::wstring longName(257, L'n');
    EXPECT_FALSE(m_device->DeleteDeviceFile(L"a\" DELF \"b"));
    EXPECT_FALSE(m_device->LoadDeviceFile(&target, L"a\"b"));
    EXPECT_FALSE(m_device->CreateEmptyDeviceFile(L"line\rbreak"));
    EXPECT_FALSE(m_device->MoveDeviceFile(L"a.txt", L"\x4E2D"));
    EXPECT_FALSE(m_device->MoveDeviceFile(L"a.txt", longName));
    EXPECT_FALSE(m_device->DeleteDeviceFile(L""));
    EXPECT_EQ(Sent(), "");
}

TEST_F(FileCommandsEndToEnd, LoginSendsTheKeyAndFallsBackWithoutIt)
{
    Device::CVnCommands& commands = *m_device->GetCommands();
    Device::SLoginInfo info;
    info.user = L"op";
    info.password = L"pa\"ss\\";
    info.key = 0x1234ABCD;
    ASSERT_TRUE(commands.Login(info));
    EXPECT_EQ(Sent(), "\x10RLGI \"op\"; \"pa\\\"ss\\\\\"; 1234ABCD\r");
    EXPECT_EQ(info.user, L"op");
    EXPECT_EQ(info.rights, 6);

    // A key the instrument does not take: the login without it follows.
    m_sim->ClearReceived();
    info.key = 0x1;
    info.rights = 0;
    ASSERT_TRUE(commands.Login(info));
    EXPECT_EQ(Sent(), "\x10RLGI \"op\"; \"pa\\\"ss\\\\\"; 00000001\r"
                      "\x10RLGI \"op\"; \"pa\\\"ss\\\\\"\r");
    EXPECT_EQ(info.rights, 6);

    // The nameless account answers ";3": no user name, rights 3.
    Device::SLoginInfo guest;
    guest.user = L"ignored-by-answer";
    m_sim->ClearReceived();
    guest.user = L"";
    ASSERT_TRUE(commands.Login(guest));
    EXPECT_EQ(guest.user, L"");
    EXPECT_EQ(guest.rights, 3);

    Device::SLoginInfo wrong;
    wrong.user = L"op";
    wrong.password = L"nope";
    EXPECT_FALSE(commands.Login(wrong));

    m_sim->ClearReceived();
    EXPECT_TRUE(commands.Logout());
    EXPECT_EQ(Sent(), "\x10RLGO\r");
}

struct SDirectoryCase
{
    const char* answer;
    bool ok;
    const wchar_t* listing;
};

TEST(FileCommandText, DirectoryAnswersAreCheckedAgainstTheirCount)
{
    const SDirectoryCase cases[] = {
        {"00000005;ab;;", false, L""}, // the count does not match the rest
        {"00000003;ab;", true, L"ab"}, // the last ';' is dropped
        {"00000009;x,1;y,22;", true, L"x,1;y,22"},
        {"00000000;", true, L""},
        {"00000003-ab;", false, L""}, // no ';' at index 8
        {"ZZZZZZZZ;abc", false, L""}, // the count does not read
        {"3;", false, L""},
    };
    for (const SDirectoryCase& c : cases)
    {
        SCOPED_TRACE(c.answer);
        std::wstring listing;
        EXPECT_EQ(Device::CFileCommandText::ParseDirectory(c.answer, listing), c.ok);
        if (c.ok)
        {
            EXPECT_EQ(listing, c.listing);
        }
    }
}

TEST(FileCommandText, LoginAnswersGiveUserAndRights)
{
    Device::SLoginInfo info;
    info.user = L"before";
    EXPECT_TRUE(Device::CFileCommandText::ParseLogin("admin;15", info));
    EXPECT_EQ(info.user, L"admin");
    EXPECT_EQ(info.rights, 15);
    EXPECT_TRUE(Device::CFileCommandText::ParseLogin(";7", info));
    EXPECT_EQ(info.user, L"");
    EXPECT_EQ(info.rights, 7);
    EXPECT_FALSE(Device::CFileCommandText::ParseLogin("admin", info));
    EXPECT_FALSE(Device::CFileCommandText::ParseLogin("admin;x", info));
    EXPECT_FALSE(Device::CFileCommandText::ParseLogin("", info));
}

} // namespace
} // namespace TerrionTest

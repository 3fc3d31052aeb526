#include "streams/FileException.h"
#include "streams/FileStream.h"
#include "streams/Rs232Stream.h"
#include "streams/StreamFactory.h"
#include "streams/Win32Error.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

using namespace StreamIO;

TEST(StreamNames, SerialNameGrammar)
{
    struct SCase
    {
        const wchar_t* name;
        bool serial;
        int port;
    };
    const SCase cases[] = {
        {L"COM1:", true, 1},   {L"com3:", true, 3},    {L"CoM256:", true, 256}, {L"COM099:", true, 99},
        {L"COM0:", false, 0},  {L"COM257:", false, 0}, {L"COM0001:", false, 0}, {L"COM3", false, 0},
        {L"COM:", false, 0},   {L"COM3:x", false, 0},  {L"XCOM3:", false, 0},   {L"COM-3:", false, 0},
        {L"COM 3:", false, 0}, {L"", false, 0},
    };
    for (const SCase& c : cases)
    {
        int port = 0;
        EXPECT_EQ(ParseComPortName(c.name, &port), c.serial) << c.name;
        if (c.serial)
        {
            EXPECT_EQ(port, c.port);
        }
    }
}

TEST(StreamNames, NetworkPrefixInAnyCase)
{
    EXPECT_TRUE(IsIpStreamName(L"IP:127.0.0.1:3728"));
    EXPECT_TRUE(IsIpStreamName(L"ip:host"));
    EXPECT_FALSE(IsIpStreamName(L"I:P"));
    EXPECT_FALSE(IsIpStreamName(L"xIP:"));
}

TEST(StreamNames, FactoryPicksTheStreamKindByName)
{
    TerrionTest::CTempDir dir;
    TerrionTest::CPtyPair pty;
    pty.Map(77);

    auto serial = CreateStream(L"com77:", ofRead | ofWrite);
    ASSERT_NE(dynamic_cast<CRs232Stream*>(serial.get()), nullptr);
    EXPECT_EQ(serial->GetName(), L"\\\\.\\COM77");

    // Names that only look like ports are files of that name.
    for (const wchar_t* fileName : {L"COM3", L"COM:"})
    {
        const std::wstring path = (dir.Path() / fileName).wstring();
        auto file = CreateStream(path, ofWrite | ofCreateAlways);
        EXPECT_EQ(dynamic_cast<CRs232Stream*>(file.get()), nullptr);
        EXPECT_NE(dynamic_cast<CFileStream*>(file.get()), nullptr);
        EXPECT_TRUE(std::filesystem::exists(dir.Path() / fileName));
    }
}

TEST(StreamNames, UnmappedPortIsNotFound)
{
    try
    {
        CreateStream(L"COM250:", ofRead | ofWrite);
        FAIL() << "an unmapped port opened";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.GetOsError(), errFileNotFound);
        EXPECT_EQ(e.GetFileName(), L"\\\\.\\COM250");
    }
}

} // namespace

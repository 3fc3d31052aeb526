#include "streams/ComPortMap.h"
#include "streams/FileException.h"
#include "streams/FileStream.h"
#include "streams/RamStream.h"
#include "streams/Rs232Stream.h"
#include "streams/StreamFactory.h"
#include "streams/Win32Error.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <filesystem>
#include <fstream>

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

/// Runs the process under a locale for one scope.
class CLocaleScope
{
public:
    explicit CLocaleScope(const char* name) : m_strOld(std::setlocale(LC_ALL, nullptr))
    {
        m_bSet = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~CLocaleScope() { std::setlocale(LC_ALL, m_strOld.c_str()); }
    bool IsSet() const { return m_bSet; }

private:
    std::string m_strOld;
    bool m_bSet = false;
};

TEST(StreamNames, PrefixesInAnyAsciiCaseWhateverTheLocale)
{
    struct SCase
    {
        const wchar_t* name;
        bool ip;
        bool serial;
        bool ram;
    };
    // A Turkish locale upper-cases 'i' to U+0130 and U+0131 to 'I'; only
    // ASCII letters may fold into each other.
    const SCase cases[] = {
        {L"IP:127.0.0.1:3728", true, false, false},
        {L"ip:host", true, false, false},
        {L"iP:host", true, false, false},
        {L"I:P", false, false, false},
        {L"xIP:", false, false, false},
        {L"\u0130P:host", false, false, false},
        {L"\u0131p:host", false, false, false},
        {L"com3:", false, true, false},
        {L"ram:x", false, false, true},
        {L"RAM:x", false, false, true},
    };
    for (const char* locale : {"C", "tr_TR.UTF-8"})
    {
        SCOPED_TRACE(locale);
        CLocaleScope scope(locale);
        ASSERT_TRUE(scope.IsSet()) << "locale not installed (Debian package locales-all)";
        if (std::string(locale) != "C")
        {
            EXPECT_EQ(std::towupper(L'i'), 0x130u) << "the locale would fold 'i' to a dotted I";
        }
        for (const SCase& c : cases)
        {
            EXPECT_EQ(IsIpStreamName(c.name), c.ip) << c.name;
            EXPECT_EQ(ParseComPortName(c.name, nullptr), c.serial) << c.name;
            if (c.ram)
            {
                auto stream = CreateStream(c.name, ofRead | ofWrite | ofCreateAlways);
                EXPECT_NE(dynamic_cast<CRamStream*>(stream.get()), nullptr) << c.name;
            }
        }
        TerrionTest::CPtyPair pty;
        pty.Map(78);
        auto serial = CreateStream(L"\\\\.\\com78", ofRead | ofWrite);
        EXPECT_NE(serial, nullptr);
    }
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

TEST(StreamNames, PortPresenceIsDecidedWithoutOpening)
{
    TerrionTest::CTempDir dir;
    // A mapped port is there when its path is: a plain file, which no open as
    // a terminal would accept, counts too.
    std::ofstream(dir.Path() / "line").put('x');
    CComPortMap::SetMapping(240, (dir.Path() / "line").string());
    CComPortMap::SetMapping(241, (dir.Path() / "gone").string());
    EXPECT_TRUE(CComPortMap::IsPresent(240));
    EXPECT_FALSE(CComPortMap::IsPresent(241));
    CComPortMap::SetMapping(240, {});
    CComPortMap::SetMapping(241, {});

    // A device of the default table: what the kernel publishes in its tty class.
    const std::filesystem::path sys = dir.Path() / "class-tty";
    for (const char* name : {"ttyUSB0", "ttyS0", "ttyS1", "ttyS2"})
        std::filesystem::create_directories(sys / name);
    std::ofstream(sys / "ttyS0" / "type") << "0\n";
    std::ofstream(sys / "ttyS1" / "type") << "4\n";
    struct SCase
    {
        const char* name;
        bool present;
    };
    const SCase cases[] = {
        {"ttyUSB0", true},                    // an adapter is plugged in
        {"ttyUSB1", false}, {"ttyS0", false}, // published, but no UART answered there
        {"ttyS1", true},                      // a 16550A
        {"ttyS2", false},                     // no type to tell
        {"", false},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CComPortMap::IsPublishedTty(sys.string(), c.name), c.present) << c.name;
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

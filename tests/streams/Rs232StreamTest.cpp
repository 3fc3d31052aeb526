#include "streams/Rs232Stream.h"
#include "streams/FileException.h"
#include "streams/Win32Error.h"
#include "tests/support/OsErrorOf.h"
#include "tests/support/PtyPair.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <termios.h>
#include <thread>

namespace
{

using namespace StreamIO;
using TerrionTest::CPtyPair;

constexpr int kPort = 42;

/// Processor time the calling thread has used, in milliseconds.
long long ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

class Rs232StreamTest : public ::testing::Test
{
protected:
    Rs232StreamTest() { m_pty.Map(kPort); }

    termios LineSettings() const
    {
        termios tio{};
        tcgetattr(m_pty.MasterFd(), &tio); // the master reports the slave's settings
        return tio;
    }

    CPtyPair m_pty;
};

struct SLineCase
{
    std::uint32_t baud;
    speed_t speed;
    std::uint8_t dataBits;
    tcflag_t size;
    std::uint32_t parity;
    tcflag_t parityBits;
    std::uint32_t stopBits;
    bool twoStopBits;
};

// Parity codes 1 and 2 are even and odd in the record.
const SLineCase kLineCases[] = {
    {9600, B9600, 8, CS8, parNone, 0, sbOne, false},
    {19200, B19200, 7, CS7, parEven, PARENB, sbTwo, true},
    {115200, B115200, 8, CS8, parOdd, PARENB | PARODD, sbOne, false},
    {4800, B4800, 7, CS7, parMark, PARENB | PARODD | CMSPAR, sbOne, false},
    {2400, B2400, 8, CS8, parSpace, PARENB | CMSPAR, sbOne, false},
};

SRs232Settings SettingsOf(const SLineCase& c)
{
    SRs232Settings settings;
    settings.baud = c.baud;
    settings.dataBits = c.dataBits;
    settings.parity = c.parity;
    settings.stopBits = c.stopBits;
    return settings;
}

TEST(Rs232LineSettings, RecordMapsToTerminalAttributesAndBack)
{
    for (const SLineCase& c : kLineCases)
    {
        termios tio{};
        ASSERT_TRUE(CRs232Stream::ToTermios(SettingsOf(c), &tio));
        EXPECT_EQ(cfgetospeed(&tio), c.speed) << c.baud;
        EXPECT_EQ(tio.c_cflag & CSIZE, c.size) << c.baud;
        EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), c.parityBits) << c.baud;
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStopBits) << c.baud;
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u) << "raw mode";

        SRs232Settings back;
        CRs232Stream::FromTermios(tio, &back);
        EXPECT_EQ(back.baud, c.baud);
        EXPECT_EQ(back.dataBits, c.dataBits);
        EXPECT_EQ(back.parity, c.parity);
        EXPECT_EQ(back.stopBits, c.stopBits);
    }
    SRs232Settings odd;
    odd.baud = 12345;
    termios tio{};
    EXPECT_FALSE(CRs232Stream::ToTermios(odd, &tio)) << "a rate the line cannot run";
}

TEST_F(Rs232StreamTest, SettingsRecordReachesTheLine)
{
    // A pseudo-terminal keeps speed and stop bits; it forces 8 data bits and
    // no parity, which the mapping test above covers.
    for (const SLineCase& c : kLineCases)
    {
        const SRs232Settings settings = SettingsOf(c);
        CRs232Stream stream(kPort, ofRead | ofWrite, &settings);
        const termios tio = LineSettings();
        EXPECT_EQ(cfgetospeed(&tio), c.speed) << c.baud;
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStopBits) << c.baud;
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u) << "raw mode";

        SRs232Settings back;
        ASSERT_TRUE(stream.GetSettings(&back));
        EXPECT_EQ(back.magic, SRs232Settings::kMagic);
        EXPECT_EQ(back.baud, c.baud);
        EXPECT_EQ(back.stopBits, c.stopBits);
    }
    SRs232Settings odd;
    odd.baud = 12345;
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    EXPECT_FALSE(stream.SetSettings(&odd));
    EXPECT_EQ(stream.GetError(), errInvalidParameter);
}

TEST_F(Rs232StreamTest, WrongMagicIsRefusedWith87)
{
    SRs232Settings zeroed;
    zeroed.magic = 0;
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    stream.Close();
    EXPECT_FALSE(stream.Open(kPort, ofRead | ofWrite, &zeroed));
    EXPECT_EQ(stream.GetError(), errInvalidParameter);
    try
    {
        CRs232Stream refused(kPort, ofRead | ofWrite, &zeroed);
        FAIL();
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.GetOsError(), errInvalidParameter);
    }
}

TEST_F(Rs232StreamTest, TimeoutValues)
{
    SRs232Settings settings;
    settings.readTimeout = 700;
    settings.writeTimeout = 20;
    CRs232Stream stream(kPort, ofRead | ofWrite, &settings);
    int readMs = 0;
    int writeMs = 0;
    ASSERT_TRUE(stream.GetTimeouts(&readMs, &writeMs));
    EXPECT_EQ(readMs, 700);
    EXPECT_EQ(writeMs, 20);

    // A record with both time-outs 0 leaves the port's time-outs alone.
    SRs232Settings keep;
    keep.readTimeout = 0;
    keep.writeTimeout = 0;
    ASSERT_TRUE(stream.SetSettings(&keep));
    ASSERT_TRUE(stream.GetTimeouts(&readMs, &writeMs));
    EXPECT_EQ(readMs, 700);
    EXPECT_EQ(writeMs, 20);

    ASSERT_TRUE(stream.SetTimeouts(-1, -1));
    ASSERT_TRUE(stream.GetTimeouts(&readMs, &writeMs));
    EXPECT_EQ(readMs, -1);
    EXPECT_EQ(writeMs, -1);
}

TEST_F(Rs232StreamTest, BytesTravelBothWays)
{
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    EXPECT_EQ(stream.Write("@ID@\r", 5), 5);
    const std::vector<std::uint8_t> sent = m_pty.Read(5, 2000);
    EXPECT_EQ(std::string(sent.begin(), sent.end()), "@ID@\r");

    m_pty.Write(std::vector<std::uint8_t>{0x00, 0x0D, 0x0A, 0xFF});
    stream.SetTimeouts(2000, 100);
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 4);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(buffer[1], 0x0D) << "no line-end translation";
    EXPECT_EQ(buffer[2], 0x0A);
    EXPECT_EQ(buffer[3], 0xFF);
}

TEST_F(Rs232StreamTest, ReadWaitsForEveryByteAcrossPieces)
{
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    stream.SetTimeouts(5000, -1);
    std::thread sender(
        [this]
        {
            m_pty.Write(std::string("abc"));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            m_pty.Write(std::string("def"));
        });
    char buffer[6] = {};
    EXPECT_EQ(stream.Read(buffer, 6), 6);
    sender.join();
    EXPECT_EQ(std::string(buffer, 6), "abcdef");
}

TEST_F(Rs232StreamTest, TimeoutGivesPartialReadThen38WithoutThrowing)
{
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    stream.SetTimeouts(100, -1);
    m_pty.Write(std::string("xyz"));
    char buffer[10] = {};
    EXPECT_EQ(stream.Read(buffer, 10), 3);
    EXPECT_EQ(stream.GetError(), 0);
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    EXPECT_EQ(stream.GetError(), errHandleEof);
    EXPECT_TRUE(stream.IsTimeoutOrEof());
    EXPECT_FALSE(stream.IsLineLost()) << "a silent line may answer again";
}

TEST_F(Rs232StreamTest, InputCountAndPurge)
{
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    m_pty.Write(std::string("12345"));
    for (int i = 0; i < 200 && stream.GetInputCount() < 5; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(stream.GetInputCount(), 5);
    stream.PurgeInput();
    EXPECT_EQ(stream.GetInputCount(), 0);
    stream.SetTimeouts(20, -1);
    char byte;
    EXPECT_EQ(stream.Read(&byte, 1), 0);
}

TEST_F(Rs232StreamTest, SecondOpenOfTheSamePortFails)
{
    CRs232Stream first(kPort, ofRead | ofWrite, nullptr);
    try
    {
        CRs232Stream second(kPort, ofRead | ofWrite, nullptr);
        FAIL() << "a held port opened twice";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.GetOsError(), errAccessDenied);
        EXPECT_EQ(e.GetFileName(), L"\\\\.\\COM42");
    }
    first.Close();
    EXPECT_NO_THROW(CRs232Stream(kPort, ofRead | ofWrite, nullptr));
}

TEST_F(Rs232StreamTest, AbortWakesABlockedRead)
{
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    stream.SetTimeouts(-1, -1); // a read without a time-out would wait forever
    std::thread aborter(
        [&stream]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            EXPECT_TRUE(stream.Abort());
        });
    char buffer[8];
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    EXPECT_TRUE(stream.IsTimeoutOrEof());
    aborter.join();

    // The port stays usable after an abort.
    stream.SetTimeouts(2000, -1);
    m_pty.Write(std::string("ok"));
    EXPECT_EQ(stream.Read(buffer, 2), 2);
}

TEST_F(Rs232StreamTest, AbortKeepsBytesReceivedAndBytesWritten)
{
    // Abort cancels waiting reads and writes; it throws away neither input
    // nor output already handed to the line.
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    m_pty.Write(std::string("ok"));
    for (int i = 0; i < 200 && stream.GetInputCount() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(stream.GetInputCount(), 2);
    // More than the far end's line buffer takes at once, so part of it is
    // still queued when the abort comes.
    std::string output(6000, 'x');
    output.replace(output.size() - 3, 3, "bye");
    EXPECT_EQ(stream.Write(output.data(), static_cast<int>(output.size())), static_cast<int>(output.size()));
    EXPECT_TRUE(stream.Abort());
    stream.SetTimeouts(500, -1);
    char buffer[2] = {};
    EXPECT_EQ(stream.Read(buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "ok");
    const std::vector<std::uint8_t> sent = m_pty.Read(output.size(), 2000);
    EXPECT_EQ(std::string(sent.begin(), sent.end()), output);
}

TEST_F(Rs232StreamTest, HangUpInMidReadFailsAtOnceWithAnIoError)
{
    // An adapter pulled out in the middle of a long read: the read fails
    // with an I/O error at once, without spinning until its time-out.
    CRs232Stream stream(kPort, ofRead | ofWrite, nullptr);
    stream.SetTimeouts(4000, 100);
    m_pty.Write(std::string("ab"));
    std::thread pull(
        [this]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            m_pty.HangUp();
        });
    char buffer[8] = {};
    EXPECT_FALSE(stream.IsLineLost());
    const auto start = std::chrono::steady_clock::now();
    const long long cpuStart = ThreadCpuMs();
    EXPECT_EQ(TerrionTest::OsErrorOf([&] { stream.Read(buffer, 8); }), errIoDevice);
    const long long cpuMs = ThreadCpuMs() - cpuStart;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    pull.join();
    EXPECT_LT(ms, 2000) << "the read waited for its time-out";
    EXPECT_LT(cpuMs, 1000) << "the read spun on the dead line";
    EXPECT_EQ(TerrionTest::OsErrorOf([&] { stream.Read(buffer, 1); }), errIoDevice);
    EXPECT_EQ(TerrionTest::OsErrorOf([&] { stream.Write("x", 1); }), errIoDevice);
    // The line is gone for good: the holder of the stream can tell without trying it again.
    EXPECT_TRUE(stream.IsLineLost());
}

TEST_F(Rs232StreamTest, ReopenAppliesTheStoredSettings)
{
    SRs232Settings settings;
    settings.baud = 38400;
    CRs232Stream stream(kPort, ofRead | ofWrite, &settings);
    stream.Close();
    ASSERT_TRUE(stream.Reopen());
    const termios tio = LineSettings();
    EXPECT_EQ(cfgetospeed(&tio), B38400);
}

TEST(Rs232BytesPerSecond, FrameArithmetic)
{
    struct SCase
    {
        std::uint32_t baud;
        std::uint8_t dataBits;
        std::uint32_t parity;
        std::uint32_t stopBits;
        int expected;
    };
    const SCase cases[] = {
        {19200, 8, parNone, sbOne, 1920},
        {9600, 8, parEven, sbTwo, 800},
        {9600, 7, parNone, sbOne, 840},
        {115200, 8, parOdd, sbOne, 10472},
    };
    for (const SCase& c : cases)
    {
        SRs232Settings settings;
        settings.baud = c.baud;
        settings.dataBits = c.dataBits;
        settings.parity = c.parity;
        settings.stopBits = c.stopBits;
        EXPECT_EQ(CRs232Stream::BytesPerSecond(settings), c.expected) << c.baud;
    }
}

} // namespace

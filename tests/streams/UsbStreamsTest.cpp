#include "streams/UsbHostProbeControl.h"
#include "streams/UsbHostProbeData.h"
#include "streams/UsbHostProbeManager.h"
#include "streams/UsbHostStream.h"
#include "streams/Win32Error.h"
#include "tests/support/FakeProbe.h"
#include "tests/support/OsErrorOf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace
{

using namespace StreamIO;
using TerrionTest::CFakeProbe;
using TerrionTest::OsErrorOf;

// ---- bulk USB over a fake transport ----

struct SPass
{
    std::string bytes;
    int error = 0;
};

// Plays the instrument's pipes: each read transfer takes the next pass.
class CFakeUsb : public CUsbTransport
{
public:
    struct SState
    {
        std::mutex lock;
        std::deque<SPass> reads;
        std::string written;
        int writeError = 0;
        int writeLimit = -1; ///< bytes a write moves before it times out
        int opens = 0;
        bool blockReads = false;
        bool cancelled = false;
    };

    explicit CFakeUsb(std::shared_ptr<SState> state) : m_state(std::move(state)) {}
    int Open(const std::string& path) override
    {
        ++m_state->opens;
        return path == "usb:001:002" ? 0 : errFileNotFound;
    }
    void Close() override {}
    int Transfer(bool in, unsigned char* buffer, int length, int, int* moved) override
    {
        *moved = 0;
        if (!in)
        {
            std::lock_guard guard(m_state->lock);
            const int n = m_state->writeLimit < 0 ? length : std::min(length, m_state->writeLimit);
            m_state->written.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
            *moved = n;
            return n < length ? errTimeout : m_state->writeError;
        }
        for (;;)
        {
            std::lock_guard guard(m_state->lock);
            if (m_state->cancelled)
            {
                m_state->cancelled = false;
                return errOperationAborted;
            }
            if (!m_state->blockReads)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::lock_guard guard(m_state->lock);
        if (m_state->reads.empty())
            return errTimeout;
        SPass pass = m_state->reads.front();
        m_state->reads.pop_front();
        const int n = std::min(length, static_cast<int>(pass.bytes.size()));
        std::copy(pass.bytes.begin(), pass.bytes.begin() + n, buffer);
        *moved = n;
        return pass.error;
    }
    void Cancel() override
    {
        std::lock_guard guard(m_state->lock);
        m_state->cancelled = true;
    }

private:
    std::shared_ptr<SState> m_state;
};

class UsbHostStreamTest : public ::testing::Test
{
protected:
    UsbHostStreamTest() : m_stream(std::make_unique<CFakeUsb>(m_state))
    {
        m_stream.Open(L"usb:001:002", ofRead | ofWrite);
    }

    std::shared_ptr<CFakeUsb::SState> m_state = std::make_shared<CFakeUsb::SState>();
    CUsbHostStream m_stream;
};

TEST_F(UsbHostStreamTest, ReadGathersPassesUntilOneBringsNothing)
{
    m_state->reads = {{std::string(25, 'a'), 0}, {std::string(15, 'b'), 0}, {"", 0}};
    char buffer[64] = {};
    EXPECT_EQ(m_stream.Read(buffer, 64), 40);
    EXPECT_EQ(m_stream.GetError(), errHandleEof);
    EXPECT_EQ(std::string(buffer, 40), std::string(25, 'a') + std::string(15, 'b'));

    // A pass that times out ends the read with 1460 and keeps what came.
    m_state->reads = {{"xy", errTimeout}};
    EXPECT_EQ(m_stream.Read(buffer, 8), 2);
    EXPECT_EQ(m_stream.GetError(), errTimeout);
    // Partial passes that fill the request are no error.
    m_state->reads = {{"12", 0}, {"34", 0}};
    EXPECT_EQ(m_stream.Read(buffer, 4), 4);
    EXPECT_EQ(m_stream.GetError(), 0);
}

TEST_F(UsbHostStreamTest, WriteTimeoutKeepsWhatWentAndReports1460)
{
    EXPECT_EQ(m_stream.Write("hello", 5), 5);
    EXPECT_EQ(m_stream.GetError(), 0);
    m_state->writeLimit = 2;
    EXPECT_EQ(OsErrorOf([&] { EXPECT_EQ(m_stream.Write("world", 5), 2); }), 0);
    EXPECT_EQ(m_stream.GetError(), errTimeout);
    m_state->writeLimit = 0;
    EXPECT_EQ(m_stream.Write("z", 1), 0);
    EXPECT_EQ(m_stream.GetError(), errTimeout);
    EXPECT_EQ(m_state->written, "hellowo");
    // A failing device is thrown.
    m_state->writeLimit = -1;
    m_state->writeError = errGenFailure;
    EXPECT_EQ(OsErrorOf([&] { m_stream.Write("q", 1); }), errGenFailure);
}

TEST_F(UsbHostStreamTest, OpenTwiceAndMissingDevicesFailCleanly)
{
    EXPECT_FALSE(m_stream.Open(L"usb:001:002", ofRead | ofWrite));
    EXPECT_EQ(m_stream.GetError(), errNotSupported);
    EXPECT_EQ(m_state->opens, 1);
    EXPECT_TRUE(m_stream.IsOpen());

    CUsbHostStream missing(std::make_unique<CFakeUsb>(m_state));
    EXPECT_EQ(OsErrorOf([&] { missing.Open(L"usb:009:009", ofRead | ofWrite); }), errFileNotFound);
    EXPECT_FALSE(missing.IsOpen());
    CUsbHostStream writeOnly(std::make_unique<CFakeUsb>(m_state));
    writeOnly.Open(L"usb:001:002", ofWrite);
    char byte = 0;
    EXPECT_EQ(OsErrorOf([&] { writeOnly.Read(&byte, 1); }), errReadFault);
}

TEST_F(UsbHostStreamTest, AbortEndsABlockedRead)
{
    m_state->blockReads = true;
    m_stream.SetTimeouts(-1, -1);
    auto reader = std::async(std::launch::async,
                             [this]
                             {
                                 char buffer[4];
                                 return m_stream.Read(buffer, 4);
                             });
    EXPECT_EQ(reader.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    EXPECT_TRUE(m_stream.Abort());
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_EQ(reader.get(), 0);
    EXPECT_EQ(m_stream.GetError(), errHandleEof);
}

TEST(UsbEnumeration, NoDevicePresentGivesAnEmptyList)
{
    std::vector<std::wstring> paths{L"stale"};
    EXPECT_EQ(EnumUsbHostDevices(paths), 0);
    EXPECT_TRUE(paths.empty()); // the build machines have no such instrument
    paths = {L"stale"};
    EXPECT_EQ(EnumHidProbeDevicePaths(paths), 0);
    EXPECT_TRUE(paths.empty());
    CUsbHostStream stream;
    EXPECT_NE(OsErrorOf([&] { stream.Open(L"usb:255:255", ofRead | ofWrite); }), 0);
    EXPECT_FALSE(stream.IsOpen());
}

// ---- HID probe control channel over a fake probe ----

class ProbeControlTest : public ::testing::Test
{
protected:
    ProbeControlTest()
    {
        CFakeProbe::Install(m_state);
        EXPECT_TRUE(m_control.Open(kPath, ofRead | ofWrite));
        m_control.SetTimeouts(300, 300);
    }
    ~ProbeControlTest() override
    {
        m_control.CloseNoThrow();
        CFakeProbe::Uninstall();
    }

    static constexpr const wchar_t* kPath = L"/dev/hidraw-fake";
    std::shared_ptr<CFakeProbe::SState> m_state = std::make_shared<CFakeProbe::SState>();
    CUsbHostProbeControl m_control;
};

TEST_F(ProbeControlTest, WriteHandshakeCountsEveryReportModuloEight)
{
    EXPECT_EQ(m_control.GetReportLength(), 16);
    for (int i = 0; i < 9; ++i)
    {
        const std::string text = "msg" + std::to_string(i);
        ASSERT_EQ(m_control.Write(text.data(), static_cast<int>(text.size())), static_cast<int>(text.size()));
    }
    ASSERT_EQ(m_state->received.size(), 9u);
    EXPECT_EQ(m_state->received[0], "msg0");
    EXPECT_EQ(m_state->received[8], "msg8");
    EXPECT_EQ(m_state->hostCounters, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1}));
    // More than the payload of one report goes nowhere.
    const std::string tooLong(14, 'x');
    EXPECT_EQ(m_control.Write(tooLong.data(), 14), 0);
    EXPECT_EQ(m_state->received.size(), 9u);
}

TEST_F(ProbeControlTest, WriteThatIsNeverTakenTimesOutWithNothingSent)
{
    m_state->deaf = true;
    EXPECT_EQ(m_control.Write("abc", 3), 0);
    EXPECT_EQ(m_control.GetError(), errTimeout);
    // The report was withdrawn: acknowledged and empty.
    EXPECT_EQ(m_state->report[1] & 0x01, 0x01);
    EXPECT_EQ(m_state->report[2] & 0x3F, 0);
}

TEST_F(ProbeControlTest, ReadHandsOutOneReportOverSeveralReads)
{
    m_state->outgoing = {"0123456789", "AB"};
    char buffer[13] = {};
    EXPECT_EQ(m_control.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(m_control.Read(buffer, 6), 6); // the rest, without a new report
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_EQ(m_control.Read(buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "AB");
    EXPECT_EQ(m_control.Read(buffer, 1), 0);
    EXPECT_EQ(m_control.GetError(), errTimeout);
}

TEST_F(ProbeControlTest, PayloadLongerThanTheReportIsRefusedUnread)
{
    // 63 announced in a 16-byte report (13 bytes of room).
    {
        std::lock_guard guard(m_state->lock);
        m_state->report[1] = 0;
        m_state->report[2] = 0x3F;
        std::fill(m_state->report.begin() + 3, m_state->report.end(), 'x');
    }
    char buffer[13] = {};
    EXPECT_EQ(m_control.Read(buffer, 4), 0);
    EXPECT_EQ(m_control.GetError(), errInvalidData);
    EXPECT_EQ(m_control.Read(buffer, 13), 0);
    EXPECT_EQ(m_control.GetError(), errInvalidData);
    EXPECT_EQ(m_state->report[1] & 0x01, 0); // not acknowledged
    // A payload that fills the report exactly is still taken.
    {
        std::lock_guard guard(m_state->lock);
        m_state->report[1] = 0x01;
        m_state->report[2] = 0;
        m_state->outgoing = {"0123456789abc"};
    }
    EXPECT_EQ(m_control.Read(buffer, 13), 13);
    EXPECT_EQ(std::string(buffer, 13), "0123456789abc");
}

TEST_F(ProbeControlTest, AbortEndsAWriteTheProbeDoesNotTake)
{
    m_state->deaf = true;
    m_control.SetTimeouts(-1, -1);
    auto writer = std::async(std::launch::async, [this] { return m_control.Write("q", 1); });
    EXPECT_EQ(writer.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    m_control.Abort();
    ASSERT_EQ(writer.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_EQ(writer.get(), 0);
}

TEST_F(ProbeControlTest, SecondControlChannelOnADeviceIsRefused)
{
    CUsbHostProbeControl second;
    EXPECT_FALSE(second.Open(kPath, ofRead | ofWrite));
    EXPECT_EQ(second.GetError(), errNotSupported);
    EXPECT_EQ(m_state->opens, 1);
    // A data channel shares the device the control channel opened.
    std::shared_ptr<CHidTransport> data;
    EXPECT_EQ(CUsbHostProbeManager::Instance().Open(kPath, CUsbHostProbeManager::chData, data), 0);
    EXPECT_EQ(data, CUsbHostProbeManager::Instance().GetHandle(kPath, CUsbHostProbeManager::chControl));
    EXPECT_EQ(m_state->opens, 1);
    m_control.Close();
    EXPECT_EQ(m_state->closes, 0); // the data channel still uses it
    CUsbHostProbeManager::Instance().Close(kPath, CUsbHostProbeManager::chData);
    EXPECT_EQ(m_state->closes, 1);
    EXPECT_FALSE(m_control.IsOpen());
}

TEST_F(ProbeControlTest, DataChannelTakesEachNewReportOnceAndSharesTheDevice)
{
    CUsbHostProbeData data;
    ASSERT_TRUE(data.Open(kPath, ofRead));
    EXPECT_EQ(m_state->opens, 1); // the control channel's device
    data.SetTimeouts(200, 200);
    m_state->inputs = {CFakeProbe::InputReport(1, "abcdef"), CFakeProbe::InputReport(1, "abcdef"),
                       CFakeProbe::InputReport(2, "gh"), CFakeProbe::InputReport(3, "1234567")};
    char buffer[8] = {};
    EXPECT_EQ(data.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    // The rest of the first report, then the next new one; the repeat is passed over.
    EXPECT_EQ(data.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "efgh");
    EXPECT_EQ(data.GetLastSequence(), 2);
    // A length field beyond the report is cut at the report's end.
    m_state->inputs = {{0, static_cast<unsigned char>(4 << 5 | 15), 'x', 'y', 'z', 0, 0, 0, 0}};
    m_state->inputs.push_front(CFakeProbe::InputReport(3, "1234567"));
    EXPECT_EQ(data.Read(buffer, 8), 8);
    EXPECT_EQ(std::string(buffer, 8), "1234567x");
    EXPECT_EQ(data.Write("no", 2), 0);
    EXPECT_EQ(data.Read(buffer, 8), 6); // what was left, then nothing more
    EXPECT_EQ(data.GetError(), errTimeout);

    CUsbHostProbeData second;
    EXPECT_FALSE(second.Open(kPath, ofRead));
    EXPECT_EQ(second.GetError(), errNotSupported);
}

} // namespace

// The simulated Terrion against bytes written out by hand: what it answers,
// what it stores, and how it misbehaves. A raw terminal on the slave side
// plays the host.

#include "tests/simulator/TerrionSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace TerrionTest
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> values)
{
    Bytes bytes;
    for (int v : values)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

Bytes T(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

/// The host's end of the line: the slave side, raw.
class CRawHost
{
public:
    explicit CRawHost(const std::string& path)
    {
        m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd >= 0)
        {
            termios tio{};
            tcgetattr(m_fd, &tio);
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~CRawHost()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool IsOpen() const { return m_fd >= 0; }

    void Send(const Bytes& bytes)
    {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void Send(const std::string& text) { Send(T(text)); }

    /// Up to count bytes, waiting at most timeoutMs for all of them.
    Bytes Receive(std::size_t count, int timeoutMs = 1000)
    {
        Bytes bytes;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count)
        {
            std::uint8_t buffer[4096];
            const ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n > 0)
            {
                bytes.insert(bytes.end(), buffer, buffer + n);
                continue;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd fd{m_fd, POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left.count()));
            if (n == 0 && (fd.revents & POLLHUP))
                break; // hung up: nothing more will come
        }
        return bytes;
    }
    /// True when the simulator has hung the line up.
    bool IsHungUp() const
    {
        pollfd fd{m_fd, POLLIN, 0};
        return poll(&fd, 1, 0) == 1 && (fd.revents & POLLHUP);
    }

    Bytes Exchange(const Bytes& request, std::size_t replyLength, int timeoutMs = 1000)
    {
        Send(request);
        return Receive(replyLength, timeoutMs);
    }
    Bytes Exchange(const std::string& request, std::size_t replyLength, int timeoutMs = 1000)
    {
        return Exchange(T(request), replyLength, timeoutMs);
    }

private:
    int m_fd = -1;
};

class TerrionSimulatorTest : public ::testing::Test
{
protected:
    void Start(const CTerrionScenario& scenario = CTerrionScenario())
    {
        m_sim = std::make_unique<CTerrionSimulator>(scenario);
        m_host = std::make_unique<CRawHost>(m_sim->SlavePath());
        ASSERT_TRUE(m_host->IsOpen());
    }
    void EnterMemoryMode()
    {
        EXPECT_EQ(m_host->Exchange(B({0xC1, 0xD2, 0x04}), 1), B({0x00}));
        EXPECT_EQ(m_sim->State(), tsMemoryAccess);
    }

    std::unique_ptr<CTerrionSimulator> m_sim;
    std::unique_ptr<CRawHost> m_host;
};

TEST_F(TerrionSimulatorTest, AnswersTheIdentityQueriesInBothLineEnds)
{
    Start(CTerrionScenario().SetIdentification("Terrion;HW 2;TN01-002-0003;0A00002A;1.4.0"));
    EXPECT_EQ(m_host->Exchange(B({0x10}), 1), B({0x06}));
    const std::string id = "Terrion;HW 2;TN01-002-0003;0A00002A;1.4.0\r";
    EXPECT_EQ(m_host->Exchange("@ID@\r", id.size()), T(id));

    m_host->Send(B({0x10}));
    m_host->Receive(1);
    EXPECT_EQ(m_host->Exchange("ID\r", 28), T("Terrion;1.4.0;TN01-002-0003\r"));

    // Negotiated CR LF: the command is echoed before the answer.
    m_host->Send(B({0x10}));
    m_host->Receive(1);
    EXPECT_EQ(m_host->Exchange("EC1\r", 4), T("EC1\r"));
    m_host->Send(B({0x10}));
    m_host->Receive(1);
    const std::string echoed = "@ID@ Terrion;HW 2;TN01-002-0003;0A00002A;1.4.0\r\n";
    EXPECT_EQ(m_host->Exchange("@ID@\r", echoed.size()), T(echoed));

    m_host->Send(B({0x10}));
    m_host->Receive(1);
    EXPECT_EQ(m_host->Exchange("XYZ\r", 7), T("XYZ ?\r\n"));
}

TEST_F(TerrionSimulatorTest, AnswersTheFixedFramedCommands)
{
    Start();
    EXPECT_EQ(m_host->Exchange(B({0xC8, 0xF7, 0x00, 0x05, 0x55, 0x5A, 0xAA, 0xAF, 0xFF, 0xF0}), 1),
              B({0xF0}));
    EXPECT_EQ(m_host->Exchange(B({0xC0, 0xF1}), 5), B({4, 0x01, 0x00, 0x00, 0x0A}));
    EXPECT_EQ(m_host->Exchange(B({0xC2, 0xF4, 0x00, 12}), 2), B({1, 1}));
    EXPECT_EQ(m_host->Exchange(B({0xC2, 0xF4, 0x01, 12}), 2), B({1, 1}));
    EXPECT_EQ(m_host->Exchange(B({0xC2, 0xF4, 0x00, 5}), 2), B({1, 0}));
    EXPECT_EQ(m_host->Exchange(B({0xC2, 0xF4, 0x03, 12}), 4), B({3, 100, 0, 0}));
    EXPECT_EQ(m_host->Exchange(B({0xC2, 0xF4, 0x10, 3}), 2), B({1, 1}));
    EXPECT_EQ(m_host->Exchange(B({0xC0, 0x33}), 1), B({0xFF}));
}

TEST_F(TerrionSimulatorTest, DumpsMemoryAsUpperCaseHexPairs)
{
    STerrionSettings settings;
    settings.spacingWord = 0x0190;
    settings.contactSpacing = 0x0190;
    settings.factor = 1.0f;
    settings.mode = 2;
    settings.shape = 3;
    settings.correction = 2;
    settings.length = 0x1234;
    settings.diameter = 0x00AB;
    settings.depth = 0xFFFE;
    Start(CTerrionScenario().SetSettings(settings).SetDefaultSpacing(0x01F4));
    EnterMemoryMode();

    m_host->Send("1000s");
    EXPECT_EQ(m_host->Exchange("0012n", 36), T("90010190010000803F0203023412AB00FEFF"));
    m_host->Send("0000n");
    // The default spacing hides behind a set spacing word ...
    m_host->Send("021As");
    EXPECT_EQ(m_host->Exchange("0002n", 4), T("9001"));
    // ... and shows once the word is erased.
    m_host->Send("1000s");
    EXPECT_EQ(m_host->Exchange("FFFFF000e", 1), T("o"));
    m_host->Send("021As");
    EXPECT_EQ(m_host->Exchange("0002n", 4), T("F401"));
}

TEST_F(TerrionSimulatorTest, InterleavesBusyMarkersWhenAsked)
{
    Start();
    m_sim->SetDumpMarkers(true);
    EnterMemoryMode();
    m_host->Send("F000s");
    const Bytes dump = m_host->Exchange("0010n", 34);
    EXPECT_EQ(dump, T("FFFFFFFFFFFFFFFFaFFFFFFFFFFFFFFFFb"));
}

TEST_F(TerrionSimulatorTest, WritesOnlyWithTheRightChecksumAndOnlyClearsFlashBits)
{
    Start();
    EnterMemoryMode();
    m_host->Send("1000s");
    EXPECT_EQ(m_host->Exchange("FFFFF000e", 1), T("o"));
    m_host->Send("1002s");
    EXPECT_EQ(m_host->Exchange("0113w", 1), T("o")); // 0x10 + 0x02 + 0x01
    EXPECT_EQ(m_host->Exchange("0215w", 1), T("o")); // the address advanced to 0x1003
    EXPECT_EQ(m_host->Exchange("0315w", 1), T("f")); // wrong: 0x1004 needs 0x17
    EXPECT_EQ(m_sim->MemoryAt(0x1000, 5), B({0xFF, 0xFF, 0x01, 0x02, 0xFF}));

    // Flash: bits only clear without an erase.
    m_host->Send("1002s");
    EXPECT_EQ(m_host->Exchange("F002w", 1), T("o")); // 0x10 + 0x02 + 0xF0 = 0x102
    EXPECT_EQ(m_sim->MemoryAt(0x1002, 1), B({0x00}));

    // An erase whose negation does not match the address is refused.
    m_host->Send("1000s");
    EXPECT_EQ(m_host->Exchange("F000e", 1), T("f"));
    EXPECT_EQ(m_sim->EraseCount(), 1);
}

TEST_F(TerrionSimulatorTest, DeleteAllErasesTheRecordAreaAndLeaveReturnsToText)
{
    Start(CTerrionScenario().AddSeries(1, {{50, false, 1, 0x10}}));
    EXPECT_EQ(m_sim->MemoryAt(0xF000, 8), B({0x01, 0x00, 0x00, 0x00, 0x00, 0x10, 0x32, 0x20}));
    EnterMemoryMode();
    m_host->Send("A5A5t");
    m_host->Send("C0C0i");
    EXPECT_EQ(m_host->Exchange(B({0x10}), 1), B({0x06}));
    EXPECT_EQ(m_sim->DeleteAllCount(), 1);
    EXPECT_EQ(m_sim->MemoryAt(0xF000, 2048), Bytes(2048, 0xFF));
    EXPECT_EQ(m_sim->State(), tsApplication);
}

TEST_F(TerrionSimulatorTest, BootloaderAnswersItsLinesAndIgnoresText)
{
    Start(CTerrionScenario().SetBootloader(true).SetIdentification("Terrion;HW 1;TN1;0A000001;0.9"));
    EXPECT_TRUE(m_host->Exchange(B({0x10}), 1, 100).empty());
    EXPECT_EQ(m_host->Exchange("SC030102F9\r\n", 1), T("G"));
    EXPECT_TRUE(m_host->Exchange("SC030102F8\r\n", 1, 100).empty()); // bad checksum
    std::string block = "Terrion;HW 1;TN1;0A000001;0.9;";
    block.resize(66, ' ');
    EXPECT_EQ(m_host->Exchange("SI030000FC\r\n", 66), T(block));
    EXPECT_EQ(m_host->Exchange("SX030000FC\r\n", 1), T("X"));
    EXPECT_EQ(m_sim->State(), tsApplication);

    // 0xD2 {0x01} sends the application back into the bootloader.
    EXPECT_EQ(m_host->Exchange(B({0xC1, 0xD2, 0x01}), 1), B({0x00}));
    EXPECT_EQ(m_sim->State(), tsBootloader);
}

TEST_F(TerrionSimulatorTest, MisbehavesOnRequest)
{
    Start();
    m_sim->SetFault(sfSilent);
    EXPECT_TRUE(m_host->Exchange(B({0x10}), 1, 100).empty());
    EXPECT_TRUE(m_host->Exchange("@ID@\r", 1, 100).empty());

    m_sim->SetFault(sfGarbage);
    const Bytes garbage = m_host->Exchange(B({0xC1, 0xD2, 0x04}), 1);
    ASSERT_EQ(garbage.size(), 1u);
    EXPECT_GE(garbage[0], 0xF0);

    m_sim->SetFault(sfStopAfter, 3);
    m_host->Send("1000s");
    EXPECT_EQ(m_host->Exchange("0004n", 8, 200), T("FFF"));

    m_sim->SetFault(sfBadChecksum);
    m_host->Send("1002s");
    EXPECT_EQ(m_host->Exchange("0113w", 1), T("f"));
    EXPECT_EQ(m_sim->WriteCount(), 0);

    m_sim->SetFault(sfNone);
    m_host->Send("1002s");
    EXPECT_EQ(m_host->Exchange("0113w", 1), T("o"));

    // Three characters of the dump go out, then the line is hung up for good
    // (what the host has not read by then is lost, as on a real line).
    m_sim->SetFault(sfHangUpAfter, 3);
    m_host->Send("1000s");
    const Bytes cut = m_host->Exchange("0004n", 8, 2000);
    EXPECT_LE(cut.size(), 3u);
    EXPECT_EQ(cut, Bytes(cut.size(), 'F'));
    EXPECT_TRUE(m_sim->HungUp());
    EXPECT_TRUE(m_host->IsHungUp());
}

TEST_F(TerrionSimulatorTest, CutsTheChosenDownloadOffHalfwayThroughTheRecords)
{
    const struct
    {
        NSimFault fault;
        bool hungUp;
    } cases[] = {{sfHangUpAfter, true}, {sfStopAfter, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault);
        Start();
        m_sim->SetFaultInDownload(c.fault, 2);
        EnterMemoryMode();
        // Other addresses and the first download pass whole.
        m_host->Send("1000s");
        EXPECT_EQ(m_host->Exchange("0012n", 36).size(), 36u);
        m_host->Send("F000s");
        EXPECT_EQ(m_host->Exchange("0800n", 4096, 3000).size(), 4096u);
        EXPECT_FALSE(m_sim->HungUp());
        // The second stops halfway.
        m_host->Send("F000s");
        const Bytes cut = m_host->Exchange("0800n", 4096, 1000);
        EXPECT_LE(cut.size(), 2048u);
        EXPECT_GT(cut.size(), 1000u);
        EXPECT_EQ(m_sim->HungUp(), c.hungUp);
        EXPECT_EQ(m_host->IsHungUp(), c.hungUp);
    }
}

TEST_F(TerrionSimulatorTest, ThrottlesToTheConfiguredLineRate)
{
    Start();
    EnterMemoryMode();
    m_sim->SetBaud(9600); // 960 bytes a second: 200 characters need about 200 ms
    m_host->Send("F000s");
    m_host->Send("0064n");
    const std::size_t early = m_host->Receive(200, 50).size();
    EXPECT_LT(early, 200u);
    EXPECT_EQ(m_host->Receive(200 - early, 2000).size(), 200 - early);
}

TEST_F(TerrionSimulatorTest, RecordsEverythingTheHostSent)
{
    Start();
    m_host->Exchange(B({0xC1, 0xD2, 0x04}), 1);
    m_host->Send("C0C0i");
    m_host->Exchange(B({0x10}), 1);
    EXPECT_EQ(m_sim->Received(), B({0xC1, 0xD2, 0x04, 'C', '0', 'C', '0', 'i', 0x10}));
    // The host opened the line once; the simulator itself never opens it.
    EXPECT_EQ(m_sim->OpenCount(), 1);
    CRawHost second(m_sim->SlavePath());
    EXPECT_EQ(m_sim->OpenCount(), 2);
}

TEST(TerrionScenarioTest, ReadsAScenarioFileIntoTheMemoryImage)
{
    const CTerrionScenario scenario =
        CTerrionScenario::Load(std::string(TERRION_TEST_DATA_DIR) + "/device/three_series.scenario");
    EXPECT_EQ(scenario.Identification(), "Terrion;HW 1.1;TN12-345-6789;0A000001;2.0.1");
    const Bytes memory = scenario.BuildMemory();
    EXPECT_EQ(Bytes(memory.begin() + 0x021A, memory.begin() + 0x021C), B({0xF4, 0x01}));
    EXPECT_EQ(Bytes(memory.begin() + 0x1000, memory.begin() + 0x1012),
              B({0xFF, 0xFF, 0x01, 0x7C, 0x01, 0x00, 0x00, 0xA0, 0x3F, 0x02, 0x03, 0x02, 0xE8, 0x03, 0x90,
                 0x01, 0xFA, 0x00}));
    // series 3; 50 at code 1; 12.5 at code 2 with byte 0x22 and bit 27.
    EXPECT_EQ(Bytes(memory.begin() + 0xF000, memory.begin() + 0xF00C),
              B({0x03, 0x00, 0x00, 0x00, 0x00, 0x10, 0x32, 0x20, 0x01, 0x22, 0x7D, 0x48}));
    ASSERT_EQ(scenario.Records().size(), 9u);
    EXPECT_EQ(memory[0xF000 + 36], 0xFF); // erased after the last record
}

TEST(TerrionScenarioTest, RejectsBadLinesNamingThem)
{
    EXPECT_THROW(CTerrionScenario::Parse("series 3\nreading 4000 code=1\n"), std::runtime_error);
    try
    {
        CTerrionScenario::Parse("series 3\nfoo\n");
        FAIL();
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos);
    }
    CTerrionScenario full;
    full.FillRecordArea(5);
    EXPECT_EQ(full.Records().size(), 512u);
    EXPECT_THROW(full.AddEnd(), std::length_error);
}

} // namespace
} // namespace TerrionTest

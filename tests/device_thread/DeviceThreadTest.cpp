// The device worker thread searching for the simulated instrument: search
// results and texts, abort, stop, a receiver that leaves mid-search, and a
// worker that dies.

#include "device/DeviceThread.h"
#include "device/CallbackRelay.h"
#include "streams/ComPortMap.h"
#include "tests/device_thread/LoggingCallback.h"
#include "tests/device_thread/ReportLog.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/PtyPair.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

namespace
{

using namespace Device;
using TerrionTest::CLoggingCallback;
using TerrionTest::CPtyPair;
using TerrionTest::CReportLog;
using TerrionTest::CTerrionScenario;
using TerrionTest::CTerrionSimulator;

// Long enough for a silent port (two 2000 ms replies that never come) and a
// found instrument, on a slow sanitizer build.
constexpr int kSearchWaitMs = 20000;

class CFakeHost : public CDeviceThreadHost
{
public:
    struct SReport
    {
        Resources::NMessageKind kind = Resources::NMessageKind::Information;
        std::wstring text;
        std::string sourceFile;
        int line = 0;
    };

    void ReportMessage(Resources::NMessageKind kind, const std::wstring& text, const std::string& sourceFile,
                       int line) override
    {
        std::lock_guard guard(m_lock);
        m_reports.push_back({kind, text, sourceFile, line});
        m_changed.notify_all();
    }
    void BeginWaitCursor() override
    {
        std::lock_guard guard(m_lock);
        ++m_nBegin;
    }
    void EndWaitCursor() override
    {
        std::lock_guard guard(m_lock);
        ++m_nEnd;
    }

    bool WaitForReport(int timeoutMs)
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return !m_reports.empty(); });
    }
    std::vector<SReport> Reports()
    {
        std::lock_guard guard(m_lock);
        return m_reports;
    }
    std::pair<int, int> CursorCalls()
    {
        std::lock_guard guard(m_lock);
        return {m_nBegin, m_nEnd};
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<SReport> m_reports;
    int m_nBegin = 0;
    int m_nEnd = 0;
};

std::unique_ptr<CTerrionSimulator> MakeInstrument(int port, const std::string& serial)
{
    CTerrionScenario scenario;
    scenario.SetIdentification("Terrion;HW 1.1;" + serial + ";0A000001;2.0.1");
    auto instrument = std::make_unique<CTerrionSimulator>(scenario);
    instrument->Map(port);
    return instrument;
}

SSearchParams ScanRequest(bool stopAfterFirst, int skipPort = -1)
{
    SSearchParams params;
    params.nType = typeTerrion;
    params.nPort = portSerial;
    params.bScanAll = true;
    params.bStopAfterFirst = stopAfterFirst;
    params.nSkipPort = skipPort;
    return params;
}

SSearchParams PortRequest(int port)
{
    SSearchParams params;
    params.nType = typeTerrion;
    params.nPort = portSerial;
    params.nComPort = port;
    return params;
}

std::wstring SearchText(int port)
{
    return L"Search Terrion device on Serial COM" + std::to_wstring(port) + L":...";
}

class DeviceThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Only the ports a test sets up exist: every other number points nowhere,
        // whatever serial ports this machine has.
        for (int port = StreamIO::CComPortMap::kFirstPort; port <= StreamIO::CComPortMap::kLastPort; ++port)
            StreamIO::CComPortMap::SetMapping(port, "/nonexistent/terrion-test-com" + std::to_string(port));
        m_pHost = std::make_shared<CFakeHost>();
        SetDeviceThreadHost(m_pHost);
        ASSERT_TRUE(StartDeviceThread());
        ClearDeviceAbort();
    }

    void TearDown() override
    {
        StopDeviceThread();
        SetDeviceThreadHost(nullptr);
        StreamIO::CComPortMap::ClearMappings();
    }

    /// Posts a search to a fresh log and returns the log.
    std::shared_ptr<CReportLog> Post(const SSearchParams& params)
    {
        auto log = std::make_shared<CReportLog>();
        EXPECT_TRUE(PostSearchJob(std::make_shared<CLoggingCallback>(log), params));
        return log;
    }

    std::shared_ptr<CFakeHost> m_pHost;
};

TEST_F(DeviceThreadTest, ScanFindsTheInstrumentPastASilentPortAndSkipsUnmappedNumbers)
{
    CPtyPair silent;
    silent.Map(2);
    // COM3 maps nowhere: it is no candidate and gets no text.
    auto instrument = MakeInstrument(4, "TN12-345-0004");

    auto log = Post(ScanRequest(false));
    ASSERT_TRUE(log->WaitForEnd(kSearchWaitMs));

    const std::vector<std::wstring> expected = {
        SearchText(2),
        SearchText(2) + L"\r\nNo device of the required type found.",
        SearchText(4),
        SearchText(4) + L"\r\n Terrion   Serial: TN12-345-0004",
    };
    EXPECT_EQ(log->Texts(), expected);
    EXPECT_EQ(log->FoundSerials(), std::vector<std::wstring>{L"TN12-345-0004"});
    EXPECT_EQ(log->FoundPorts(), std::vector<std::wstring>{L"\\\\.\\COM4"});
    EXPECT_EQ(log->Ends(), 1);
    // The wait cursor goes back when the job is over, which the stop waits for.
    EXPECT_TRUE(StopDeviceThread());
    EXPECT_EQ(m_pHost->CursorCalls(), std::make_pair(1, 1));
    EXPECT_TRUE(m_pHost->Reports().empty());
}

TEST_F(DeviceThreadTest, ScanStopsAfterTheFirstOrSkipsAPortAsAsked)
{
    struct SCase
    {
        const char* name;
        SSearchParams params;
        std::vector<std::wstring> serials;
        bool firstInstrumentTouched;
    };
    const SCase cases[] = {
        {"stop after first", ScanRequest(true), {L"TN12-345-0002"}, true},
        {"every port", ScanRequest(false), {L"TN12-345-0002", L"TN12-345-0005"}, true},
        {"skip COM2", ScanRequest(true, 2), {L"TN12-345-0005"}, false},
        {"one port", PortRequest(5), {L"TN12-345-0005"}, false},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.name);
        auto first = MakeInstrument(2, "TN12-345-0002");
        auto second = MakeInstrument(5, "TN12-345-0005");

        auto log = Post(test.params);
        ASSERT_TRUE(log->WaitForEnd(kSearchWaitMs));
        EXPECT_EQ(log->FoundSerials(), test.serials);
        EXPECT_EQ(log->Ends(), 1);
        // A skipped port is never opened: the instrument there hears nothing.
        EXPECT_EQ(!first->Received().empty(), test.firstInstrumentTouched);
        if (!test.firstInstrumentTouched)
        {
            for (const std::wstring& text : log->Texts())
            {
                EXPECT_EQ(text.find(L"COM2:"), std::wstring::npos);
            }
        }
        log->ReleaseFound();
    }
}

TEST_F(DeviceThreadTest, APortThatCannotBeOpenedIsReportedAndTheSearchEnds)
{
    // COM5 maps nowhere; COM300 is beyond the serial ports there can be.
    for (int port : {5, 300})
    {
        SCOPED_TRACE(port);
        auto log = Post(PortRequest(port));
        ASSERT_TRUE(log->WaitForEnd(kSearchWaitMs));
        const std::vector<std::wstring> expected = {SearchText(port),
                                                    SearchText(port) + L"\r\ncould not open port."};
        EXPECT_EQ(log->Texts(), expected);
        EXPECT_EQ(log->FoundCount(), 0u);
    }
}

TEST_F(DeviceThreadTest, SearchesOtherThanSerialReportTheirTextsAndEnd)
{
    struct SCase
    {
        const char* name;
        SSearchParams params;
        std::vector<std::wstring> texts;
    };
    SSearchParams noType = PortRequest(1);
    noType.nType = typeNone;
    SSearchParams noPort = PortRequest(1);
    noPort.nPort = static_cast<NPorts>(3);
    SSearchParams usb = PortRequest(1);
    usb.nPort = portUsb;
    // Nothing listens on the instrument's network port of this loopback
    // address (the simulated network instrument takes 127.0.0.1).
    SSearchParams ethernet = PortRequest(1);
    ethernet.nPort = portEthernet;
    ethernet.strIpAddress = L"127.0.0.2";
    const SCase cases[] = {
        {"no driver for the type", noType, {}},
        {"unknown port kind", noPort, {}},
        {"USB", usb, {L"Search Terrion device on USB..."}},
        {"Ethernet",
         ethernet,
         {L"Search Terrion device on Ethernet 127.0.0.2...",
          L"Search Terrion device on Ethernet 127.0.0.2...\r\ncould not open port."}},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.name);
        auto log = Post(test.params);
        ASSERT_TRUE(log->WaitForEnd(kSearchWaitMs));
        EXPECT_EQ(log->Texts(), test.texts);
        EXPECT_EQ(log->FoundCount(), 0u);
    }
}

TEST_F(DeviceThreadTest, AbortMidScanReturnsWithinTheBoundAndLeavesAnIdleWorker)
{
    CPtyPair silent;
    silent.Map(2);
    auto instrument = MakeInstrument(3, "TN12-345-0003");

    auto log = Post(ScanRequest(false));
    // The worker is now on COM2, waiting for a reply that never comes.
    ASSERT_TRUE(log->WaitForTexts(1, kSearchWaitMs));
    const auto start = std::chrono::steady_clock::now();
    AbortDeviceJobs(kDeviceSearchAbortWaitMs);
    const auto waited = std::chrono::steady_clock::now() - start;

    EXPECT_LT(waited, std::chrono::milliseconds(kDeviceSearchAbortWaitMs));
    EXPECT_TRUE(IsDeviceThreadRunning());
    // The aborted job is over: nothing more came, not even the end of the search.
    EXPECT_EQ(log->Texts(), std::vector<std::wstring>{SearchText(2)});
    EXPECT_EQ(log->Ends(), 0);
    EXPECT_EQ(log->FoundCount(), 0u);
    EXPECT_TRUE(instrument->Received().empty());

    // The same worker takes the next search.
    ClearDeviceAbort();
    auto next = Post(PortRequest(3));
    ASSERT_TRUE(next->WaitForEnd(kSearchWaitMs));
    EXPECT_EQ(next->FoundSerials(), std::vector<std::wstring>{L"TN12-345-0003"});
}

TEST_F(DeviceThreadTest, StopEndsARunningSearchCooperativelyAndRefusesNewJobs)
{
    CPtyPair silent;
    silent.Map(2);

    auto log = Post(ScanRequest(false));
    ASSERT_TRUE(log->WaitForTexts(1, kSearchWaitMs));
    EXPECT_TRUE(StopDeviceThread());
    EXPECT_FALSE(IsDeviceThreadRunning());
    EXPECT_EQ(log->Texts().size(), 1u);
    EXPECT_EQ(log->Ends(), 0);

    auto refused = std::make_shared<CReportLog>();
    EXPECT_FALSE(PostSearchJob(std::make_shared<CLoggingCallback>(refused), PortRequest(1)));

    // Started again, it works as before; an idle worker stops at once.
    ASSERT_TRUE(StartDeviceThread());
    auto again = Post(PortRequest(5));
    ASSERT_TRUE(again->WaitForEnd(kSearchWaitMs));
    EXPECT_TRUE(StopDeviceThread());
}

TEST_F(DeviceThreadTest, PostingWithoutACallbackIsRefused)
{
    EXPECT_FALSE(PostSearchJob(nullptr, PortRequest(1)));
}

TEST_F(DeviceThreadTest, AReceiverDetachedMidSearchGetsNothingMore)
{
    CPtyPair silent;
    silent.Map(2);
    auto instrument = MakeInstrument(3, "TN12-345-0003");

    auto log = std::make_shared<CReportLog>();
    auto receiver = std::make_unique<CLoggingCallback>(log);
    auto relay = std::make_shared<CCallbackRelay>(receiver.get());
    ASSERT_TRUE(PostSearchJob(relay, ScanRequest(false)));
    ASSERT_TRUE(log->WaitForTexts(1, kSearchWaitMs));

    // The page closes while the worker still probes COM2.
    relay->Detach();
    receiver.reset();
    relay.reset();

    // A search queued behind tells when the first is over, and finds the
    // instrument only if the first let go of it.
    auto next = std::make_shared<CReportLog>();
    ASSERT_TRUE(PostSearchJob(std::make_shared<CLoggingCallback>(next), PortRequest(3)));
    ASSERT_TRUE(next->WaitForEnd(kSearchWaitMs));
    EXPECT_EQ(next->FoundSerials(), std::vector<std::wstring>{L"TN12-345-0003"});

    EXPECT_EQ(log->Texts(), std::vector<std::wstring>{SearchText(2)});
    EXPECT_EQ(log->Ends(), 0);
    EXPECT_EQ(log->FoundCount(), 0u);
}

// A receiver whose first status report hangs until the test lets it go, so
// that the worker cannot become idle in time. Its destruction shows that the
// job holding it is over.
class CHangingCallback : public CLoggingCallback
{
public:
    struct SGate
    {
        std::mutex lock;
        std::condition_variable changed;
        bool bEntered = false;
        bool bOpen = false;
        bool bReleased = false;
    };

    CHangingCallback(std::shared_ptr<CReportLog> log, std::shared_ptr<SGate> gate)
        : CLoggingCallback(std::move(log)), m_pGate(std::move(gate))
    {
    }
    ~CHangingCallback() override
    {
        std::lock_guard guard(m_pGate->lock);
        m_pGate->bReleased = true;
        m_pGate->changed.notify_all();
    }
    void OnStatusText(const std::wstring& text) override
    {
        CLoggingCallback::OnStatusText(text);
        std::unique_lock lock(m_pGate->lock);
        m_pGate->bEntered = true;
        m_pGate->changed.notify_all();
        m_pGate->changed.wait(lock, [&] { return m_pGate->bOpen; });
    }

private:
    std::shared_ptr<SGate> m_pGate;
};

TEST_F(DeviceThreadTest, AWorkerThatMissesTheAbortBoundIsLeftBehindAndReplaced)
{
    using SGate = CHangingCallback::SGate;
    auto gate = std::make_shared<SGate>();
    auto stuckLog = std::make_shared<CReportLog>();
    ASSERT_TRUE(PostSearchJob(std::make_shared<CHangingCallback>(stuckLog, gate), PortRequest(5)));
    {
        std::unique_lock lock(gate->lock);
        ASSERT_TRUE(gate->changed.wait_for(lock, std::chrono::milliseconds(kSearchWaitMs),
                                           [&] { return gate->bEntered; }));
    }

    AbortDeviceJobs(50);
    EXPECT_FALSE(IsDeviceThreadRunning());

    // Once the flag is cleared, the next search gets a new worker.
    ClearDeviceAbort();
    auto log = Post(PortRequest(5));
    ASSERT_TRUE(log->WaitForEnd(kSearchWaitMs));
    EXPECT_EQ(log->Texts().size(), 2u);
    EXPECT_TRUE(IsDeviceThreadRunning());

    // Let the old worker go on: it finishes its job without another report.
    {
        std::unique_lock lock(gate->lock);
        gate->bOpen = true;
        gate->changed.notify_all();
        ASSERT_TRUE(gate->changed.wait_for(lock, std::chrono::milliseconds(kSearchWaitMs),
                                           [&] { return gate->bReleased; }));
    }
    EXPECT_EQ(stuckLog->Texts(), std::vector<std::wstring>{SearchText(5)});
    EXPECT_EQ(stuckLog->Ends(), 0);
}

class CThrowingCallback : public CCallback
{
public:
    void OnDeviceFound(std::unique_ptr<CVnDevice>) override {}
    void OnStatusText(const std::wstring&) override { throw std::runtime_error("receiver failed"); }
    void OnFinished(const std::wstring&, int) override {}
    void OnProgress(int, int, std::uint32_t) override {}
};

TEST_F(DeviceThreadTest, AWorkerThatDiesIsReportedAndReplacedByTheNextJob)
{
    ASSERT_TRUE(PostSearchJob(std::make_shared<CThrowingCallback>(), PortRequest(5)));
    ASSERT_TRUE(m_pHost->WaitForReport(kSearchWaitMs));
    const auto reports = m_pHost->Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].kind, Resources::NMessageKind::FatalError);
    EXPECT_EQ(reports[0].text, L"Unhandled exception in Device Thread.");
    EXPECT_EQ(reports[0].sourceFile, "DeviceThread");
    EXPECT_EQ(reports[0].line, 1109);
    EXPECT_FALSE(IsDeviceThreadRunning());
    // The wait cursor is given back although the search failed.
    const auto [begin, end] = m_pHost->CursorCalls();
    EXPECT_EQ(begin, end);

    auto log = Post(PortRequest(5));
    ASSERT_TRUE(log->WaitForEnd(kSearchWaitMs));
    EXPECT_EQ(log->Texts().size(), 2u);
    EXPECT_TRUE(IsDeviceThreadRunning());
}

TEST_F(DeviceThreadTest, AnAbortRightAfterPostingReachesAReplacementWorker)
{
    // The worker dies, so the next search starts a new one.
    ASSERT_TRUE(PostSearchJob(std::make_shared<CThrowingCallback>(), PortRequest(5)));
    ASSERT_TRUE(m_pHost->WaitForReport(kSearchWaitMs));
    CPtyPair silent;
    silent.Map(2);

    // Cancelled before the new worker may even have looked at its queue: the
    // abort holds, whichever of the two comes first.
    auto log = Post(PortRequest(2));
    AbortDeviceJobs(kDeviceSearchAbortWaitMs);
    EXPECT_TRUE(IsDeviceThreadRunning());
    EXPECT_LE(log->Texts().size(), 1u);
    EXPECT_EQ(log->Ends(), 0);

    // Once the flag is cleared, the same worker searches again.
    ClearDeviceAbort();
    auto next = Post(PortRequest(5));
    ASSERT_TRUE(next->WaitForEnd(kSearchWaitMs));
    EXPECT_EQ(next->Texts().size(), 2u);
}

} // namespace

// The relay a receiver detaches from: reports reach the receiver until it
// detaches, and none after; an instrument found after that is deleted.

#include "device/CallbackRelay.h"
#include "device/VnDevice.h"
#include "tests/device_thread/LoggingCallback.h"
#include "tests/device_thread/ReportLog.h"

#include <gtest/gtest.h>

namespace
{

using namespace Device;
using TerrionTest::CLoggingCallback;
using TerrionTest::CReportLog;

// An instrument that counts its own destruction.
class CCountedDevice : public CVnDevice
{
public:
    explicit CCountedDevice(int& destroyed)
        : CVnDevice(typeTerrion, L"Terrion", portSerial, 10), m_destroyed(destroyed)
    {
    }
    ~CCountedDevice() override { ++m_destroyed; }

    std::unique_ptr<CVnDevice> CreateInstance() const override
    {
        return std::make_unique<CCountedDevice>(m_destroyed);
    }
    bool Identify(SDeviceInfo&) override { return false; }
    std::wstring GetInfoText() override { return {}; }
    std::wstring GetSerialNumber() const override { return L"TN00-000-0001"; }
    bool GetContents(CContents&) override { return false; }

private:
    int& m_destroyed;
};

TEST(CallbackRelayTest, ForwardsUntilDetachedAndDeletesWhatComesAfter)
{
    auto log = std::make_shared<CReportLog>();
    CLoggingCallback receiver(log);
    CCallbackRelay relay(&receiver);
    int destroyed = 0;

    relay.OnStatusText(L"before");
    relay.OnDeviceFound(std::make_unique<CCountedDevice>(destroyed));
    EXPECT_TRUE(relay.IsAttached());

    relay.Detach();
    EXPECT_FALSE(relay.IsAttached());
    relay.OnStatusText(L"after");
    relay.OnDeviceFound(std::make_unique<CCountedDevice>(destroyed));
    relay.OnDeviceFound(nullptr);
    relay.OnFinished(L"done", 0);
    relay.OnProgress(50, 1, 0);

    EXPECT_EQ(log->Texts(), std::vector<std::wstring>{L"before"});
    EXPECT_EQ(log->FoundCount(), 1u);
    EXPECT_EQ(log->Ends(), 0);
    EXPECT_EQ(destroyed, 1); // the late one, not the one the receiver holds
    log->ReleaseFound();
    EXPECT_EQ(destroyed, 2);
}

// A receiver that leaves from within a report (the report's own thread).
class CLeavingCallback : public CLoggingCallback
{
public:
    using CLoggingCallback::CLoggingCallback;
    void SetRelay(CCallbackRelay* relay) { m_pRelay = relay; }
    void OnStatusText(const std::wstring& text) override
    {
        CLoggingCallback::OnStatusText(text);
        m_pRelay->Detach();
    }

private:
    CCallbackRelay* m_pRelay = nullptr;
};

TEST(CallbackRelayTest, AReceiverMayDetachFromWithinAReport)
{
    auto log = std::make_shared<CReportLog>();
    CLeavingCallback receiver(log);
    CCallbackRelay relay(&receiver);
    receiver.SetRelay(&relay);

    relay.OnStatusText(L"first");
    relay.OnStatusText(L"second");
    EXPECT_EQ(log->Texts(), std::vector<std::wstring>{L"first"});
}

} // namespace

// The device search finds a simulated Terrion on its COM port, and the driver
// it hands over downloads without further ado: the road of a first download.

#include "device/DeviceSearch.h"
#include "device/VnDevice.h"
#include "tests/device/TerrionEndToEnd.h"
#include "tests/simulator/TerrionTcpSimulator.h"

#include <stdexcept>

namespace TerrionTest
{
namespace
{

class CRecordingCallback : public Device::CCallback
{
public:
    void OnDeviceFound(std::unique_ptr<Device::CVnDevice> device) override
    {
        if (device)
            found.push_back(std::move(device));
        else
            ++ends;
    }
    void OnStatusText(const std::wstring& text) override { texts.push_back(text); }
    void OnFinished(const std::wstring&, int) override {}
    void OnProgress(int, int, std::uint32_t) override {}

    std::vector<std::unique_ptr<Device::CVnDevice>> found;
    std::vector<std::wstring> texts;
    int ends = 0;
};

TEST(SearchEndToEnd, FindsTheSimulatedTerrionAndHandsOverAWorkingDriver)
{
    constexpr int kPort = 212;
    CTerrionSimulator sim(CTerrionScenario().AddSeries(9, {{123, true, 2, 0x10}}));
    sim.Map(kPort);

    CRecordingCallback callback;
    Device::CDeviceSearch search(
        callback, [] { return false; }, [](StreamIO::CIoStream*) {});
    Device::SSearchParams params;
    params.nType = Device::typeTerrion;
    params.nPort = Device::portSerial;
    params.nComPort = kPort;
    search.Run(params);

    ASSERT_EQ(callback.found.size(), 1u);
    EXPECT_EQ(callback.ends, 1);
    ASSERT_FALSE(callback.texts.empty());
    EXPECT_EQ(callback.texts.back(),
              L"Search Terrion device on Serial COM212:...\r\n Terrion   Serial: TN12-345-6789");

    auto* terrion = dynamic_cast<Device::CTerrionDevice*>(callback.found[0].get());
    ASSERT_NE(terrion, nullptr);
    std::vector<Device::CTerrionDevice::TTerrionObject> objects;
    ASSERT_TRUE(terrion->ReadAllObjects(objects));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].objectNumber, 9);
    EXPECT_EQ(objects[0].ident.firmwareVersion, L"2.0.1");
    ASSERT_EQ(objects[0].readings.size(), 1u);
    EXPECT_DOUBLE_EQ(objects[0].readings[0].value, 12.3);
    EXPECT_EQ(objects[0].readings[0].current, 20);
    callback.found.clear(); // the driver closes its port before the simulator goes
}

TEST(SearchEndToEnd, FindsTheInstrumentListeningOnTheNetworkPort)
{
    std::unique_ptr<CTerrionTcpSimulator> sim;
    try
    {
        sim = std::make_unique<CTerrionTcpSimulator>(CTerrionScenario().AddSeries(4, {{80, false, 1, 0x10}}));
    }
    catch (const std::runtime_error& error)
    {
        GTEST_SKIP() << error.what() << " (the port is taken by another program)";
    }

    CRecordingCallback callback;
    Device::CDeviceSearch search(
        callback, [] { return false; }, [](StreamIO::CIoStream*) {});
    Device::SSearchParams params;
    params.nType = Device::typeTerrion;
    params.nPort = Device::portEthernet;
    params.strIpAddress = L"127.0.0.1";
    search.Run(params);

    ASSERT_EQ(callback.found.size(), 1u);
    EXPECT_EQ(callback.ends, 1);
    EXPECT_EQ(callback.texts, (std::vector<std::wstring>{
                                  L"Search Terrion device on Ethernet 127.0.0.1...",
                                  L"Search Terrion device on Ethernet 127.0.0.1...\r\n Terrion   Serial: "
                                  L"TN12-345-6789"}));
    Device::CVnDevice& device = *callback.found[0];
    EXPECT_EQ(device.GetPortType(), Device::portEthernet);
    EXPECT_EQ(device.GetPortName(), L"IP:127.0.0.1:3728");
    const std::vector<std::uint8_t> received = sim->Received();
    EXPECT_EQ(std::string(received.begin(), received.end()), "\x10@ID@\r");

    // The driver it hands over works over the network as over a serial line.
    auto* terrion = dynamic_cast<Device::CTerrionDevice*>(&device);
    ASSERT_NE(terrion, nullptr);
    std::vector<Device::CTerrionDevice::TTerrionObject> objects;
    ASSERT_TRUE(terrion->ReadAllObjects(objects));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].objectNumber, 4);
    callback.found.clear();
}

} // namespace
} // namespace TerrionTest

#include "tests/device_others/OtherEndToEnd.h"

#include "streams/Rs232Stream.h"
#include "tests/simulator/OtherInstruments.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace TerrionTest
{
namespace
{

std::mutex g_lock;
std::vector<int> g_waits;

void ShortWait(int milliseconds)
{
    {
        std::lock_guard lock(g_lock);
        g_waits.push_back(milliseconds);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(milliseconds, 5)));
}

} // namespace

void CShortWaits::Install()
{
    Reset();
    Device::CVnCommands::SetWaitFunction(&ShortWait);
}

void CShortWaits::Uninstall()
{
    Device::CVnCommands::SetWaitFunction(nullptr);
}

std::vector<int> CShortWaits::Waits()
{
    std::lock_guard lock(g_lock);
    return g_waits;
}

void CShortWaits::Reset()
{
    std::lock_guard lock(g_lock);
    g_waits.clear();
}

void COtherEndToEnd::Start(Device::NTypes type, const COtherScenario& scenario)
{
    m_device.reset();
    m_sim = std::make_unique<CInstrumentSimulator>(MakeOtherInstrument(scenario));
    m_sim->Map(kPort);
    m_device = Device::CreateDevice(type);
    ASSERT_NE(m_device, nullptr);
    auto stream = std::make_unique<StreamIO::CRs232Stream>(kPort, StreamIO::ofRead | StreamIO::ofWrite,
                                                           &m_device->GetSerialSettings());
    ASSERT_TRUE(stream->IsOpen());
    const Device::NPorts port =
        (m_device->GetSupportedPorts() & Device::portSerial) != 0 ? Device::portSerial : Device::portUsb;
    ASSERT_TRUE(m_device->Attach(stream.get(), port));
    stream.release();
}

} // namespace TerrionTest

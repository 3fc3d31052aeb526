#pragma once
// Fixture of the end-to-end tests of the other drivers: a simulated
// instrument of a scenario's family mapped to a COM port, and a driver made
// by the factory attached to that port with its own serial settings.

#include "device/VnDevice.h"
#include "tests/simulator/InstrumentSimulator.h"
#include "tests/simulator/OtherScenario.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace TerrionTest
{

/// Shortens every protocol wait to a few milliseconds and records them.
class CShortWaits
{
public:
    static void Install();
    static void Uninstall();
    static std::vector<int> Waits();
    static void Reset();
};

class COtherEndToEnd : public ::testing::Test
{
protected:
    static constexpr int kPort = 221;

    void SetUp() override { CShortWaits::Install(); }
    void TearDown() override
    {
        m_device.reset();
        m_sim.reset();
        CShortWaits::Uninstall();
    }

    /// Starts the scenario's instrument and attaches a driver of the type.
    void Start(Device::NTypes type, const COtherScenario& scenario);

    template <class TDevice> TDevice& Device() { return dynamic_cast<TDevice&>(*m_device); }
    template <class TInstrument, class F> auto With(F&& f) { return m_sim->With<TInstrument>(f); }

    std::unique_ptr<CInstrumentSimulator> m_sim;
    std::unique_ptr<Device::CVnDevice> m_device;
};

} // namespace TerrionTest

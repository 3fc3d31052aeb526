#pragma once
// Fixture of the end-to-end tests: a simulated Terrion mapped to a COM port
// and a CTerrionDevice attached to that port through the serial stream, as
// the device search would leave it.

#include "device/TerrionDevice.h"
#include "streams/Rs232Stream.h"
#include "tests/simulator/TerrionSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace TerrionTest
{

class CTerrionEndToEnd : public ::testing::Test
{
protected:
    using TObject = Device::CTerrionDevice::TTerrionObject;
    using TSettings = Device::CTerrionDevice::TMeasSettings;
    using TMeas = Device::CTerrionDevice::TMeas;
    static constexpr int kPort = 211;

    void Start(const CTerrionScenario& scenario = CTerrionScenario())
    {
        m_sim = std::make_unique<CTerrionSimulator>(scenario);
        m_sim->Map(kPort);
        m_device = std::make_unique<Device::CTerrionDevice>();
        auto stream = std::make_unique<StreamIO::CRs232Stream>(kPort, StreamIO::ofRead | StreamIO::ofWrite,
                                                               &m_device->GetSerialSettings());
        ASSERT_TRUE(stream->IsOpen());
        ASSERT_TRUE(m_device->Attach(stream.get(), Device::portSerial));
        stream.release(); // the device owns it now
    }

    void TearDown() override
    {
        m_device.reset(); // releases memory-access mode on the line
        m_sim.reset();
    }

    /// Identifies in application state, as the search does before a download.
    void Identify()
    {
        Device::SDeviceInfo info;
        ASSERT_TRUE(m_device->Identify(info));
    }

    static Device::SDeviceIdent Ident(const std::wstring& type, const std::wstring& hardware,
                                      const std::wstring& serial, const std::wstring& signature,
                                      const std::wstring& firmware)
    {
        Device::SDeviceIdent ident;
        ident.typeName = type;
        ident.firmwareVersion = firmware;
        ident.serialNumber = serial;
        ident.hardwareRevision = hardware;
        ident.signature = signature;
        return ident;
    }

    static void ExpectIdent(const Device::SDeviceIdent& actual, const Device::SDeviceIdent& expected)
    {
        EXPECT_EQ(actual.typeName, expected.typeName);
        EXPECT_EQ(actual.firmwareVersion, expected.firmwareVersion);
        EXPECT_EQ(actual.serialNumber, expected.serialNumber);
        EXPECT_EQ(actual.hardwareRevision, expected.hardwareRevision);
        EXPECT_EQ(actual.signature, expected.signature);
    }

    static void ExpectSettings(const TSettings& actual, const TSettings& expected)
    {
        EXPECT_EQ(actual.customSpacing, expected.customSpacing);
        EXPECT_EQ(actual.defaultSpacing, expected.defaultSpacing);
        EXPECT_EQ(actual.spacingWord, expected.spacingWord);
        EXPECT_EQ(actual.format, expected.format);
        EXPECT_EQ(actual.contactSpacing, expected.contactSpacing);
        EXPECT_FLOAT_EQ(actual.correctionFactor, expected.correctionFactor);
        EXPECT_EQ(actual.mode, expected.mode);
        EXPECT_EQ(actual.shape, expected.shape);
        EXPECT_EQ(actual.correctionKind, expected.correctionKind);
        EXPECT_EQ(actual.length, expected.length);
        EXPECT_EQ(actual.diameter, expected.diameter);
        EXPECT_EQ(actual.depth, expected.depth);
    }

    static void ExpectReadings(const std::vector<TMeas>& actual, const std::vector<TMeas>& expected)
    {
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i)
        {
            SCOPED_TRACE("reading " + std::to_string(i));
            EXPECT_DOUBLE_EQ(actual[i].value, expected[i].value);
            EXPECT_EQ(actual[i].recordByte, expected[i].recordByte);
            EXPECT_EQ(actual[i].current, expected[i].current);
        }
    }

    static TMeas Meas(double value, std::uint8_t recordByte, std::uint16_t current)
    {
        TMeas meas;
        meas.value = value;
        meas.recordByte = recordByte;
        meas.current = current;
        return meas;
    }

    /// Milliseconds an operation took; used only to show nothing hangs.
    template <typename F> static long long TimedMs(F&& operation)
    {
        const auto start = std::chrono::steady_clock::now();
        operation();
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    }

    std::unique_ptr<CTerrionSimulator> m_sim;
    std::unique_ptr<Device::CTerrionDevice> m_device;
};

} // namespace TerrionTest

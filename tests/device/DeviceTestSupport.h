#pragma once
// Shared pieces of the device tests: checksums computed bit by bit from their
// definitions (independent of the library's tables), a fixture that opens a
// COM port onto a scripted line, and a recorder for the protocol's waits.

#include "device/VnCommands.h"
#include "streams/IoStream.h"
#include "tests/device/ScriptedLine.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace TerrionTest
{

/// CRC-8/MAXIM-DOW: reflected polynomial 0x8C, start 0, no final XOR.
std::uint8_t BitCrc8(const TBytes& data);
/// CRC-16/ARC: reflected polynomial 0xA001, start 0, no final XOR.
std::uint16_t BitCrc16(const TBytes& data);
/// CRC-32: reflected polynomial 0xEDB88320, start 0xFFFFFFFF, inverted.
std::uint32_t BitCrc32(const TBytes& data);

/// The waits the protocol asked for since the last Reset(); no time passes.
class CWaitRecorder
{
public:
    static void Install();
    static void Uninstall();
    static std::vector<int> Waits();
    static void Reset();
};

/// A COM port on a scripted line, opened as the driver opens it.
class CLineFixture : public ::testing::Test
{
protected:
    static constexpr int kPort = 201;

    void SetUp() override;
    void TearDown() override;
    /// Opens "COM201:" read/write; the fixture keeps it unless Release()d.
    StreamIO::CIoStream* OpenPort();
    std::unique_ptr<StreamIO::CIoStream> Release() { return std::move(m_stream); }

    std::unique_ptr<CScriptedLine> m_line;
    std::unique_ptr<StreamIO::CIoStream> m_stream;
};

} // namespace TerrionTest

#include "tests/device/DeviceTestSupport.h"

#include "streams/StreamFactory.h"

#include <mutex>

namespace TerrionTest
{
namespace
{

std::mutex g_waitLock;
std::vector<int> g_waits;

void RecordWait(int milliseconds)
{
    std::lock_guard<std::mutex> guard(g_waitLock);
    g_waits.push_back(milliseconds);
}

} // namespace

std::uint8_t BitCrc8(const TBytes& data)
{
    std::uint8_t crc = 0;
    for (std::uint8_t byte : data)
    {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C)
                            : static_cast<std::uint8_t>(crc >> 1);
    }
    return crc;
}

std::uint16_t BitCrc16(const TBytes& data)
{
    std::uint16_t crc = 0;
    for (std::uint8_t byte : data)
    {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

std::uint32_t BitCrc32(const TBytes& data)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : data)
    {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

void CWaitRecorder::Install()
{
    Reset();
    Device::CVnCommands::SetWaitFunction(&RecordWait);
}

void CWaitRecorder::Uninstall()
{
    Device::CVnCommands::SetWaitFunction(nullptr);
}

std::vector<int> CWaitRecorder::Waits()
{
    std::lock_guard<std::mutex> guard(g_waitLock);
    return g_waits;
}

void CWaitRecorder::Reset()
{
    std::lock_guard<std::mutex> guard(g_waitLock);
    g_waits.clear();
}

void CLineFixture::SetUp()
{
    CWaitRecorder::Install();
    m_line = std::make_unique<CScriptedLine>(kPort);
}

void CLineFixture::TearDown()
{
    m_line->Finish(0);
    m_stream.reset();
    m_line.reset();
    CWaitRecorder::Uninstall();
}

StreamIO::CIoStream* CLineFixture::OpenPort()
{
    m_stream =
        StreamIO::CreateStream(L"COM" + std::to_wstring(kPort) + L":", StreamIO::ofRead | StreamIO::ofWrite);
    return m_stream.get();
}

} // namespace TerrionTest

#pragma once
// The serial settings record. Every instrument class keeps one with its own
// defaults; it is copied whole between the stream, callers and instruments.

#include <cstdint>

namespace StreamIO
{

enum NParity : std::uint32_t
{
    parNone = 0,
    parEven = 1,
    parOdd = 2,
    parMark = 3,
    parSpace = 4,
};

enum NStopBits : std::uint32_t
{
    sbOne = 0,
    sbOneAndHalf = 1,
    sbTwo = 2,
};

enum NHandshake : std::uint8_t
{
    hsXonXoff = 1,
    hsDtrDsr = 2,
    hsRtsCts = 4,
    hsRtsOff = 8,
};

struct SRs232Settings
{
    static constexpr std::uint32_t kMagic = 0xA500;

    std::uint32_t magic = kMagic;
    std::uint32_t baud = 9600;
    std::uint8_t dataBits = 8;
    std::uint32_t parity = parNone;
    std::uint32_t stopBits = sbOne;
    std::uint8_t handshake = 0;
    std::uint16_t receiveQueue = 1024;
    std::uint16_t transmitQueue = 256;
    std::int32_t readTimeout = 500; ///< milliseconds; -1 none
    std::int32_t writeTimeout = 10; ///< milliseconds; -1 none
};

} // namespace StreamIO

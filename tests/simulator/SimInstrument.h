#pragma once
// An instrument's behaviour, byte in and bytes out, without any line or
// thread: CInstrumentSimulator pumps a pseudo-terminal through it.

#include <cstdint>
#include <vector>

namespace TerrionTest
{

class CSimInstrument
{
public:
    virtual ~CSimInstrument() = default;

    /// Takes one byte from the host; appends the reply to out. Sets
    /// dropPending when output still waiting to be sent must be dropped.
    virtual void Feed(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending) = 0;
    /// Called about every 20 ms while a host has the line open; an
    /// instrument that talks on its own appends to out.
    virtual void Tick(std::int64_t /*nowMs*/, std::vector<std::uint8_t>& /*out*/) {}
    /// The line rate the instrument talks at; 0 = whatever the host uses.
    /// Bytes at another rate are noise to both sides.
    virtual std::uint32_t LineRate() const { return 0; }
};

} // namespace TerrionTest

#pragma once
// The simulated Krastel-family instruments (Aldermoor, Quenwick, Mezzeta) on
// top of CFramedInstrument. Commands too long for a frame arrive unframed as
// 0xC1, the command byte and the data; this instrument's long command 0x5A
// carries its data count in its first data byte and answers 0x00. The
// Mezzeta answers 0xD0 '0' with its raw 129-byte block.

#include "tests/simulator/FramedInstrument.h"

namespace TerrionTest
{

class CKrastelInstrument : public CFramedInstrument
{
public:
    static constexpr std::uint8_t kLongCommand = 0x5A;

    explicit CKrastelInstrument(const COtherScenario& scenario) : CFramedInstrument(scenario) {}

    int DescriptorCount() const { return m_nDescriptors; }

protected:
    bool RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                    std::vector<std::uint8_t>& out) override;
    int DataLength(std::uint8_t header, std::uint8_t command, const std::vector<std::uint8_t>& data) override;

private:
    int m_nDescriptors = 0;
};

} // namespace TerrionTest

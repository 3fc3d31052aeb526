#pragma once
// The simulated Saltrevane cover meter on top of CFramedInstrument:
// - "BR ?" answers the line's divisor ("208" at 19200 baud; "?" when the
//   scenario refuses), "BR nnn" answers "OK" and then talks at the rate of
//   that divisor (35 115200, 69 57600, 104 38400, 208 19200, 417 9600).
// - Command 0xD2 sub-commands: 0x12 the binary objects (status 0xF3 when it
//   holds none), 0x10 "1;<n>;" and the objects' data-file texts each ended
//   by "<eof>" (0xF3 when none); '3' its text; 0x13 its status byte; 5 and 6
//   one byte 0 (idle); '0', '1', '2', 2 and "4060..." done (0x00); 0x04 the
//   memory-access mode.
// - Memory access as the Terrion's ("XXXXs", "XXXXn" with a CR after the
//   dump, "A5A5t"): the settings block lies at 0x1000; the byte at 0x1128
//   has bit 0 set while a delete-all is running (for the scenario's number
//   of polls). A DLE or a frame header leaves the mode.

#include "tests/simulator/FramedInstrument.h"

namespace TerrionTest
{

class CCoverMeterInstrument : public CFramedInstrument
{
public:
    explicit CCoverMeterInstrument(const COtherScenario& scenario);

    std::uint32_t LineRate() const override { return m_nRate; }
    /// Takes a new rate once its answer has gone out.
    void Tick(std::int64_t nowMs, std::vector<std::uint8_t>& out) override;
    bool InMemoryAccess() const { return m_bMemory; }
    int DeleteCount() const { return m_nDeletes; }
    /// Every rate the instrument was switched to.
    const std::vector<std::uint32_t>& Rates() const { return m_rates; }

protected:
    bool TextAnswer(const std::string& command, std::string& answer) override;
    bool RunCommand(std::uint8_t command, const std::vector<std::uint8_t>& data,
                    std::vector<std::uint8_t>& out) override;
    bool FeedOther(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending) override;
    /// Leaving target 1 hands over to the bootloader of target 2.
    bool ExitStartsApplication(int target) const override { return target != 1; }

private:
    std::vector<std::uint8_t> BinaryReply() const;
    std::string TextReply() const;
    std::uint8_t MemoryByte(std::uint32_t address);

    std::uint32_t m_nRate;
    std::uint32_t m_nPendingRate = 0;
    bool m_bMemory = false;
    std::string m_strDigits;
    std::uint32_t m_nAddress = 0;
    int m_nBusyLeft = 0;
    int m_nDeletes = 0;
    std::vector<std::uint32_t> m_rates;
};

} // namespace TerrionTest

#pragma once
// The firmware-transfer commands that the upgrade steps send through a
// command object:
//   descriptor  C1 F8 00, the 128 bytes, their checksum; one status byte
//   whole block C6 F8 01 F, 32-bit length, the data, its checksum; status
//   in chunks   C9 F8 01 F, 32-bit length, 24-bit chunk size; then per chunk
//               the bytes and their checksum, one status byte each
//   program     F8 {04} (and {03}) ask the programming times; C1 F8 02 then
//               one status byte when the flash is written
// F is 1 when a checksum follows, else 0. Checksum flags: bit 0 CRC-16/ARC
// (2 bytes), else bit 1 CRC-32 (4 bytes), little-endian; 0 none.
// S-records go one record at a time, each acknowledged by 'P'.
//
// A failed attempt is repeated (three attempts) after a resynchronisation;
// a repeated block transfer starts again at the block's own first byte.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace StreamIO
{
class CIoStream;
}

namespace Device
{

class CCallback;
class CVnCommands;

class CFirmwareTransfer
{
public:
    static constexpr int kDescriptorSize = 128;
    static constexpr int kAttempts = 3;
    /// The chunk size travels in three bytes.
    static constexpr int kMaxChunk = 0xFFFFFF;

    explicit CFirmwareTransfer(CVnCommands& commands);

    bool SendDescriptor(std::span<const std::uint8_t> descriptor, int checksumFlags);
    /// The length bytes from the source's current position; length on success, else 0.
    int TransferBlocks(StreamIO::CIoStream* source, int length, int checksumFlags, int chunk,
                       CCallback* callback);
    /// The S-record text of length bytes; the bytes acknowledged.
    int SendSRecords(StreamIO::CIoStream* source, int length, CCallback* callback);
    bool ProgramFlash(CCallback* callback, int bar, bool askLongest);

    /// The checksum bytes of data for the flags (none when neither bit is set).
    static std::vector<std::uint8_t> Checksum(std::span<const std::uint8_t> data, int checksumFlags);
    /// Records of an S-record text: each starts with 'S' and runs to the next
    /// 'S' or the end; the text's first byte starts the first record.
    static std::vector<std::string_view> SplitSRecords(std::string_view text);

private:
    bool WriteAll(const void* data, int length);
    bool ReadStatus(std::uint8_t& status);
    int TransferWhole(StreamIO::CIoStream* source, int length, int checksumFlags, CCallback* callback,
                      std::vector<std::uint8_t>& data);
    int TransferChunks(StreamIO::CIoStream* source, int length, int checksumFlags, int chunk,
                       CCallback* callback);

    CVnCommands& m_commands;
    StreamIO::CIoStream* m_pStream;
};

} // namespace Device

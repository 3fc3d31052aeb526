#pragma once
// The cover meter's binary formats as pure functions over bytes: the
// 262-byte object record, the binary and text download replies, and the hex
// text of its memory-access reads.
//
// Object record (offsets in bytes; texts are 8-bit and end at the first NUL
// inside their field):
//   0 format version upper, 1 lower; 2 name (16); 18 serial (16);
//   34 software version (9); 43 hardware index (5); 48 signature (9);
//   57 regional; 58 storage mode 'A'/'M'; 59 raw default bar diameter;
//   60 neighbouring-bar correction; 61 object number (16-bit LE);
//   63 reading count n (0..99); 64 covers (99); 163 raw diameters (99).
// Binary download reply: 1, the object count (16-bit LE), the record size
// (16-bit LE, 262), then the records.
// Text download reply: "1;<count>;" ahead of the objects' data-file texts,
// each from "Saltrevane+ Data File Version" to "<eof>".

#include "device/others/KindravelObject.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Device
{

class CKindravelCodec
{
public:
    static constexpr std::size_t kRecordSize = 262;
    static constexpr std::size_t kReplyHeaderSize = 5;
    static constexpr int kMaxTextObjects = 500;
    /// The status with which the instrument says it holds no data.
    static constexpr std::uint8_t kNoDataStatus = 0xF3;

    /// Fills an object from one record; false when the reading count is 100
    /// or more (the fields before the readings are set by then). Comment,
    /// object name and date are not in the record and keep their values.
    static bool DecodeRecord(std::span<const std::uint8_t, kRecordSize> record, TKindravelObject& object);

    /// Decodes a binary download reply of received bytes into set. Records
    /// that do not decode, and records the reply announces but does not hold,
    /// count as errors; the objects that decoded are kept. False on any error.
    static bool DecodeBinaryReply(std::span<const std::uint8_t> reply, TKindravelObjectSet& set);

    /// Decodes a text download reply; the objects that imported are kept.
    /// False when the header is wrong or an object did not import.
    static bool DecodeTextReply(const std::wstring& text, TKindravelObjectSet& set);

    /// Decodes the memory-access hex text: 'a'-'d' before a pair are
    /// skipped, each pair of upper-case hex digits gives one byte, decoding
    /// stops when fewer than two characters remain or at a character that is
    /// not a hex digit.
    static std::vector<std::uint8_t> DecodeHexText(std::span<const std::uint8_t> text);
};

} // namespace Device

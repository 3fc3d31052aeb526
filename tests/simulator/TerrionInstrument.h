#pragma once
// The simulated Terrion's behaviour, byte in and bytes out, without any line
// or thread: CTerrionSimulator pumps the pseudo-terminal through it.
//
// What the host side fixes is implemented as the host expects it. Where the
// instrument's side is open, this simulator decides, as follows:
// - Text commands: the DLE byte is acknowledged with 0x06 (ACK); the command
//   runs to CR (LF is ignored; a byte of 0x80 or more abandons it). Replies
//   end with CR only after power-up; after "EC1" they end with CR LF and echo
//   the command first ("@ID@ <answer>\r\n"); "EC0" goes back. "EC?" answers
//   "EC0" or "EC1". "@ID@" answers the scenario's identification text, "ID"
//   answers "type;firmware;serial" from it, an empty command an empty line,
//   anything else "?" (a refusal).
// - Framed commands (0xC0+n, command, n data bytes) while the application
//   runs: 0xF7 (the sync frame) -> status 0xF0; 0xD2 {0x04} -> 0x00 and
//   memory-access mode; 0xD2 {0x01} -> 0x00 and the bootloader; 0xF1 -> the
//   signature as a 4-byte device id; 0xF4 sub-functions: only mode 12 (normal
//   operation) exists, it is always active and a switch to it lasts 100 ms;
//   {0x10..0x12, x} answer one byte 0x01. Anything else -> status 0xFF.
// - Memory-access mode understands only its ASCII commands: upper-case hex
//   digits followed by a lower-case command letter (s n w e i t); any other
//   byte clears the digits gathered so far. Framed and text commands are
//   ignored until "C0C0i" returns to the application.
//   * "XXXXs" sets the address; "XXXXn" dumps XXXX bytes from it as
//     upper-case hex pairs (the address advances), "0000n" ends a dump;
//     either command drops whatever is left of a dump still being sent.
//   * "DDCCw" writes DD at the address when CC = (address high + address
//     low + DD) mod 256, answers 'o' and advances; otherwise answers 'f'.
//   * "...e" erases when the 32-bit negation of its digits equals the
//     address set last: the 256-byte block around it becomes 0xFF; 'o' or 'f'.
//   * "A5A5t" erases the record area (no reply); "C0C0i" leaves the mode.
//   * Memory from 0x1000 up is flash: a write can only clear bits (stored =
//     old AND new), so a host that skips the erase shows. Below 0x1000 a
//     write stores the byte as it stands.
//   * The word at 0x021A reads as the default spacing only while the
//     settings block's first word is 0xFFFF; otherwise it reads as that word
//     (the spacing the instrument works with).
// - The bootloader understands S-lines ending in LF and ignores everything
//   else (also DLE): "SC030102F9" -> 'G', "SC030000FC" -> nothing,
//   "SI030000FC" -> a 66-byte identification block (the identification
//   text, ';', blanks), "SE030000FC" -> 'E', "SX030000FC" -> 'X' and back to
//   the application. Lines whose checksum is wrong are ignored.
// - With the framed upgrade (scenario "framed-upgrade"), modes 1-12 exist
//   and command 0xF8 takes firmware: {0x00} then 128 descriptor bytes and
//   their CRC-32; {0x01, F, length} then the data (and its CRC-32 when F is
//   1); {0x01, F, length, 24-bit chunk} then each chunk (and its CRC-32); each
//   answers status 0, or 0xFE for a wrong checksum or a rejected chunk;
//   {0x04} and {0x03} answer 50 ms as 3 bytes; {0x02} programs (status 0).
// - The bootloader acknowledges every S-record line (S0-S9) whose checksum
//   is right with 'P' ('F' otherwise) and keeps it.
// - With a file system (scenario "files"), text commands with quoted names
//   (backslash escapes undone): "DIRS xxxx" answers "%08X;" and the listing
//   "name,size;" of every file; "LOAD" answers the 4-byte little-endian
//   length and the file (length 0 when missing) instead of a line; "SAVE"
//   answers "OK", then takes a 4-byte length and that many bytes and answers
//   "y\r"; "DELF" and "MOVF" answer "OK" or "?"; "RLGI user; password[;
//   key]" answers "user;rights" (";rights" for the nameless account) or "?"
//   when the password, or a given key, is wrong; "RLGO" answers "OK".

#include "tests/simulator/BootLine.h"
#include "tests/simulator/TerrionScenario.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace TerrionTest
{

enum NTerrionState : int
{
    tsApplication = 0,
    tsMemoryAccess = 1,
    tsBootloader = 2,
};

class CTerrionInstrument
{
public:
    explicit CTerrionInstrument(const CTerrionScenario& scenario);

    /// Takes one byte from the host; appends the reply to out. Sets
    /// dropPending when output still waiting to be sent must be dropped.
    void Feed(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending);

    NTerrionState State() const { return m_nState; }
    void SetState(NTerrionState state) { m_nState = state; }
    bool CrLfReplies() const { return m_bCrLf; }

    /// Inserts the letters a-d into dumps (after every 8 bytes), as the
    /// instrument's busy markers that the host must skip.
    void SetDumpMarkers(bool on) { m_bDumpMarkers = on; }
    /// Every write checksum is taken as wrong: writes answer 'f'.
    void SetRejectWrites(bool on) { m_bRejectWrites = on; }

    const std::vector<std::uint8_t>& Memory() const { return m_memory; }
    const std::map<std::string, std::vector<std::uint8_t>>& Files() const { return m_files; }
    /// A byte as a dump shows it (0x021A/0x021B follow the settings block).
    std::uint8_t ReadByte(std::uint16_t address) const;

    int EraseCount() const { return m_nEraseCount; }
    int DeleteAllCount() const { return m_nDeleteAllCount; }
    int WriteCount() const { return m_nWriteCount; }
    int RejectedCount() const { return m_nRejectedCount; }

    /// What an upgrade has left: descriptors, whole blocks transferred,
    /// programming runs, S-records taken, the operation mode.
    const std::vector<std::vector<std::uint8_t>>& Descriptors() const { return m_descriptors; }
    const std::vector<std::vector<std::uint8_t>>& Blocks() const { return m_blocks; }
    int ProgramCount() const { return m_nProgramCount; }
    const std::vector<std::string>& SRecords() const { return m_sRecords; }
    int Mode() const { return m_nMode; }
    /// The next count chunks are answered with a failure status.
    void RejectChunks(int count) { m_nRejectChunks = count; }

private:
    void FeedApplication(std::uint8_t byte, std::vector<std::uint8_t>& out);
    void FeedMemoryAccess(std::uint8_t byte, std::vector<std::uint8_t>& out, bool& dropPending);
    void FeedBootloader(std::uint8_t byte, std::vector<std::uint8_t>& out);
    void RunText(std::vector<std::uint8_t>& out);
    void RunFrame(std::vector<std::uint8_t>& out);
    void Dump(std::uint32_t count, std::vector<std::uint8_t>& out);
    void StoreByte(std::uint16_t address, std::uint8_t value);
    std::string TextAnswer(const std::string& command);
    /// The file system's answer to a text command; false when it is not one of its commands.
    bool FileAnswer(const std::string& command, std::vector<std::uint8_t>& out);
    void FeedFileData(std::uint8_t byte, std::vector<std::uint8_t>& out);
    void RunTransfer(const std::uint8_t* data, std::size_t count, std::vector<std::uint8_t>& out);
    void FeedTransferData(std::uint8_t byte, std::vector<std::uint8_t>& out);
    std::vector<std::string> IdentificationFields() const;

    enum NParse : int
    {
        psIdle = 0,
        psText = 1,
        psFrame = 2,
        psFileData = 3, ///< a SAVE's length and bytes
        psTransfer = 4, ///< firmware bytes after a 0xF8 frame
    };
    enum NTransfer : int
    {
        trDescriptor = 0,
        trWhole = 1,
        trChunks = 2,
    };

    CTerrionScenario m_scenario;
    std::vector<std::uint8_t> m_memory;
    NTerrionState m_nState = tsApplication;
    bool m_bCrLf = false;
    bool m_bDumpMarkers = false;
    bool m_bRejectWrites = false;

    NParse m_nParse = psIdle;
    std::string m_strText;
    std::vector<std::uint8_t> m_frame;
    std::size_t m_nFrameLength = 0;

    std::string m_strDigits;
    std::uint16_t m_nAddress = 0;
    CBootLine m_bootLine{600};

    int m_nMode = 12;
    NTransfer m_nTransfer = trDescriptor;
    bool m_bTransferChecksum = false;
    std::uint32_t m_nTransferLength = 0;
    std::uint32_t m_nChunk = 0;
    std::vector<std::uint8_t> m_transferBlock; ///< the block so far
    std::vector<std::uint8_t> m_transferPiece; ///< the piece being received, checksum included
    int m_nRejectChunks = 0;
    std::vector<std::vector<std::uint8_t>> m_descriptors;
    std::vector<std::vector<std::uint8_t>> m_blocks;
    int m_nProgramCount = 0;
    std::vector<std::string> m_sRecords;

    std::map<std::string, std::vector<std::uint8_t>> m_files;
    std::string m_strSaveName;
    std::vector<std::uint8_t> m_saveData;
    std::uint32_t m_nSaveLength = 0;

    int m_nEraseCount = 0;
    int m_nDeleteAllCount = 0;
    int m_nWriteCount = 0;
    int m_nRejectedCount = 0;
};

} // namespace TerrionTest

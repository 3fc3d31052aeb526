#pragma once
// The bootloader text lines of the other instruments and the exchanges built
// on them. Each line is 'S', a letter, "03", two data bytes as hex, the
// checksum 0xFF - (3 + byte1 + byte2) and CR LF.

#include <cstdint>
#include <string>

namespace Device
{

class CVnDevice;
struct SBlockDescriptor;

class CBootLines
{
public:
    static constexpr const char* kEnterTarget1 = "SC030102F9\r\n"; ///< reply 'G'
    static constexpr const char* kLeaveTarget1 = "SC030100FB\r\n"; ///< reply 'G'
    static constexpr const char* kEnterTarget2 = "SC030202F8\r\n"; ///< reply 'G'
    static constexpr const char* kLeaveTarget2 = "SC030200FA\r\n"; ///< reply 'G'
    static constexpr const char* kKeepAlive = "SC030000FC\r\n";    ///< no reply
    static constexpr const char* kIdentify = "SI030000FC\r\n";     ///< the identification text follows
    static constexpr const char* kErase = "SE030000FC\r\n";        ///< reply 'E'
    static constexpr const char* kExit = "SX030000FC\r\n";         ///< reply 'X'
    /// Most bytes a bootloader's identification block holds.
    static constexpr int kAnswerMax = 66;

    /// True when the device has an open stream and a command object.
    static bool IsReady(const CVnDevice& device);
    /// Sends a line; with expected != 0 the reply byte must equal it. Lets
    /// stream exceptions through.
    static bool Send(CVnDevice& device, const char* line, char expected);
    /// Sends the identify line and reads the answer (more than 3 bytes, at
    /// most kAnswerMax). Lets stream exceptions through.
    static bool ReadIdentification(CVnDevice& device, std::string& out);

    // Pieces of the upgrade steps; each returns 0 or an NError_code and
    // catches the stream's exceptions.
    /// Raises both time-outs to at least minimumMs: 6 when they cannot be read or set.
    static int RaiseTimeouts(CVnDevice& device, int minimumMs);
    /// The application's switch to its bootloader (a framed command with its
    /// data), then keepAlives times: 50 ms and the keep-alive line. 5 on failure.
    static int EnterBootloader(CVnDevice& device, std::uint8_t command, const std::uint8_t* data, int n,
                               int keepAlives);
    /// The erase line with both time-outs at 15,000 ms; the time-outs in
    /// force before are set again. 6 on failure.
    static int Erase(CVnDevice& device);
    /// A block's S-record text from the package stream to the bootloader,
    /// after its sub-header (16..512 bytes); a block of another kind is
    /// skipped in the package. 0, 1 (bad block), 3 (refused) or 9 (aborted).
    static int SendBlockRecords(CVnDevice& device, const SBlockDescriptor& block, bool aborted);
};

} // namespace Device

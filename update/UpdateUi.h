#pragma once
// What the update services need from the user interface. The GUI implements
// it (posting to its windows); tests fake it. Every call may come from a
// worker thread, so an implementation only queues what it is given.

#include "resources/MessageKind.h"
#include "streams/Version.h"

#include <cstdint>
#include <string>

namespace Update
{

/// How a download ended.
enum class NDownloadResult : int
{
    Done = 0,      ///< the installer is complete under its final name
    Failed = 1,    ///< nothing is left on disk
    Cancelled = 2, ///< nothing is left on disk
};

/// An installer on the server.
struct SInstaller
{
    std::wstring name;
    std::uint64_t size = 0;
    CVersion version;
};

class CUpdateUi
{
public:
    virtual ~CUpdateUi() = default;

    /// A version result for the main frame: messageId is the window message
    /// the caller chose (0x410 program, 0x411 firmware); version 0 means
    /// nothing newer was found.
    virtual void PostVersion(unsigned /*messageId*/, const CVersion& /*version*/) {}
    /// A message box: a failure of the FTP client or the firmware reminder.
    virtual void ShowMessage(const std::wstring& /*text*/, Resources::NMessageKind /*kind*/) {}
    /// The search's connection attempt ended; errorText is the client's text.
    virtual void OnSearchConnected(bool /*connected*/, const std::wstring& /*errorText*/) {}
    /// The search's listing ended: listed is false when it failed; found tells
    /// whether installer holds a newer version.
    virtual void OnSearchFinished(bool /*listed*/, bool /*found*/, const SInstaller& /*installer*/) {}
    /// Bytes of the installer written so far of total.
    virtual void OnDownloadProgress(std::uint64_t /*bytes*/, std::uint64_t /*total*/) {}
    /// The download's end; text is the error to show (never empty on failure).
    virtual void OnDownloadFinished(NDownloadResult /*result*/, const std::wstring& /*text*/) {}
};

/// Packs a version as the two message parameters: wParam = (minor << 16) |
/// major, lParam = (revision << 16) | build.
struct SPackedVersion
{
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;

    static SPackedVersion Pack(const CVersion& version)
    {
        SPackedVersion packed;
        packed.wParam = (static_cast<std::uint32_t>(version.GetPart(1)) << 16) | version.GetPart(0);
        packed.lParam = (static_cast<std::uint32_t>(version.GetPart(3)) << 16) | version.GetPart(2);
        return packed;
    }

    CVersion Unpack() const
    {
        return CVersion(static_cast<std::uint16_t>(wParam & 0xFFFF), static_cast<std::uint16_t>(wParam >> 16),
                        static_cast<std::uint16_t>(lParam & 0xFFFF),
                        static_cast<std::uint16_t>(lParam >> 16));
    }
};

} // namespace Update

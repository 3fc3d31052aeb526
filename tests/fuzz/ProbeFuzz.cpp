// Fuzzes the HID probe's control and data channels over a device that
// answers from the input: the report lengths at open, then a run of reads,
// writes, flushes and purges whose sizes come from the input, each meeting
// the reports the input holds next. A read never hands out more than was
// asked, nor anything from beyond a report.

#include "streams/FileException.h"
#include "streams/UsbHostProbeControl.h"
#include "streams/UsbHostProbeData.h"
#include "tests/fuzz/FuzzHidTransport.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

using TerrionFuzz::CFuzzHidTransport;
using TerrionFuzz::CFuzzInput;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

const bool g_installed = []
{
    CFuzzHidTransport::Install();
    return true;
}();

constexpr const wchar_t* kPath = L"/dev/hidraw-fuzz";

template <class TChannel> void Open(TChannel& channel)
{
    try
    {
        if (channel.Open(kPath, StreamIO::ofRead | StreamIO::ofWrite))
        {
            // No waiting: a report that is not there now counts as late.
            channel.SetTimeouts(0, 0);
            channel.SetPollInterval(0);
        }
    }
    catch (const StreamIO::CFileException&)
    {
    }
}

void Step(CFuzzInput& input, StreamIO::CUsbHostProbeControl& control, StreamIO::CUsbHostProbeData& data)
{
    const std::uint8_t op = input.Byte();
    const int length = input.Byte() % 72;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(length) + 1, 0xA5);
    switch (op % 6)
    {
    case 0:
    case 1:
    {
        const int got = control.Read(buffer.data(), length);
        Check(got >= 0 && got <= length && buffer[static_cast<std::size_t>(length)] == 0xA5);
        Check(control.GetReportLength() == 0 || got <= control.GetReportLength() - 3);
        break;
    }
    case 2:
    {
        const int sent = control.Write(buffer.data(), length);
        Check(sent == 0 || sent == length);
        break;
    }
    case 3:
    {
        const int got = data.Read(buffer.data(), length);
        Check(got >= 0 && got <= length && buffer[static_cast<std::size_t>(length)] == 0xA5);
        Check(data.GetLastSequence() >= 0 && data.GetLastSequence() <= 7);
        break;
    }
    case 4:
        control.Flush();
        break;
    default:
        (op & 0x80) != 0 ? data.PurgeInput() : control.PurgeInput();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static_cast<void>(g_installed);
    CFuzzInput input(bytes, size);
    CFuzzHidTransport::Use(&input);
    {
        StreamIO::CUsbHostProbeControl control;
        StreamIO::CUsbHostProbeData data;
        Open(control);
        Open(data);
        // A device that fails a request ends the steps: the channels throw it.
        try
        {
            while (!input.Empty())
                Step(input, control, data);
        }
        catch (const StreamIO::CFileException&)
        {
        }
        data.CloseNoThrow();
        control.CloseNoThrow();
    }
    CFuzzHidTransport::Use(nullptr);
    return 0;
}

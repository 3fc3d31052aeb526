#pragma once
// The one owner of the open HID probe devices. Each device is opened once
// and shared between its two channels, the control channel (1) and the data
// channel (2); each channel has at most one user.

#include "streams/HidTransport.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace StreamIO
{

class CUsbHostProbeManager
{
public:
    enum NChannel : int
    {
        chControl = 1,
        chData = 2,
    };
    using TTransportFactory = std::function<std::unique_ptr<CHidTransport>()>;

    static CUsbHostProbeManager& Instance();

    /// Opens the device for a channel: 0, 50 when the channel is in use, or
    /// the device's open error.
    int Open(const std::wstring& path, NChannel channel, std::shared_ptr<CHidTransport>& transport);
    /// The channel's user goes; the device closes with its last user.
    void Close(const std::wstring& path, NChannel channel);
    /// The device a channel holds, or null.
    std::shared_ptr<CHidTransport> GetHandle(const std::wstring& path, NChannel channel);

    /// Replaces the hidapi transport (tests); null restores it.
    void SetTransportFactory(TTransportFactory factory);

private:
    CUsbHostProbeManager() = default;

    struct SDeviceData
    {
        std::shared_ptr<CHidTransport> transport;
        bool users[2] = {false, false};
    };

    std::mutex m_lock;
    std::map<std::wstring, SDeviceData> m_devices;
    TTransportFactory m_factory;
};

/// The paths of the maker's HID probes that are present; 0 (none is no error).
int EnumHidProbeDevicePaths(std::vector<std::wstring>& paths);
int EnumProbeDevices(std::vector<std::wstring>& paths);

} // namespace StreamIO

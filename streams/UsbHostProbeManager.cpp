#include "streams/UsbHostProbeManager.h"

#include "streams/HidApiTransport.h"
#include "streams/MakerUsbIds.h"
#include "streams/TextCodec.h"
#include "streams/Win32Error.h"

namespace StreamIO
{

CUsbHostProbeManager& CUsbHostProbeManager::Instance()
{
    // Never destroyed: a channel closed during static destruction still finds it.
    static CUsbHostProbeManager* manager = new CUsbHostProbeManager;
    return *manager;
}

void CUsbHostProbeManager::SetTransportFactory(TTransportFactory factory)
{
    std::lock_guard guard(m_lock);
    m_factory = std::move(factory);
}

int CUsbHostProbeManager::Open(const std::wstring& path, NChannel channel,
                               std::shared_ptr<CHidTransport>& transport)
{
    const std::size_t slot = channel == chControl ? 0 : 1;
    std::lock_guard guard(m_lock);
    auto found = m_devices.find(path);
    if (found == m_devices.end())
    {
        std::shared_ptr<CHidTransport> opened =
            m_factory ? std::shared_ptr<CHidTransport>(m_factory()) : std::make_shared<CHidApiTransport>();
        if (!opened)
            return errFileNotFound;
        const int error = opened->Open(CTextCodec::ToUtf8(path));
        if (error != 0)
            return error;
        found = m_devices.emplace(path, SDeviceData{opened, {false, false}}).first;
    }
    if (found->second.users[slot])
        return errNotSupported;
    found->second.users[slot] = true;
    transport = found->second.transport;
    return 0;
}

void CUsbHostProbeManager::Close(const std::wstring& path, NChannel channel)
{
    std::shared_ptr<CHidTransport> last;
    {
        std::lock_guard guard(m_lock);
        const auto found = m_devices.find(path);
        if (found == m_devices.end())
            return;
        found->second.users[channel == chControl ? 0 : 1] = false;
        if (found->second.users[0] || found->second.users[1])
            return;
        last = std::move(found->second.transport);
        m_devices.erase(found);
    }
    last->Close(); // outside the lock: closing may wait on the device
}

std::shared_ptr<CHidTransport> CUsbHostProbeManager::GetHandle(const std::wstring& path, NChannel channel)
{
    std::lock_guard guard(m_lock);
    const auto found = m_devices.find(path);
    if (found == m_devices.end() || !found->second.users[channel == chControl ? 0 : 1])
        return nullptr;
    return found->second.transport;
}

int EnumHidProbeDevicePaths(std::vector<std::wstring>& paths)
{
    paths.clear();
    for (const std::string& path : CHidApiTransport::Enumerate(kMakerUsbVendorId))
        paths.push_back(CTextCodec::FromUtf8(path));
    return 0;
}

int EnumProbeDevices(std::vector<std::wstring>& paths)
{
    return EnumHidProbeDevicePaths(paths);
}

} // namespace StreamIO

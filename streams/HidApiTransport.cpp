#include "streams/HidApiTransport.h"

#include "streams/Win32Error.h"

#include <cerrno>
#include <hidapi/hidapi.h>

namespace StreamIO
{
namespace
{

constexpr int kLargestReport = 65; // 64 bytes and the report id

} // namespace

CHidApiTransport::~CHidApiTransport()
{
    Close();
}

std::vector<std::string> CHidApiTransport::Enumerate(std::uint16_t vendorId)
{
    std::vector<std::string> paths;
    if (hid_init() != 0)
        return paths;
    hid_device_info* list = hid_enumerate(vendorId, 0);
    for (const hid_device_info* device = list; device != nullptr; device = device->next)
    {
        if (device->path != nullptr)
            paths.emplace_back(device->path);
    }
    hid_free_enumeration(list);
    return paths;
}

int CHidApiTransport::Open(const std::string& path)
{
    if (m_pDevice != nullptr)
        return errNotSupported;
    if (hid_init() != 0)
        return errFileNotFound;
    errno = 0;
    m_pDevice = hid_open_path(path.c_str());
    if (m_pDevice == nullptr)
        return errno == EACCES ? errAccessDenied : errFileNotFound;
    return 0;
}

void CHidApiTransport::Close()
{
    if (m_pDevice != nullptr)
        hid_close(m_pDevice);
    m_pDevice = nullptr;
}

int CHidApiTransport::FeatureReportLength()
{
    // hidraw gives no capabilities here: the length of a report read is the length.
    unsigned char report[kLargestReport] = {};
    if (m_pDevice == nullptr)
        return 0;
    const int got = hid_get_feature_report(m_pDevice, report, sizeof report);
    return got < 0 ? 0 : got;
}

bool CHidApiTransport::GetFeature(unsigned char* report, int length)
{
    return m_pDevice != nullptr && length > 0 &&
           hid_get_feature_report(m_pDevice, report, static_cast<std::size_t>(length)) >= 0;
}

bool CHidApiTransport::SetFeature(const unsigned char* report, int length)
{
    return m_pDevice != nullptr && length > 0 &&
           hid_send_feature_report(m_pDevice, report, static_cast<std::size_t>(length)) == length;
}

int CHidApiTransport::ReadInput(unsigned char* report, int length, int timeoutMs)
{
    if (m_pDevice == nullptr || length < 2)
        return -1;
    // hidapi leaves the id of an unnumbered report out: put a 0 in its place.
    report[0] = 0;
    const int got = hid_read_timeout(m_pDevice, report + 1, static_cast<std::size_t>(length - 1), timeoutMs);
    return got <= 0 ? got : got + 1;
}

} // namespace StreamIO

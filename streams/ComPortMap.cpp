#include "streams/ComPortMap.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/serial.h>
#include <map>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StreamIO
{
namespace
{

std::mutex& MapLock()
{
    static std::mutex lock;
    return lock;
}

std::map<int, std::string>& Mappings()
{
    static std::map<int, std::string> map;
    return map;
}

std::string DefaultPath(int port)
{
    struct Range
    {
        int first;
        const char* prefix;
    };
    static constexpr Range kRanges[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
    for (const Range& range : kRanges)
    {
        if (port >= range.first && port < range.first + 32)
            return range.prefix + std::to_string(port - range.first);
    }
    return {};
}

bool IsPlatformUartNode(const std::string& path)
{
    return path.rfind("/dev/ttyS", 0) == 0;
}

} // namespace

std::string CComPortMap::ResolvePath(int port)
{
    if (port < kFirstPort || port > kLastPort)
        return {};
    {
        std::lock_guard guard(MapLock());
        auto it = Mappings().find(port);
        if (it != Mappings().end())
            return it->second;
    }
    const std::string variable = "TERRIONLINK_COM" + std::to_string(port);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0')
        return value;
    return DefaultPath(port);
}

bool CComPortMap::IsPresent(int port)
{
    const std::string path = ResolvePath(port);
    struct stat info
    {
    };
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY || errno == EACCES; // there, but held or locked
    bool present = isatty(fd) != 0;
    if (present && IsPlatformUartNode(path))
    {
        serial_struct serial{};
        present = ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type != PORT_UNKNOWN;
    }
    close(fd);
    return present;
}

std::vector<int> CComPortMap::ListPresent()
{
    std::vector<int> ports;
    for (int port = kFirstPort; port <= kLastPort; ++port)
    {
        if (IsPresent(port))
            ports.push_back(port);
    }
    return ports;
}

void CComPortMap::SetMapping(int port, const std::string& path)
{
    std::lock_guard guard(MapLock());
    if (path.empty())
        Mappings().erase(port);
    else
        Mappings()[port] = path;
}

void CComPortMap::ClearMappings()
{
    std::lock_guard guard(MapLock());
    Mappings().clear();
}

} // namespace StreamIO

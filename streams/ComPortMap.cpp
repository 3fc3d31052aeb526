#include "streams/ComPortMap.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sys/stat.h>

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

constexpr const char* kSysClassTty = "/sys/class/tty";

// The explicit entry of a port, or an empty string.
std::string ExplicitPath(int port)
{
    {
        std::lock_guard guard(MapLock());
        auto it = Mappings().find(port);
        if (it != Mappings().end())
            return it->second;
    }
    const std::string variable = "TERRIONLINK_COM" + std::to_string(port);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0')
        return value;
    return {};
}

bool PathExists(const std::string& path)
{
    struct stat info
    {
    };
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

} // namespace

std::string CComPortMap::ResolvePath(int port)
{
    if (port < kFirstPort || port > kLastPort)
        return {};
    std::string path = ExplicitPath(port);
    return path.empty() ? DefaultPath(port) : path;
}

bool CComPortMap::IsPresent(int port)
{
    if (port < kFirstPort || port > kLastPort)
        return false;
    const std::string mapped = ExplicitPath(port);
    if (!mapped.empty())
        return PathExists(mapped);
    const std::string path = DefaultPath(port);
    struct stat info
    {
    };
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    return IsPublishedTty(kSysClassTty, path.substr(path.rfind('/') + 1));
}

bool CComPortMap::IsPublishedTty(const std::string& classDir, const std::string& name)
{
    const std::string dir = classDir + "/" + name;
    struct stat info
    {
    };
    if (name.empty() || stat(dir.c_str(), &info) != 0)
        return false;
    // The 8250 driver publishes ttyS0-ttyS3 (or more) whether or not a UART
    // answers there; its "type" attribute says which one was found.
    if (name.rfind("ttyS", 0) != 0)
        return true;
    std::ifstream typeFile(dir + "/type");
    int type = 0;
    return typeFile >> type && type != 0;
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

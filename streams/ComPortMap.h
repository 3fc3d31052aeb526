#pragma once
// Where "COMn:" lives on this machine. The rule, in order:
//  1. an explicit entry: SetMapping() in this process, else the environment
//     variable TERRIONLINK_COM<n> (for example TERRIONLINK_COM5=/dev/pts/3);
//  2. the default table: COM1-COM32 are /dev/ttyS0-31, COM33-COM64 are
//     /dev/ttyUSB0-31, COM65-COM96 are /dev/ttyACM0-31; higher numbers have
//     no default.
// A port is present when its device node exists and is a terminal; a
// /dev/ttyS node that reports no UART behind it is not a port.

#include <mutex>
#include <string>
#include <vector>

namespace StreamIO
{

class CComPortMap
{
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 256;

    /// The device path of a port, or an empty string when it maps nowhere.
    static std::string ResolvePath(int port);
    /// True when the port's device exists and is a serial port.
    static bool IsPresent(int port);
    /// The numbers of every present port, ascending.
    static std::vector<int> ListPresent();

    /// Maps a port explicitly in this process; an empty path removes the entry.
    static void SetMapping(int port, const std::string& path);
    static void ClearMappings();
};

} // namespace StreamIO

#pragma once
// Where "COMn:" lives on this machine. The rule, in order:
//  1. an explicit entry: SetMapping() in this process, else the environment
//     variable TERRIONLINK_COM<n> (for example TERRIONLINK_COM5=/dev/pts/3);
//  2. the default table: COM1-COM32 are /dev/ttyS0-31, COM33-COM64 are
//     /dev/ttyUSB0-31, COM65-COM96 are /dev/ttyACM0-31; higher numbers have
//     no default.
// Whether a port is present is decided without opening it: opening a tty
// pulses DTR and RTS, and instruments that reset on DTR would still be
// starting when the probe arrives. A port from the default table is present
// when the kernel publishes its tty in /sys/class/tty (a ttyS one with a
// known UART type) and its device node exists; an explicitly mapped port is
// present when its path exists.

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
    /// True when the port is there to be opened (see above); never opens it.
    static bool IsPresent(int port);
    /// The kernel's view of a tty: classDir/name exists, and for a ttyS name
    /// classDir/name/type holds a UART type other than 0 (unknown). classDir
    /// is /sys/class/tty in the program.
    static bool IsPublishedTty(const std::string& classDir, const std::string& name);
    /// The numbers of every present port, ascending.
    static std::vector<int> ListPresent();

    /// Maps a port explicitly in this process; an empty path removes the entry.
    static void SetMapping(int port, const std::string& path);
    static void ClearMappings();
};

} // namespace StreamIO

#pragma once
// One device search: tries the candidate ports of a request, identifies the
// instrument on each and hands every instrument found to the callback.
//
// Serial: one port, or every present port from COM1 up (ports are found
// through CComPortMap; numbers that map to no serial port are passed over
// without a word). Each candidate gets the status text
//   "Search <display name> device on Serial COM<n>:..."
// then CR LF and "could not open port.", "No device of the required type
// found." or " <type name>   Serial: <serial number>". A scan stops at the
// first instrument when asked to. USB tries every present device of the
// maker (HID probes for the Brivonta, bulk USB for the others); Ethernet
// tries "IP:<address>:3728".
//
// Nothing is reported once the abort poll says so; an instrument found then is
// deleted. Unless aborted, the search ends with OnDeviceFound(nullptr).

#include "device/Callback.h"
#include "device/DeviceThread.h"

#include <functional>
#include <memory>
#include <string>

namespace StreamIO
{
class CIoStream;
}

namespace Device
{

class CVnDevice;

class CDeviceSearch
{
public:
    /// Asked before every report and at the end of each serial pass.
    using TAbortTest = std::function<bool()>;
    /// Told which stream the search is blocked on (null: none), so that an
    /// abort from another thread can wake it.
    using TStreamWatch = std::function<void(StreamIO::CIoStream*)>;

    /// The port number above which a serial scan does not look.
    static constexpr int kLastComPort = 256;
    /// The network port of an instrument.
    static constexpr int kNetworkPort = 3728;

    CDeviceSearch(CCallback& callback, TAbortTest isAborted, TStreamWatch watchStream);

    void Run(const SSearchParams& params);

    /// The port text of a serial port: "Serial COM3:".
    static std::wstring SerialPortText(int port);

private:
    void SearchSerial(const SSearchParams& params);
    void SearchUsb();
    void SearchEthernet(const SSearchParams& params);
    /// Opens a candidate port; when that fails, adds "could not open port" to the status and reports it.
    std::unique_ptr<StreamIO::CIoStream>
    OpenOrReport(const std::function<std::unique_ptr<StreamIO::CIoStream>()>& open, std::wstring& status);
    /// Attaches an open stream to the driver and identifies; reports the
    /// result line and hands a found instrument over. True when found.
    bool IdentifyOn(std::unique_ptr<StreamIO::CIoStream> stream, NPorts portType, std::wstring& status);
    /// Opens serial port n and identifies; true when an instrument answered.
    bool ProbeSerialPort(int port);

    void ReportStatus(const std::wstring& text);
    void HandOver();
    void ReportEnd();
    std::wstring SearchText(const std::wstring& portText) const;

    CCallback& m_callback;
    TAbortTest m_isAborted;
    TStreamWatch m_watchStream;
    NTypes m_nType = typeNone;
    std::unique_ptr<CVnDevice> m_pDevice;
};

} // namespace Device

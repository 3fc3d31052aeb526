#include "device/DeviceSearch.h"

#include "device/VnDevice.h"
#include "streams/ComPortMap.h"
#include "streams/FileException.h"
#include "streams/Rs232Stream.h"
#include "streams/StreamFactory.h"
#include "streams/UsbHostProbeControl.h"
#include "streams/UsbHostStream.h"

#include <vector>

namespace Device
{
namespace
{

// The search's texts, as the instrument library has always shown them.
constexpr const wchar_t* kTextSerial = L"Serial";                                  // 20000
constexpr const wchar_t* kTextUsb = L"USB";                                        // 20001
constexpr const wchar_t* kTextEthernet = L"Ethernet";                              // 20002
constexpr const wchar_t* kTextCannotOpen = L"could not open port.";                // 20004
constexpr const wchar_t* kTextNoDevice = L"No device of the required type found."; // 20006
constexpr const wchar_t* kLineBreak = L"\r\n";

// 20007 " %s   Serial: %s"
std::wstring FoundText(const SDeviceInfo& info)
{
    return L" " + info.typeName + L"   Serial: " + info.serialNumber;
}

// Clears the watched stream when the probe is left, also by an exception, so
// an abort never reaches a stream that is gone.
class CStreamWatchGuard
{
public:
    explicit CStreamWatchGuard(const CDeviceSearch::TStreamWatch& watch) : m_watch(watch) {}
    ~CStreamWatchGuard() { m_watch(nullptr); }
    CStreamWatchGuard(const CStreamWatchGuard&) = delete;
    CStreamWatchGuard& operator=(const CStreamWatchGuard&) = delete;

private:
    const CDeviceSearch::TStreamWatch& m_watch;
};

} // namespace

CDeviceSearch::CDeviceSearch(CCallback& callback, TAbortTest isAborted, TStreamWatch watchStream)
    : m_callback(callback), m_isAborted(std::move(isAborted)), m_watchStream(std::move(watchStream))
{
}

std::wstring CDeviceSearch::SerialPortText(int port)
{
    return std::wstring(kTextSerial) + L" COM" + std::to_wstring(port) + L":";
}

void CDeviceSearch::Run(const SSearchParams& params)
{
    m_nType = params.nType;
    m_pDevice = CreateDevice(params.nType);
    if (!m_pDevice)
    {
        // No driver for that type: nothing to search with.
        ReportEnd();
        return;
    }
    switch (params.nPort)
    {
    case portSerial:
        SearchSerial(params);
        break;
    case portUsb:
        SearchUsb();
        break;
    case portEthernet:
        SearchEthernet(params);
        break;
    default:
        break;
    }
    ReportEnd();
    m_pDevice.reset();
}

void CDeviceSearch::SearchSerial(const SSearchParams& params)
{
    int port = 0;
    bool found = false;
    for (;;)
    {
        if (params.bScanAll)
        {
            ++port;
            // Port numbers with no serial port behind them are not candidates.
            if (port != params.nSkipPort && StreamIO::CComPortMap::IsPresent(port))
                found = ProbeSerialPort(port) || found;
        }
        else
        {
            port = params.nComPort;
            found = ProbeSerialPort(port);
        }
        if (m_isAborted() || port >= kLastComPort || !params.bScanAll || (params.bStopAfterFirst && found) ||
            !m_pDevice)
            break;
    }
}

bool CDeviceSearch::ProbeSerialPort(int port)
{
    std::wstring status = SearchText(SerialPortText(port));
    ReportStatus(status);

    std::unique_ptr<StreamIO::CIoStream> stream = OpenOrReport(
        [&]
        {
            return std::make_unique<StreamIO::CRs232Stream>(port, StreamIO::ofRead | StreamIO::ofWrite,
                                                            &m_pDevice->GetSerialSettings());
        },
        status);
    if (!stream)
        return false;
    return IdentifyOn(std::move(stream), portSerial, status);
}

void CDeviceSearch::SearchUsb()
{
    // One status text for the whole search; each path that cannot be opened adds a line.
    std::wstring status = SearchText(kTextUsb);
    ReportStatus(status);
    const bool probe = m_nType == typeBrivonta2;
    std::vector<std::wstring> paths;
    if ((probe ? StreamIO::EnumProbeDevices(paths) : StreamIO::EnumUsbHostDevices(paths)) != 0)
        return;
    for (const std::wstring& path : paths)
    {
        if (m_isAborted() || !m_pDevice)
            break;
        std::unique_ptr<StreamIO::CIoStream> stream;
        try
        {
            if (probe)
                stream = std::make_unique<StreamIO::CUsbHostProbeControl>();
            else
                stream = std::make_unique<StreamIO::CUsbHostStream>();
            if (!stream->Open(path, StreamIO::ofRead | StreamIO::ofWrite))
                stream.reset();
        }
        catch (const StreamIO::CFileException&)
        {
            stream.reset();
        }
        if (!stream)
        {
            status += kLineBreak;
            status += path;
            ReportStatus(status);
            continue;
        }
        IdentifyOn(std::move(stream), portUsb, status);
    }
}

void CDeviceSearch::SearchEthernet(const SSearchParams& params)
{
    std::wstring status = SearchText(std::wstring(kTextEthernet) + L" " + params.strIpAddress);
    ReportStatus(status);

    std::unique_ptr<StreamIO::CIoStream> stream = OpenOrReport(
        [&]
        {
            return StreamIO::CreateStream(L"IP:" + params.strIpAddress + L":" + std::to_wstring(kNetworkPort),
                                          StreamIO::ofRead | StreamIO::ofWrite);
        },
        status);
    if (!stream)
        return;
    IdentifyOn(std::move(stream), portEthernet, status);
}

std::unique_ptr<StreamIO::CIoStream>
CDeviceSearch::OpenOrReport(const std::function<std::unique_ptr<StreamIO::CIoStream>()>& open,
                            std::wstring& status)
{
    std::unique_ptr<StreamIO::CIoStream> stream;
    try
    {
        stream = open();
    }
    catch (const StreamIO::CFileException&)
    {
        stream.reset();
    }
    if (!stream || !stream->IsOpen())
    {
        status += kLineBreak;
        status += kTextCannotOpen;
        ReportStatus(status);
        return nullptr;
    }
    return stream;
}

bool CDeviceSearch::IdentifyOn(std::unique_ptr<StreamIO::CIoStream> stream, NPorts portType,
                               std::wstring& status)
{
    m_watchStream(stream.get());
    const CStreamWatchGuard watchGuard(m_watchStream);
    const bool attached = m_pDevice->Attach(stream.get(), portType);
    if (attached)
        static_cast<void>(stream.release()); // the driver owns it now

    SDeviceInfo info;
    const bool identified = attached && m_pDevice->Identify(info);
    status += kLineBreak;
    status += identified ? FoundText(info) : std::wstring(kTextNoDevice);
    ReportStatus(status);

    // The stream is about to be closed or to change hands: no abort may reach it.
    m_watchStream(nullptr);
    if (!identified)
    {
        if (attached)
            stream = m_pDevice->Detach();
        return false;
    }
    HandOver();
    return true;
}

void CDeviceSearch::ReportStatus(const std::wstring& text)
{
    if (!m_isAborted())
        m_callback.OnStatusText(text);
}

void CDeviceSearch::HandOver()
{
    if (m_isAborted())
        m_pDevice.reset();
    else
        m_callback.OnDeviceFound(std::move(m_pDevice));
    m_pDevice = CreateDevice(m_nType);
}

void CDeviceSearch::ReportEnd()
{
    if (!m_isAborted())
        m_callback.OnDeviceFound(nullptr);
}

std::wstring CDeviceSearch::SearchText(const std::wstring& portText) const
{
    // 20003 "Search %s device on %s..."
    return L"Search " + m_pDevice->GetDisplayName() + L" device on " + portText + L"...";
}

} // namespace Device

#include "device/DeviceSearch.h"

#include "device/VnDevice.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/ComPortMap.h"
#include "streams/FileException.h"
#include "streams/Rs232Stream.h"
#include "streams/StreamFactory.h"

namespace Device
{
namespace
{

using Resources::CStringTable;
using Resources::CTextFormat;
namespace Ids = Resources::Ids;

constexpr const wchar_t* kLineBreak = L"\r\n";

std::wstring FoundText(const SDeviceInfo& info)
{
    return CTextFormat::Format(Ids::kSearchFound, {info.typeName, info.serialNumber});
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
    return CStringTable::Text(Ids::kSearchSerial) + L" COM" + std::to_wstring(port) + L":";
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
    // The bulk-USB and HID probe transports are not built yet, so their
    // enumeration finds no path: the status text is all there is.
    ReportStatus(SearchText(CStringTable::Text(Ids::kSearchUsb)));
}

void CDeviceSearch::SearchEthernet(const SSearchParams& params)
{
    std::wstring status = SearchText(CStringTable::Text(Ids::kSearchEthernet) + L" " + params.strIpAddress);
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
        status += CStringTable::Text(Ids::kSearchCannotOpen);
        ReportStatus(status);
        return nullptr;
    }
    return stream;
}

bool CDeviceSearch::IdentifyOn(std::unique_ptr<StreamIO::CIoStream> stream, NPorts portType,
                               std::wstring& status)
{
    // A stream that cannot be attached is freed at once, so only an attached
    // one is ever watched.
    StreamIO::CIoStream* const port = stream.get();
    const bool attached = m_pDevice->Attach(std::move(stream), portType);
    if (attached)
        m_watchStream(port);
    const CStreamWatchGuard watchGuard(m_watchStream);

    SDeviceInfo info;
    const bool identified = attached && m_pDevice->Identify(info);
    status += kLineBreak;
    status += identified ? FoundText(info) : CStringTable::Text(Ids::kSearchNoDevice);
    ReportStatus(status);

    // The stream is about to be closed or to change hands: no abort may reach it.
    m_watchStream(nullptr);
    if (!identified)
    {
        if (attached)
            m_pDevice->Detach(); // closes the port
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
    return CTextFormat::Format(Ids::kSearchDevice, {m_pDevice->GetDisplayName(), portText});
}

} // namespace Device

#include "device/others/Brivonta2Device.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "device/others/UsbProbeDataChannel.h"
#include "streams/FileException.h"

#include <cwchar>

namespace Device
{

CBrivonta2Device::CBrivonta2Device()
    : CVnDevice(typeBrivonta2, L"Brivonta 3", portUsb, 8), m_pData(std::make_unique<CUsbProbeDataChannel>())
{
}

std::unique_ptr<CVnDevice> CBrivonta2Device::CreateInstance() const
{
    return std::make_unique<CBrivonta2Device>();
}

bool CBrivonta2Device::Identify(SDeviceInfo& info)
{
    if (!CBootLines::IsReady(*this))
        return false;
    std::wstring ignored;
    if (!GetCommands()->QueryIdentity(ignored))
        return false;
    std::string answer = CIdentAnswer::FillOnce(GetCommands()->GetReply());
    if (!answer.empty() && answer[0] == ';')
        answer.insert(0, "New Brivonta 3");
    std::wstring* const fields[] = {&m_ident.typeName, &m_ident.firmwareVersion, &m_ident.serialNumber,
                                    &m_ident.signature, &m_ident.hardwareRevision};
    if (!CIdentAnswer::Split(answer, fields, true))
        return false;
    static_cast<SDeviceInfo&>(info) = static_cast<const SDeviceInfo&>(m_ident);
    std::uint32_t signature = 0;
    if (!CIdentAnswer::ParseSignature(m_ident.signature, signature))
        return false;
    return CIdentAnswer::AllSet({m_ident.firmwareVersion, m_ident.signature}) &&
           static_cast<int>(signature >> 24) == GetFamilyCode();
}

std::wstring CBrivonta2Device::GetInfoText()
{
    m_strInfoText = CIdentAnswer::InfoText(m_ident);
    return m_strInfoText;
}

bool CBrivonta2Device::GetContents(CContents& contents)
{
    if (m_ident.firmwareVersion.empty())
    {
        SDeviceInfo scratch;
        if (!Identify(scratch))
            return false;
    }
    contents.SetSingleFirmware(m_ident.firmwareVersion);
    return true;
}

bool CBrivonta2Device::QueryId(SDeviceInfo& info)
{
    if (GetCommands() == nullptr)
        return false;
    if (m_ident.typeName == kNewName)
    {
        static_cast<SDeviceInfo&>(info) = static_cast<const SDeviceInfo&>(m_ident);
        return true;
    }
    return GetCommands()->QueryId(info);
}

bool CBrivonta2Device::GetObjectInfo(SDeviceIdent& ident) const
{
    ident = m_ident;
    return true;
}

bool CBrivonta2Device::BuildSerialPacket(const std::wstring& serial,
                                         std::array<std::uint8_t, kPacketSize>& packet)
{
    packet.fill(0);
    int a = 0, b = 0, c = 0;
    if (std::swscanf(serial.c_str(), L"BV%2d-%3d-%4d", &a, &b, &c) != 3 || a < 0 || b < 0 || c < 0)
        return false;
    packet[0] = 0x90;
    packet[1] = static_cast<std::uint8_t>(a & 0xFF);
    packet[4] = static_cast<std::uint8_t>(b & 0xFF);
    packet[5] = static_cast<std::uint8_t>((b >> 8 & 0x03) | (c & 0x3F) << 2);
    packet[6] = static_cast<std::uint8_t>(c >> 6 & 0xFF);
    packet[7] = 0x70;
    return true;
}

bool CBrivonta2Device::GetSerialPacket(std::array<std::uint8_t, kPacketSize>& packet)
{
    packet.fill(0);
    SDeviceInfo scratch;
    return QueryId(scratch) && BuildSerialPacket(scratch.serialNumber, packet);
}

std::unique_ptr<StreamIO::CIoStream> CBrivonta2Device::Detach()
{
    if (m_pData != nullptr)
        m_pData->Close();
    return CVnDevice::Detach();
}

void CBrivonta2Device::SetDataChannel(std::unique_ptr<CProbeDataChannel> channel)
{
    m_pData = std::move(channel);
}

bool CBrivonta2Device::ReadInputReport(std::span<std::uint8_t, kReportSize> report, int& sequence,
                                       int timeoutMs)
{
    if (!CBootLines::IsReady(*this) || m_pData == nullptr)
        return false;
    try
    {
        if (!m_pData->IsOpen())
        {
            if (!m_pData->Open(GetPortName()))
                return false;
            m_pData->PurgeInput();
        }
        if (!m_pData->SetTimeouts(timeoutMs, timeoutMs))
            return false;
        if (m_pData->Read(report.data(), static_cast<int>(report.size())) != static_cast<int>(report.size()))
            return false;
        sequence = m_pData->GetLastSequence();
        return true;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

} // namespace Device

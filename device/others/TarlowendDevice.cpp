#include "device/others/TarlowendDevice.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "device/others/ListeningDecoder.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileException.h"

namespace Device
{

CTarlowendDevice::CTarlowendDevice() : CVnDevice(typeTarlowend, L"Tarlowend", portSerial, 0)
{
    m_serialSettings.baud = 9600;
    m_serialSettings.handshake = 0;
    m_serialSettings.readTimeout = 1500;
    m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CVnDevice> CTarlowendDevice::CreateInstance() const
{
    return std::make_unique<CTarlowendDevice>();
}

bool CTarlowendDevice::Identify(SDeviceInfo&)
{
    if (!CBootLines::IsReady(*this))
        return false;
    try
    {
        if (!GetStream()->SetTimeouts(2000, 1000))
            return false;
        GetStream()->PurgeInput();
        CListeningDecoder decoder;
        for (int i = 0; i < kListenBytes; ++i)
        {
            std::uint8_t byte = 0;
            if (GetStream()->Read(&byte, 1) != 1)
                return false;
            const CListeningDecoder::NResult result = decoder.Feed(byte);
            if (result == CListeningDecoder::lrIdentified)
                return true;
            if (result == CListeningDecoder::lrEnded)
                return false;
        }
        return false;
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

std::wstring CTarlowendDevice::GetInfoText()
{
    m_strInfoText = CIdentAnswer::Format(Resources::CStringTable::Text(Resources::Ids::kDeviceInfo),
                                         {m_ident.typeName, m_ident.serialNumber, m_ident.firmwareVersion,
                                          m_ident.hardwareRevision, m_ident.signature});
    return m_strInfoText;
}

bool CTarlowendDevice::GetContents(CContents&)
{
    return false;
}

bool CTarlowendDevice::QueryId(SDeviceInfo&)
{
    return false;
}

bool CTarlowendDevice::GetObjectInfo(SDeviceIdent& ident) const
{
    ident = m_ident;
    return true;
}

bool CTarlowendDevice::IdentifyBootloader(std::string&)
{
    return false;
}

} // namespace Device

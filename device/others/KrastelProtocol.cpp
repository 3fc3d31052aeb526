#include "device/others/KrastelProtocol.h"

#include "device/others/BootLines.h"
#include "device/others/IdentAnswer.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileException.h"

namespace Device
{

bool CKrastelProtocol::Identify(CVnDevice& device, SDeviceIdentEx& ident, SDeviceInfo& info, bool modelNames)
{
    if (!CBootLines::IsReady(device))
        return false;
    std::wstring ignored;
    if (!device.GetCommands()->QueryIdentity(ignored))
        return false;
    std::wstring* const fields[] = {&ident.typeName,  &ident.hardwareRevision, &ident.serialNumber,
                                    &ident.signature, &ident.firmwareVersion,  &ident.bootloaderVersion};
    if (!CIdentAnswer::Split(CIdentAnswer::FillOnce(device.GetCommands()->GetReply()), fields, true))
        return false;
    if (modelNames)
        ident.typeName = ModelName(ident.typeName);
    static_cast<SDeviceInfo&>(info) = static_cast<const SDeviceInfo&>(ident);
    std::uint32_t signature = 0;
    if (!CIdentAnswer::ParseSignature(ident.signature, signature))
        return false;
    return CIdentAnswer::AllSet({ident.typeName, ident.firmwareVersion, ident.serialNumber,
                                 ident.hardwareRevision, ident.signature}) &&
           static_cast<int>(signature >> 24) == device.GetFamilyCode();
}

std::wstring CKrastelProtocol::ModelName(const std::wstring& type)
{
    static constexpr struct
    {
        const wchar_t* key;
        const wchar_t* name;
    } kModels[] = {
        {L"MEZZETA", L"Halvint Mezzeta 1"},
        {L"TOLLERY", L"Halvint Tollery 1"},
        {L"Mezze2 ", L"Halvint Mezzeta 2"},
        {L"Tolle2 ", L"Halvint Tollery 2"},
    };
    std::wstring result = type;
    for (const auto& model : kModels)
        if (result == model.key)
            result = model.name;
    return result;
}

int CKrastelProtocol::UnframedCommand(CVnDevice& device, std::uint8_t command, int n,
                                      const std::uint8_t* data, int timeoutMs)
{
    constexpr int kFailure = 252;
    StreamIO::CIoStream* stream = device.GetStream();
    if (stream == nullptr || data == nullptr || n < 0)
        return kFailure;
    try
    {
        stream->PurgeInput();
        stream->WriteByte(0xC1);
        stream->WriteByte(command);
        if (!stream->SetTimeouts(timeoutMs, timeoutMs))
            return kFailure;
        if (stream->Write(data, n) != n)
            return kFailure;
        std::uint8_t reply = 0;
        if (stream->Read(&reply, 1) != 1)
            return kFailure;
        return reply == 0 || reply >= 0xF0 ? reply : kFailure;
    }
    catch (const StreamIO::CFileException&)
    {
        return kFailure;
    }
}

bool CKrastelProtocol::ResetMode(CVnDevice& device)
{
    if (device.GetStream() == nullptr || device.GetCommands() == nullptr || !device.GetCommands()->Sync())
        return false;
    bool changed = false;
    device.GetCommands()->ChangeMode(kResetMode, &changed, nullptr, 100);
    return true;
}

bool CKrastelProtocol::GetContents(CVnDevice& device, SDeviceIdentEx& ident, CContents& contents)
{
    if (ident.firmwareVersion.empty())
    {
        SDeviceInfo scratch;
        if (!device.Identify(scratch))
            return false;
    }
    contents.m_entries.clear();
    SContentEntry application;
    application.flags = 1;
    application.secondByte = 1;
    application.type = 1;
    application.version = CVersion(ident.firmwareVersion);
    contents.m_entries.push_back(application);
    SContentEntry bootloader;
    bootloader.type = 3;
    bootloader.version = CVersion(ident.bootloaderVersion);
    contents.m_entries.push_back(bootloader);
    return true;
}

std::wstring CKrastelProtocol::InfoText(const SDeviceIdentEx& ident)
{
    return CIdentAnswer::Format(Resources::CStringTable::Text(Resources::Ids::kInfoDeviceIdentEx),
                                {ident.typeName, ident.serialNumber, ident.firmwareVersion,
                                 ident.hardwareRevision, ident.bootloaderVersion, ident.signature});
}

} // namespace Device

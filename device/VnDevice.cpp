#include "device/VnDevice.h"

#include "device/DeviceFactoryTable.h"
#include "device/DeviceThread.h"
#include "device/PackageHeader.h"
#include "device/TextReply.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/FileException.h"

#include <array>
#include <climits>
#include <cstdint>
#include <mutex>
#include <new>

namespace Device
{
namespace
{

constexpr int kTypeCount = 12;

constexpr const wchar_t* kTypeNames[kTypeCount] = {
    L"Halvint 3",  L"Halvint Mezzeta / Halvint Tollery",
    L"Aldermoor",  L"Saltrevane",
    L"Quenwick",   L"Brivonta 3",
    L"Wexley Lab", L"Terrion",
    L"Fulmetra",   L"KX-7",
    L"Platform",   L"Tarlowend",
};

using Resources::CStringTable;
namespace Ids = Resources::Ids;

std::wstring WithRestart(unsigned id)
{
    return CStringTable::Text(id) + CStringTable::Text(Ids::kUpgradeRestart);
}

std::wstring Text(unsigned id)
{
    return CStringTable::Text(id);
}

struct SRegistry
{
    std::mutex lock;
    std::array<TDeviceFactory, kTypeCount> factories{};

    SRegistry()
    {
        for (const SDeviceFactoryEntry& entry : GetBuiltInDeviceFactories())
        {
            if (entry.type >= 0 && entry.type < kTypeCount)
                factories[static_cast<std::size_t>(entry.type)] = entry.factory;
        }
    }
};

SRegistry& Registry()
{
    static SRegistry registry;
    return registry;
}

} // namespace

CVnDevice::CVnDevice(NTypes type, std::wstring displayName, int supportedPorts, int familyCode)
    : m_nType(type), m_nSupportedPorts(supportedPorts), m_strDisplayName(std::move(displayName)),
      m_nFamilyCode(familyCode)
{
}

CVnDevice::~CVnDevice()
{
    m_pCommands.reset();
    delete m_pStream;
}

std::wstring CVnDevice::GetErrorText(int code) const
{
    using namespace Resources::Ids;
    switch (code)
    {
    case ecUpload:
        return WithRestart(Ids::kUpgradeUpload);
    case ecProgram:
        return WithRestart(Ids::kUpgradeProgram);
    case ecModeChange:
        return WithRestart(Ids::kUpgradeModeChange);
    case ecCommunication:
        return WithRestart(Ids::kUpgradeCommunication);
    case ecFileRead:
        return CStringTable::Text(Ids::kUpgradeFileRead);
    case ecWrongDevice:
        return CStringTable::Text(Ids::kUpgradeWrongDevice);
    case ecAborted:
        return CStringTable::Text(Ids::kUpgradeAborted);
    case ecWrongHardware:
        return CStringTable::Text(Ids::kUpgradeWrongHardware);
    case ecOsTooOld:
        return CStringTable::Text(Ids::kUpgradeOsTooOld);
    default:
        return Resources::CTextFormat::Format(Ids::kUpgradeError, {std::to_wstring(code)}) +
               CStringTable::Text(Ids::kUpgradeRestart);
    }
}

bool CVnDevice::Attach(StreamIO::CIoStream* stream, NPorts portType)
{
    if (m_pStream != nullptr || m_nPortType != portNone)
        return false;
    if (portType != portSerial && portType != portUsb && portType != portEthernet)
        return false;
    if (stream == nullptr || !stream->IsOpen())
        return false;
    m_pStream = stream;
    m_nPortType = portType;
    m_pCommands = std::make_unique<CVnCommands>(stream);
    // Installed whether or not the worker runs: a cancel must reach the
    // commands of a driver used from any thread.
    m_pCommands->SetAbortPoll(&IsDeviceAbortRequested, 0);
    m_pCommands->SetLineEnd(false, false);
    return true;
}

bool CVnDevice::Attach(std::unique_ptr<StreamIO::CIoStream> stream, NPorts portType)
{
    if (!Attach(stream.get(), portType))
        return false;
    static_cast<void>(stream.release()); // owned by m_pStream now
    return true;
}

std::unique_ptr<StreamIO::CIoStream> CVnDevice::Detach()
{
    std::unique_ptr<StreamIO::CIoStream> stream(m_pStream);
    m_pStream = nullptr;
    m_nPortType = portNone;
    m_pCommands.reset();
    return stream;
}

std::wstring CVnDevice::GetPortName() const
{
    return m_pStream != nullptr ? m_pStream->GetName() : std::wstring();
}

bool CVnDevice::AttachPackage(StreamIO::CIoStream* package)
{
    if (m_pPackage != nullptr || package == nullptr || !package->IsOpen())
        return false;
    m_pPackage = package;
    return true;
}

StreamIO::CIoStream* CVnDevice::DetachPackage()
{
    StreamIO::CIoStream* package = m_pPackage;
    m_pPackage = nullptr;
    return package;
}

bool CVnDevice::SetCallback(CCallback* callback)
{
    if (m_pCallback != nullptr || callback == nullptr)
        return false;
    m_pCallback = callback;
    return true;
}

CCallback* CVnDevice::RemoveCallback()
{
    CCallback* callback = m_pCallback;
    m_pCallback = nullptr;
    return callback;
}

bool CVnDevice::RemoteLogin(SLoginInfo& info)
{
    m_login = SLoginInfo{};
    m_login.user = CStringTable::Text(Ids::kNoRemoteLogin);
    m_login.rights = 6;
    info = m_login;
    return true;
}

bool CVnDevice::RemoteLogout()
{
    m_login.user.clear();
    m_login.password.clear();
    m_login.rights = 0;
    return true;
}

bool CVnDevice::SetConnected(bool connected, int keepAliveMs)
{
    return m_pCommands != nullptr && m_pCommands->SetConnected(connected, keepAliveMs);
}

bool CVnDevice::SendControlD0()
{
    return m_pCommands != nullptr && m_pCommands->SendControlD0();
}

bool CVnDevice::ListDeviceDirectory(std::uint16_t selector, std::wstring& listing)
{
    return m_pCommands != nullptr && m_pCommands->ListDeviceDirectory(selector, listing);
}

bool CVnDevice::LoadDeviceFile(StreamIO::CIoStream* destination, const std::wstring& name)
{
    return m_pCommands != nullptr && m_pCommands->LoadDeviceFile(destination, name);
}

bool CVnDevice::SaveDeviceFile(const std::wstring& name, StreamIO::CIoStream* source)
{
    return m_pCommands != nullptr && m_pCommands->SaveDeviceFile(name, source);
}

bool CVnDevice::CreateEmptyDeviceFile(const std::wstring& name)
{
    return m_pCommands != nullptr && m_pCommands->CreateEmptyDeviceFile(name);
}

bool CVnDevice::MoveDeviceFile(const std::wstring& oldName, const std::wstring& newName)
{
    return m_pCommands != nullptr && m_pCommands->MoveDeviceFile(oldName, newName);
}

bool CVnDevice::DeleteDeviceFile(const std::wstring& name)
{
    return m_pCommands != nullptr && m_pCommands->DeleteDeviceFile(name);
}

bool CVnDevice::ResetMode()
{
    if (m_pStream == nullptr || m_pCommands == nullptr)
        return false;
    m_pCommands->Sync();
    bool changed = false;
    return m_pCommands->ChangeMode(12, &changed, nullptr, 100);
}

bool CVnDevice::QueryId(SDeviceInfo& info)
{
    return m_pCommands != nullptr && m_pCommands->QueryId(info);
}

std::int32_t CVnDevice::GetDeviceId()
{
    return m_pCommands != nullptr ? m_pCommands->GetDeviceId() : 0;
}

int CVnDevice::TextCommand(const std::string& text, char* dest, int capacity, int timeoutMs)
{
    if (m_pCommands == nullptr)
        return 0;
    return m_pCommands->TextCommand(text, dest, capacity, timeoutMs < 0 ? 1000 : timeoutMs);
}

int CVnDevice::BulkCommand(std::uint8_t command, std::uint8_t* buffer, int n, int* outCount, int capacity,
                           int timeoutMs, int overallLimitMs)
{
    if (m_pCommands == nullptr || buffer == nullptr || capacity <= 0)
        return CVnCommands::kBulkBadArguments;
    return m_pCommands->BulkCommand(command, buffer, n, outCount, capacity, timeoutMs < 0 ? 2000 : timeoutMs,
                                    overallLimitMs, m_pCallback);
}

int CVnDevice::BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity, int timeoutMs)
{
    if (m_pCommands == nullptr || buffer == nullptr || capacity <= 0)
        return 0;
    return m_pCommands->BinaryCommand(command, n, buffer, capacity, timeoutMs < 0 ? 1000 : timeoutMs);
}

void CVnDevice::ReportStatus(unsigned id, bool withSuffix)
{
    if (m_pCallback != nullptr)
        m_pCallback->OnStatusText(withSuffix ? Text(id) + m_strStepSuffix : Text(id));
}

bool CVnDevice::IsAborted()
{
    return IsDeviceAbortRequested(0);
}

int CVnDevice::SkipBlock(const SBlockDescriptor& block)
{
    if (m_pCommands == nullptr || m_pPackage == nullptr || !m_pPackage->IsOpen() || !m_pPackage->IsSeekable())
        return ecNotReady;
    try
    {
        const std::int64_t target = static_cast<std::int64_t>(m_pPackage->GetPosition()) + block.DataSize();
        if (target > m_pPackage->GetLength())
            return ecFileRead;
        m_pPackage->SetPosition(static_cast<int>(target));
    }
    catch (const StreamIO::CFileException&)
    {
        return ecFileRead;
    }
    return 0;
}

int CVnDevice::CheckDevice(const CPackageHeader& package)
{
    if (IsAborted())
        return ecAborted;
    ReportStatus(Resources::Ids::kUpgradeChecks, false);
    const std::int32_t id = GetDeviceId();
    if (id == -1)
        return ecCommunication;
    return static_cast<std::uint32_t>(id) == package.m_nDeviceId ? 0 : ecWrongDevice;
}

int CVnDevice::PrepareUpgrade(const CPackageHeader&)
{
    if (m_pCommands == nullptr)
        return ecNotReady;
    if (IsAborted())
        return ecAborted;
    ReportStatus(Resources::Ids::kUpgradeInitialize, false);
    return 0;
}

int CVnDevice::SendDescriptorIfAsked(const CPackageHeader& package, std::uint8_t modeByte, bool changed)
{
    if ((changed || !m_bDescriptorSent) && (modeByte & 0x01) != 0)
    {
        if (!m_pCommands->SendDescriptor(package.m_descriptor, GetChecksumFlags()))
            return ecDescriptor;
        m_bDescriptorSent = true;
    }
    if (m_pCallback != nullptr && m_pCallback->IsDetailedProgress())
        m_pCallback->OnProgress(100, 1, 0);
    return 0;
}

int CVnDevice::BeginBlock(const CPackageHeader& package, const SBlockDescriptor& block)
{
    if (IsAborted())
        return ecAborted;
    if (m_pCommands == nullptr)
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeModeBefore, true);
    bool changed = false;
    if (!m_pCommands->ChangeMode(block.ModeBefore(), &changed, m_pCallback, 100))
        return ecModeChange;
    return SendDescriptorIfAsked(package, block.ModeBefore(), changed);
}

int CVnDevice::TransferBlock(const SBlockDescriptor& block)
{
    if (m_pCommands == nullptr || m_pPackage == nullptr || !m_pPackage->IsOpen())
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeTransfer, true);
    const std::uint32_t size = block.DataSize();
    if (size > static_cast<std::uint32_t>(INT32_MAX))
        return ecFileRead;
    const int length = static_cast<int>(size);
    if (length == 0)
        return 0;
    if (m_pCommands->TransferBlocks(m_pPackage, length, GetChecksumFlags(), GetBlockSize(), m_pCallback) ==
        length)
        return 0;
    return IsAborted() ? ecAborted : ecUpload;
}

int CVnDevice::ProgramBlock(const SBlockDescriptor& block)
{
    if (m_pCommands == nullptr)
        return ecNotReady;
    if (IsAborted())
        return ecAborted;
    if (!block.ProgramAfter())
        return 0;
    ReportStatus(Resources::Ids::kUpgradeWrite, true);
    return m_pCommands->ProgramFlash(m_pCallback, 2, false) ? 0 : ecProgram;
}

int CVnDevice::EndBlock(const CPackageHeader& package, const SBlockDescriptor& block)
{
    if (IsAborted())
        return ecAborted;
    if (m_pCommands == nullptr)
        return ecNotReady;
    ReportStatus(Resources::Ids::kUpgradeModeAfter, true);
    const std::uint8_t before = block.ModeBefore();
    const std::uint8_t after = block.ModeAfter();
    bool changed = true;
    if ((after & 0x0F) != (before & 0x0F) || (after & 0x10) != 0)
    {
        if (!m_pCommands->ChangeMode(after, &changed, m_pCallback, 100))
            return ecModeChange;
    }
    return SendDescriptorIfAsked(package, after, changed);
}

int CVnDevice::FinishUpgrade()
{
    if (IsAborted())
        return ecAborted;
    if (m_pCallback != nullptr)
    {
        ReportStatus(Resources::Ids::kUpgradeFinished, false);
        m_pCallback->OnProgress(100, 1, 0);
    }
    return 0;
}

std::unique_ptr<CVnDevice> CreateDevice(int type)
{
    if (type < 0 || type >= kTypeCount)
        return nullptr;
    TDeviceFactory factory = nullptr;
    {
        SRegistry& registry = Registry();
        std::lock_guard<std::mutex> guard(registry.lock);
        factory = registry.factories[static_cast<std::size_t>(type)];
    }
    if (factory == nullptr)
        return nullptr;
    try
    {
        return factory();
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

std::wstring GetTypeName(int type)
{
    return (type >= 0 && type < kTypeCount) ? std::wstring(kTypeNames[type]) : std::wstring();
}

bool RegisterDeviceFactory(int type, TDeviceFactory factory)
{
    if (type < 0 || type >= kTypeCount)
        return false;
    SRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.factories[static_cast<std::size_t>(type)] = factory;
    return true;
}

} // namespace Device

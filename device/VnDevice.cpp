#include "device/VnDevice.h"

#include "device/DeviceFactoryTable.h"
#include "device/TextReply.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/FileException.h"

#include <array>
#include <atomic>
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

std::atomic<CVnCommands::TAbortPoll> g_abortPoll{nullptr};

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
    m_pCommands->SetAbortPoll(g_abortPoll.load(), 0);
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
    if (m_pCommands == nullptr || text.empty())
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

void CVnDevice::SetAbortPoll(CVnCommands::TAbortPoll poll)
{
    g_abortPoll.store(poll);
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

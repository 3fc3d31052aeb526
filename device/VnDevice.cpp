#include "device/VnDevice.h"

#include "device/DeviceFactoryTable.h"
#include "device/TextReply.h"
#include "streams/FileException.h"

#include <array>
#include <atomic>
#include <cwchar>
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

// Texts of the upgrade errors (string table 20015-20028).
constexpr const wchar_t* kTextError = L"An error (%d) occurred during the device Upgrade.";
constexpr const wchar_t* kTextCommunication = L"A communication error occurred during the device Upgrade.";
constexpr const wchar_t* kTextWrongDevice = L"The upgrade packet does not match the devicetype.";
constexpr const wchar_t* kTextWrongHardware =
    L"The upgrade packet does not support this Hardware (Hardware Revision).";
constexpr const wchar_t* kTextRestart =
    L"\r\nPlease restart the device and this Application and retry the "
    L"Upgrade.\r\nIn case the error persists, contact a Varnel service centre.";
constexpr const wchar_t* kTextUpload = L"An error occurred during data upload process.";
constexpr const wchar_t* kTextProgram =
    L"An error occurred during device program.\r\nIf the device says everything "
    L"went well, ignore this error and restart the device manually. Else:";
constexpr const wchar_t* kTextModeChange = L"An error occurred during device operation mode change.\r\nIf "
                                           L"the device says everything went well, ignore "
                                           L"this error and restart the device manually. Else:";
constexpr const wchar_t* kTextFileRead = L"An error occurred during file read.";
constexpr const wchar_t* kTextAborted = L"The process was aborted by the user.";
constexpr const wchar_t* kTextOsTooOld =
    L"The upgrade packet needs a newer OS Version than the one in your device.";
constexpr const wchar_t* kTextNoRemoteLogin = L"No remote login implemented.";

std::wstring Format(const wchar_t* pattern, int code)
{
    wchar_t text[512] = {};
    std::swprintf(text, 512, pattern, code);
    return text;
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
        return std::wstring(kTextUpload) + kTextRestart;
    case ecProgram:
        return std::wstring(kTextProgram) + kTextRestart;
    case ecModeChange:
        return std::wstring(kTextModeChange) + kTextRestart;
    case ecCommunication:
        return std::wstring(kTextCommunication) + kTextRestart;
    case ecFileRead:
        return kTextFileRead;
    case ecWrongDevice:
        return kTextWrongDevice;
    case ecAborted:
        return kTextAborted;
    case ecWrongHardware:
        return kTextWrongHardware;
    case ecOsTooOld:
        return kTextOsTooOld;
    default:
        return Format(kTextError, code) + kTextRestart;
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
    m_login.user = kTextNoRemoteLogin;
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

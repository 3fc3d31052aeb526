#include "app/connection/ConnWizardSettings.h"

#include <cstdint>

namespace
{

bool ReadRange(const Platform::CSettingsStore& store, const std::wstring& group, const wchar_t* name,
               std::uint32_t low, std::uint32_t high, int& member, int otherwise)
{
    std::uint32_t value = 0;
    if (store.ReadNumber(group, name, value) && value >= low && value <= high)
        member = static_cast<int>(value);
    else
        member = otherwise;
    return true;
}

/// Only a stored 0 clears a flag; anything else (or nothing) sets it.
void ReadFlag(const Platform::CSettingsStore& store, const std::wstring& group, const wchar_t* name,
              int& member)
{
    std::uint32_t value = 1;
    member = store.ReadNumber(group, name, value) && value == 0 ? 0 : 1;
}

} // namespace

bool CConnWizardSettings::Load(const Platform::CSettingsStore* store, const std::wstring& group)
{
    if (!store || group.empty())
        return false;
    ReadFlag(*store, group, L"Express", express);
    ReadRange(*store, group, L"DeviceType", 0, 11, deviceType, 0);
    ReadRange(*store, group, L"ComPort", 1, 9999, comPort, 1);
    ReadRange(*store, group, L"CommPort", 1, 9998, commPort, 0);
    ReadFlag(*store, group, L"Scan", scan);
    ReadFlag(*store, group, L"Stop Scan", stopScan);
    std::wstring address;
    if (store->ReadString(group, L"IP Address", address) && address.size() <= kMaxIpAddressLength)
        ipAddress = address;
    else
        ipAddress.clear();
    return true;
}

bool CConnWizardSettings::Save(Platform::CSettingsStore* store, const std::wstring& group) const
{
    if (!store || group.empty())
        return false;
    const auto number = [](int value) { return static_cast<std::uint32_t>(value); };
    const int port = comPort < 1 || comPort > 9999 ? 1 : comPort;
    return store->WriteNumber(group, L"Express", number(express)) &&
           store->WriteNumber(group, L"DeviceType", number(deviceType)) &&
           store->WriteNumber(group, L"ComPort", number(port)) &&
           store->WriteNumber(group, L"CommPort", number(commPort)) &&
           store->WriteNumber(group, L"Scan", number(scan)) &&
           store->WriteNumber(group, L"Stop Scan", number(stopScan)) &&
           store->WriteString(group, L"IP Address", ipAddress) && store->Flush();
}

#pragma once
// The connection wizard's last choices, kept in the firmware-upgrade tool's
// settings (group "ConnWizard"), shared with the maker's other tools.

#include "platform/SettingsStore.h"

#include <string>

class CConnWizardSettings
{
public:
    /// The group of the values in the VnUpgrade settings store.
    static constexpr const wchar_t* kGroup = L"ConnWizard";
    static constexpr std::size_t kMaxIpAddressLength = 259;

    int express = 1;
    int deviceType = 0; ///< Device::NTypes 0-11
    int comPort = 1;    ///< 1-9999
    int commPort = 0;   ///< Device::NPorts; 0 = none
    int scan = 1;       ///< scan every port
    int stopScan = 1;   ///< stop after the first instrument
    std::wstring ipAddress;

    /// Reads the values a value at a time; a missing or malformed one keeps
    /// its default. False without a store or an empty group.
    bool Load(const Platform::CSettingsStore* store, const std::wstring& group);
    /// Writes every value in order; stops with false at the first refused write.
    bool Save(Platform::CSettingsStore* store, const std::wstring& group) const;
};

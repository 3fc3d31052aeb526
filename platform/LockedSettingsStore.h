#pragma once
#include <memory>
#include <mutex>

#include "platform/SettingsStore.h"

namespace Platform
{

/// A settings store that several threads may share: every call to the store
/// it wraps runs under one lock. The program's settings go through it because
/// the firmware check writes its failure counters from its worker while the
/// user-interface thread reads and writes the same store (wxConfig is not
/// thread-safe).
class CLockedSettingsStore : public CSettingsStore
{
public:
    explicit CLockedSettingsStore(std::unique_ptr<CSettingsStore> store);

    bool ReadString(const std::wstring& group, const std::wstring& name, std::wstring& value) const override;
    bool ReadNumber(const std::wstring& group, const std::wstring& name, std::uint32_t& value) const override;
    bool WriteString(const std::wstring& group, const std::wstring& name, const std::wstring& value) override;
    bool WriteNumber(const std::wstring& group, const std::wstring& name, std::uint32_t value) override;
    bool Flush() override;

private:
    mutable std::mutex m_lock;
    std::unique_ptr<CSettingsStore> m_store;
};

} // namespace Platform

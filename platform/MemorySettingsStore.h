#pragma once
#include <map>
#include <utility>
#include <variant>

#include "platform/SettingsStore.h"

namespace Platform
{

/// A settings store held in memory: what tests give the code that reads and
/// writes settings.
class CMemorySettingsStore : public CSettingsStore
{
public:
    bool ReadString(const std::wstring& group, const std::wstring& name, std::wstring& value) const override;
    bool ReadNumber(const std::wstring& group, const std::wstring& name, std::uint32_t& value) const override;
    bool WriteString(const std::wstring& group, const std::wstring& name, const std::wstring& value) override;
    bool WriteNumber(const std::wstring& group, const std::wstring& name, std::uint32_t value) override;
    bool Flush() override;

    /// Whether a value of that name exists in the group, of either kind.
    bool Contains(const std::wstring& group, const std::wstring& name) const;
    /// How often Flush was called.
    int FlushCount() const { return m_flushes; }

private:
    using TKey = std::pair<std::wstring, std::wstring>;
    std::map<TKey, std::variant<std::wstring, std::uint32_t>> m_values;
    int m_flushes = 0;
};

} // namespace Platform

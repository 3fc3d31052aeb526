#include "platform/MemorySettingsStore.h"

namespace Platform
{

bool CMemorySettingsStore::ReadString(const std::wstring& group, const std::wstring& name,
                                      std::wstring& value) const
{
    const auto it = m_values.find({group, name});
    if (it == m_values.end() || !std::holds_alternative<std::wstring>(it->second))
        return false;
    value = std::get<std::wstring>(it->second);
    return true;
}

bool CMemorySettingsStore::ReadNumber(const std::wstring& group, const std::wstring& name,
                                      std::uint32_t& value) const
{
    const auto it = m_values.find({group, name});
    if (it == m_values.end() || !std::holds_alternative<std::uint32_t>(it->second))
        return false;
    value = std::get<std::uint32_t>(it->second);
    return true;
}

bool CMemorySettingsStore::WriteString(const std::wstring& group, const std::wstring& name,
                                       const std::wstring& value)
{
    m_values[{group, name}] = value;
    return true;
}

bool CMemorySettingsStore::WriteNumber(const std::wstring& group, const std::wstring& name,
                                       std::uint32_t value)
{
    m_values[{group, name}] = value;
    return true;
}

bool CMemorySettingsStore::Flush()
{
    ++m_flushes;
    return true;
}

bool CMemorySettingsStore::Contains(const std::wstring& group, const std::wstring& name) const
{
    return m_values.count({group, name}) != 0;
}

} // namespace Platform

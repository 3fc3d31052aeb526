#include "platform/LockedSettingsStore.h"

namespace Platform
{

CLockedSettingsStore::CLockedSettingsStore(std::unique_ptr<CSettingsStore> store) : m_store(std::move(store))
{
}

bool CLockedSettingsStore::ReadString(const std::wstring& group, const std::wstring& name,
                                      std::wstring& value) const
{
    std::lock_guard guard(m_lock);
    return m_store && m_store->ReadString(group, name, value);
}

bool CLockedSettingsStore::ReadNumber(const std::wstring& group, const std::wstring& name,
                                      std::uint32_t& value) const
{
    std::lock_guard guard(m_lock);
    return m_store && m_store->ReadNumber(group, name, value);
}

bool CLockedSettingsStore::WriteString(const std::wstring& group, const std::wstring& name,
                                       const std::wstring& value)
{
    std::lock_guard guard(m_lock);
    return m_store && m_store->WriteString(group, name, value);
}

bool CLockedSettingsStore::WriteNumber(const std::wstring& group, const std::wstring& name,
                                       std::uint32_t value)
{
    std::lock_guard guard(m_lock);
    return m_store && m_store->WriteNumber(group, name, value);
}

bool CLockedSettingsStore::Flush()
{
    std::lock_guard guard(m_lock);
    return m_store && m_store->Flush();
}

} // namespace Platform

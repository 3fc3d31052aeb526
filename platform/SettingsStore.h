#pragma once
#include <cstdint>
#include <string>

namespace Platform
{

/// Where the program keeps its settings, in place of the registry: values
/// by group ("Settings", "ConnWizard", ...) and value name. The application
/// puts a wxConfig behind it; tests use CMemorySettingsStore.
class CSettingsStore
{
public:
    virtual ~CSettingsStore() = default;

    /// Reads a text value; false when it is missing or not a text.
    virtual bool ReadString(const std::wstring& group, const std::wstring& name,
                            std::wstring& value) const = 0;
    /// Reads a number value (a registry DWORD); false when it is missing.
    virtual bool ReadNumber(const std::wstring& group, const std::wstring& name,
                            std::uint32_t& value) const = 0;

    /// Writes a value; false when the store refuses it.
    virtual bool WriteString(const std::wstring& group, const std::wstring& name,
                             const std::wstring& value) = 0;
    virtual bool WriteNumber(const std::wstring& group, const std::wstring& name, std::uint32_t value) = 0;

    /// Makes the written values durable; false when that fails.
    virtual bool Flush() = 0;
};

} // namespace Platform

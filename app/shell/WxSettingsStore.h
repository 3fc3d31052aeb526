#pragma once
// The settings store over a wxFileConfig: the registry's key paths become one
// file per application under the user's configuration folder
// ($XDG_CONFIG_HOME or ~/.config)/Varnel/<application>.conf, with one group
// per key ("Settings", "ConnWizard").

#include "platform/SettingsStore.h"

#include <memory>

class wxFileConfig;

class CWxSettingsStore : public Platform::CSettingsStore
{
public:
    /// The store of an application of vendor "Varnel" ("TerrionLink" or "VnUpgrade").
    static std::unique_ptr<CWxSettingsStore> ForApplication(const std::wstring& application);
    /// The configuration file the store of an application lives in.
    static std::wstring FileOf(const std::wstring& application);

    /// A store over the given file; a missing file is created on the first write.
    explicit CWxSettingsStore(const std::wstring& file);
    ~CWxSettingsStore() override;

    bool ReadString(const std::wstring& group, const std::wstring& name, std::wstring& value) const override;
    bool ReadNumber(const std::wstring& group, const std::wstring& name, std::uint32_t& value) const override;
    bool WriteString(const std::wstring& group, const std::wstring& name, const std::wstring& value) override;
    bool WriteNumber(const std::wstring& group, const std::wstring& name, std::uint32_t value) override;
    bool Flush() override;

private:
    std::wstring m_file;
    std::unique_ptr<wxFileConfig> m_config;
};

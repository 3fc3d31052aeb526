#pragma once
// The program's five settings ("LanguageFile", "DataFolder", "GridCheck",
// "DTFormat", "Pfad") and the firmware-upgrade tool's two, read from and
// written to a settings store. Key and value names are fixed here and never
// come from a language library. Plain C++: the application shows the
// messages it reports.

#include <cstdint>
#include <functional>
#include <string>

namespace Platform
{
class CSettingsStore;
}

class CProgramSettings
{
public:
    /// Shows the message of a string id (an error box).
    using FReport = std::function<void(unsigned textId)>;

    static constexpr const wchar_t* kGroup = L"Settings";
    static constexpr const wchar_t* kLanguageFile = L"LanguageFile";
    static constexpr const wchar_t* kDataFolder = L"DataFolder";
    static constexpr const wchar_t* kGridCheck = L"GridCheck";
    static constexpr const wchar_t* kDtFormat = L"DTFormat";
    static constexpr const wchar_t* kPfad = L"Pfad";
    /// A stored text longer than this counts as missing (PATH_MAX).
    static constexpr std::size_t kMaxText = 4095;

    /// programPath: the program's full path, empty when it is not known.
    CProgramSettings(Platform::CSettingsStore& store, std::wstring programPath, FReport report);

    /// Reads every value, writes the missing ones with their defaults, then
    /// checks the "Pfad" folder (a missing or read-only folder is reported).
    void Read();

    const std::wstring& LanguageFile() const { return m_languageFile; }
    const std::wstring& DataFolder() const { return m_dataFolder; }
    std::uint32_t GridCheck() const { return m_gridCheck; }
    std::uint32_t DtFormat() const { return m_dtFormat; }
    const std::wstring& Pfad() const { return m_pfad; }
    const std::wstring& ProgramPath() const { return m_programPath; }
    /// The program's folder (its path up to the last '/'), empty when unknown.
    std::wstring ProgramFolder() const;

    /// Stores and writes "LanguageFile" (the caller reloads the language).
    void SetLanguageFile(const std::wstring& path);
    /// The language file; an empty one first becomes the program's path.
    /// Without fullPath only the part after the last '/'.
    std::wstring GetLanguageFile(bool fullPath);
    /// Stores and writes "DTFormat".
    void SetDtFormat(std::uint32_t value);

    /// Writes "Pfad" and "LanguageFile" of the firmware-upgrade tool into its
    /// own store.
    void WriteUpgradeToolSettings(Platform::CSettingsStore& upgradeStore) const;

    /// Joins a folder and a file name with one '/' between them; an empty
    /// folder gives the name alone.
    static std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
    /// The running program's full path (/proc/self/exe), empty when unknown.
    static std::wstring RunningProgramPath();

private:
    void WriteString(Platform::CSettingsStore& store, const wchar_t* name, const std::wstring& value) const;
    void WriteNumber(const wchar_t* name, std::uint32_t value);
    bool ReadString(const wchar_t* name, std::wstring& value) const;
    void CheckPfad() const;

    Platform::CSettingsStore& m_store;
    std::wstring m_programPath;
    FReport m_report;
    std::wstring m_languageFile;
    std::wstring m_dataFolder;
    std::uint32_t m_gridCheck = 0;
    std::uint32_t m_dtFormat = 0;
    std::wstring m_pfad;
};

#include "app/shell/ProgramSettings.h"

#include "platform/SettingsStore.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/TextCodec.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace
{

std::string ToNative(const std::wstring& path)
{
    return StreamIO::CTextCodec::ToUtf8(path);
}

} // namespace

CProgramSettings::CProgramSettings(Platform::CSettingsStore& store, std::wstring programPath, FReport report)
    : m_store(store), m_programPath(std::move(programPath)), m_report(std::move(report))
{
}

std::wstring CProgramSettings::RunningProgramPath()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::wstring() : StreamIO::CTextCodec::FromUtf8(path.string());
}

std::wstring CProgramSettings::ProgramFolder() const
{
    const auto slash = m_programPath.rfind(L'/');
    if (slash == std::wstring::npos)
        return std::wstring();
    return slash == 0 ? std::wstring(L"/") : m_programPath.substr(0, slash);
}

std::wstring CProgramSettings::JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == L'/')
        return folder + name;
    return folder + L'/' + name;
}

bool CProgramSettings::ReadString(const wchar_t* name, std::wstring& value) const
{
    std::wstring text;
    if (!m_store.ReadString(kGroup, name, text) || text.size() > kMaxText)
        return false;
    value = std::move(text);
    return true;
}

void CProgramSettings::WriteString(Platform::CSettingsStore& store, const wchar_t* name,
                                   const std::wstring& value) const
{
    if (!store.WriteString(kGroup, name, value) || !store.Flush())
        m_report(Resources::Ids::kAppSettingsWriteFailed);
}

void CProgramSettings::WriteNumber(const wchar_t* name, std::uint32_t value)
{
    if (!m_store.WriteNumber(kGroup, name, value) || !m_store.Flush())
        m_report(Resources::Ids::kAppSettingsWriteFailed);
}

void CProgramSettings::Read()
{
    if (!ReadString(kLanguageFile, m_languageFile))
    {
        m_languageFile = m_programPath;
        WriteString(m_store, kLanguageFile, m_languageFile);
    }
    if (!ReadString(kDataFolder, m_dataFolder))
        WriteString(m_store, kDataFolder, m_dataFolder);
    if (!m_store.ReadNumber(kGroup, kGridCheck, m_gridCheck))
    {
        m_gridCheck = 0;
        WriteNumber(kGridCheck, m_gridCheck);
    }
    if (!m_store.ReadNumber(kGroup, kDtFormat, m_dtFormat))
    {
        m_dtFormat = 0;
        WriteNumber(kDtFormat, m_dtFormat);
    }
    if (!ReadString(kPfad, m_pfad))
    {
        m_pfad = m_programPath.empty() ? Resources::CStringTable::Text(Resources::Ids::kAppDefaultFolder)
                                       : ProgramFolder();
        WriteString(m_store, kPfad, m_pfad);
    }
    CheckPfad();
}

void CProgramSettings::CheckPfad() const
{
    struct stat status
    {
    };
    const std::string folder = ToNative(m_pfad);
    if (m_pfad.empty() || ::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        m_report(Resources::Ids::kAppDataFolderIncorrect);
    else if (::access(folder.c_str(), W_OK) != 0)
        m_report(Resources::Ids::kAppDataFolderReadOnly);
}

void CProgramSettings::SetLanguageFile(const std::wstring& path)
{
    m_languageFile = path;
    WriteString(m_store, kLanguageFile, m_languageFile);
}

std::wstring CProgramSettings::GetLanguageFile(bool fullPath)
{
    if (m_languageFile.empty())
        SetLanguageFile(m_programPath);
    if (fullPath)
        return m_languageFile;
    const auto slash = m_languageFile.rfind(L'/');
    return slash == std::wstring::npos ? m_languageFile : m_languageFile.substr(slash + 1);
}

void CProgramSettings::SetDtFormat(std::uint32_t value)
{
    m_dtFormat = value;
    WriteNumber(kDtFormat, m_dtFormat);
}

void CProgramSettings::WriteUpgradeToolSettings(Platform::CSettingsStore& upgradeStore) const
{
    WriteString(upgradeStore, kPfad, m_pfad);
    WriteString(upgradeStore, kLanguageFile,
                JoinPath(m_pfad, Resources::CStringTable::Text(Resources::Ids::kAppUpgradeToolLanguageFile)));
}

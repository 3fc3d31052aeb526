#include "app/shell/WxSettingsStore.h"

#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <cstdlib>

namespace
{

wxString Key(const std::wstring& group, const std::wstring& name)
{
    return wxString(L"/") + wxString(group) + L"/" + wxString(name);
}

} // namespace

std::wstring CWxSettingsStore::FileOf(const std::wstring& application)
{
    wxString base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        base = wxString::FromUTF8(xdg);
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = wxString::FromUTF8(home) + L"/.config";
    else
        base = L"/tmp";
    return (base + L"/Varnel/" + wxString(application) + L".conf").ToStdWstring();
}

std::unique_ptr<CWxSettingsStore> CWxSettingsStore::ForApplication(const std::wstring& application)
{
    return std::make_unique<CWxSettingsStore>(FileOf(application));
}

CWxSettingsStore::CWxSettingsStore(const std::wstring& file) : m_file(file)
{
    m_config = std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, wxString(file), wxEmptyString,
                                              wxCONFIG_USE_LOCAL_FILE);
    // Values are stored as written: no environment variable expansion on read.
    m_config->SetExpandEnvVars(false);
}

CWxSettingsStore::~CWxSettingsStore() = default;

bool CWxSettingsStore::ReadString(const std::wstring& group, const std::wstring& name,
                                  std::wstring& value) const
{
    wxString text;
    if (!m_config->Read(Key(group, name), &text))
        return false;
    value = text.ToStdWstring();
    return true;
}

bool CWxSettingsStore::ReadNumber(const std::wstring& group, const std::wstring& name,
                                  std::uint32_t& value) const
{
    wxString text;
    if (!m_config->Read(Key(group, name), &text))
        return false;
    unsigned long number = 0;
    if (!text.ToULong(&number) || number > 0xFFFFFFFFul)
        return false;
    value = static_cast<std::uint32_t>(number);
    return true;
}

bool CWxSettingsStore::WriteString(const std::wstring& group, const std::wstring& name,
                                   const std::wstring& value)
{
    return m_config->Write(Key(group, name), wxString(value));
}

bool CWxSettingsStore::WriteNumber(const std::wstring& group, const std::wstring& name, std::uint32_t value)
{
    return m_config->Write(Key(group, name), wxString::Format(L"%u", value));
}

bool CWxSettingsStore::Flush()
{
    // wxFileConfig does not create a missing folder for its file.
    const wxFileName file(m_file);
    if (!file.DirExists() && !wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return false;
    return m_config->Flush();
}

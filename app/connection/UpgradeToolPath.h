#pragma once
// Where the firmware-upgrade tool lies: "VnUpgrade" in the program's folder.
// It is run only from there, never looked up on the search path, and the
// message for a tool that is missing or does not start names that path.

#include <string>

class CUpgradeToolPath
{
public:
    static constexpr const wchar_t* kFileName = L"VnUpgrade";

    /// programFolder: the folder of the program's file, empty when unknown.
    explicit CUpgradeToolPath(const std::wstring& programFolder);

    const std::wstring& Get() const { return m_path; }
    /// Whether an executable file lies at the path. An unknown folder gives
    /// a bare name, which is never runnable.
    bool IsRunnable() const;
    /// "The firmware-upgrade tool could not be started:" with the path.
    std::wstring NotStartedMessage() const;

private:
    std::wstring m_path;
};

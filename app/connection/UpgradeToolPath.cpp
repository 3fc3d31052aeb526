#include "app/connection/UpgradeToolPath.h"

#include "app/connection/TextPattern.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/TextCodec.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

CUpgradeToolPath::CUpgradeToolPath(const std::wstring& programFolder)
{
    if (programFolder.empty())
        m_path = kFileName;
    else if (programFolder.back() == L'/')
        m_path = programFolder + kFileName;
    else
        m_path = programFolder + L'/' + kFileName;
}

bool CUpgradeToolPath::IsRunnable() const
{
    // A bare name would be looked up on the search path, where another program of that name may lie.
    if (m_path.empty() || m_path.front() != L'/')
        return false;
    const std::string path = StreamIO::CTextCodec::ToUtf8(m_path);
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

std::wstring CUpgradeToolPath::NotStartedMessage() const
{
    return CTextPattern::Format(Resources::CStringTable::Text(Resources::Ids::kUpgradeToolMissing), {m_path});
}

#include "streams/FileException.h"

#include <string>

namespace StreamIO
{
namespace
{

std::string Describe(int osError, const std::wstring& fileName)
{
    std::string name;
    name.reserve(fileName.size());
    for (wchar_t ch : fileName)
        name.push_back(ch < 0x80 ? static_cast<char>(ch) : '?');
    return "stream error " + std::to_string(osError) + " on '" + name + "'";
}

} // namespace

CFileException::CFileException(int osError, std::wstring fileName)
    : std::runtime_error(Describe(osError, fileName)), m_nOsError(osError), m_strFileName(std::move(fileName))
{
}

void CFileException::ThrowOsError(int osError, const std::wstring& fileName)
{
    if (osError != 0)
        throw CFileException(osError, fileName);
}

} // namespace StreamIO

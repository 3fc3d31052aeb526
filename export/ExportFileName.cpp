#include "export/ExportFileName.h"

#include "streams/AsciiCase.h"

namespace
{
// A shorter path cannot hold a name besides the four-character ending.
constexpr std::size_t kShortestRefused = 5;

bool HasEnding(const std::wstring& path, const wchar_t* ending)
{
    return path.size() > kShortestRefused && StreamIO::CAsciiCase::EndsWithNoCase(path, ending);
}
} // namespace

std::wstring CExportFileName::Numbered(const std::wstring& path, int number)
{
    const std::size_t keep = path.size() > 4 ? path.size() - 4 : 0;
    return path.substr(0, keep) + std::to_wstring(number) + path.substr(keep);
}

bool CExportFileName::AcceptGraphic(const std::wstring& path, NImageFormat* format)
{
    static constexpr struct
    {
        const wchar_t* ending;
        NImageFormat format;
    } kEndings[] = {
        {L".bmp", IMAGE_FORMAT_BMP},
        {L".png", IMAGE_FORMAT_PNG},
        {L".jpg", IMAGE_FORMAT_JPG},
    };
    for (const auto& entry : kEndings)
    {
        if (HasEnding(path, entry.ending))
        {
            if (format)
                *format = entry.format;
            return true;
        }
    }
    return false;
}

bool CExportFileName::AcceptCsv(const std::wstring& path)
{
    return HasEnding(path, L".csv");
}

std::wstring CExportFileName::WithExtension(const std::wstring& path, const std::wstring& extension)
{
    const std::wstring name = FileName(path);
    if (name.empty() || extension.empty() || name.find(L'.') != std::wstring::npos)
        return path;
    return path + L"." + extension;
}

std::wstring CExportFileName::FileName(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

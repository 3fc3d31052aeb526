// Fuzzes the version-record reader over bytes in memory: CFileVersionInfo
// searches them for its record as it searches a file. A refused input leaves
// nothing behind; a record read holds no more text than the input has bytes.

#include "streams/FileVersionInfo.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace
{

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFileVersionInfo info;
    const bool read = info.CreateFromMemory(std::span<const std::uint8_t>(data, size));
    const std::wstring texts[] = {
        info.GetFileDescription(),  info.GetFileVersion(), info.GetInternalName(),   info.GetLegalCopyright(),
        info.GetOriginalFileName(), info.GetProductName(), info.GetProductVersion(), info.GetComments()};
    std::size_t characters = 0;
    for (const std::wstring& text : texts)
        characters += text.size();
    if (!read)
    {
        Check(characters == 0);
        for (int i = 0; i < 4; ++i)
            Check(info.GetFileVersionPart(i) == 0 && info.GetProductVersionPart(i) == 0);
        return 0;
    }
    // The strings are zero-terminated UTF-8 after the 80-byte header.
    Check(size >= 80 && characters <= size - 80);
    return 0;
}

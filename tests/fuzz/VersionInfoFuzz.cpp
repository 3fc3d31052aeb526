// Fuzzes the version-record reader: the input is written to a file, which
// CFileVersionInfo searches for its record. A refused file leaves nothing
// behind; a record read holds no more text than the file has bytes.

#include "streams/FileVersionInfo.h"
#include "streams/TextCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

/// One scratch file for the whole run, removed at exit.
const std::string& ScratchPath()
{
    static const std::string path = []
    {
        char name[] = "/tmp/terrion-version-fuzz-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0)
            std::abort();
        ::close(fd);
        std::atexit([] { ::unlink(ScratchPath().c_str()); });
        return std::string(name);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = ScratchPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    CFileVersionInfo info;
    const bool read = info.Create(StreamIO::CTextCodec::FromUtf8(path));
    const std::wstring texts[] = {info.GetFileDescription(), info.GetFileVersion(), info.GetInternalName(),
                                  info.GetLegalCopyright(),  info.GetOriginalFileName(),
                                  info.GetProductName(),     info.GetProductVersion(),
                                  info.GetComments()};
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

// Fuzzes the version-record reader: the input is written to a file, which
// CFileVersionInfo searches for its record. A refused file leaves nothing
// behind; a record read holds no more text than the file has bytes.

#include "streams/FileVersionInfo.h"

#include <cstdint>
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

/// One scratch file for the whole run, unlinked at once so no run leaves it
/// behind; the reader opens it again through /proc.
int ScratchFile()
{
    static const int fd = []
    {
        // Memory-backed when the machine has it: the reader runs once per input.
        for (std::string name : {"/dev/shm/terrion-version-fuzz-XXXXXX", "/tmp/terrion-version-fuzz-XXXXXX"})
        {
            const int opened = ::mkstemp(name.data());
            if (opened < 0)
                continue;
            ::unlink(name.c_str());
            return opened;
        }
        std::abort();
    }();
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = ScratchFile();
    if (::ftruncate(fd, 0) != 0 || (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)))
        std::abort();

    CFileVersionInfo info;
    const bool read = info.Create(L"/proc/self/fd/" + std::to_wstring(fd));
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

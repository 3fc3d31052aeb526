#pragma once
// The byte sink every image encoder writes through. Its operations follow the
// C standard I/O functions: element size and count, seek origins 0/1/2 and
// -1 for the end of the data.

#include <cstddef>
#include <cstdint>

class CPicFile
{
public:
    CPicFile() = default;
    virtual ~CPicFile() = default;
    CPicFile(const CPicFile&) = delete;
    CPicFile& operator=(const CPicFile&) = delete;

    virtual bool Close() = 0;
    /// Number of whole elements read.
    virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
    /// Number of elements written.
    virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
    /// Origin 0 from the start, 1 from the current position, 2 from the end.
    virtual bool Seek(long offset, int origin) = 0;
    virtual long Tell() = 0;
    virtual long Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    /// Error state: 0 none; anything else is an error (-1 when there is no storage).
    virtual long Error() = 0;
    /// One-byte write; true when exactly that byte was written.
    virtual bool PutC(std::uint8_t c);
    /// Byte value 0-255, or -1 at the end.
    virtual long GetC() = 0;
    /// Reads a line of at most n - 1 bytes; null at the end of the data.
    virtual char* GetS(char* buffer, int n) = 0;
    virtual int Scanf(const char* format, ...) = 0;
};

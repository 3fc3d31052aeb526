#pragma once
// A stream on one file of the RAM disk, opened by a name "RAM:<file>". Each
// stream keeps its own position; several streams may share a file as its
// share bits allow. Pipe files are read in the order they were written and
// cannot seek.

#include "streams/IoStream.h"
#include "streams/RamDisk.h"

#include <cstdint>
#include <memory>
#include <string>

namespace StreamIO
{

class CRamStream : public CIoStream
{
public:
    /// A closed stream; Open attaches it to a file.
    CRamStream();
    /// Opens at once; a failed open throws its error.
    CRamStream(const std::wstring& name, std::uint32_t openFlags);
    ~CRamStream() override;

    /// A name without "RAM:" in front (any case) gets it put there.
    bool Open(const std::wstring& name, std::uint32_t openFlags) override;
    /// Lets go of the file; the last stream on a file deletes it.
    void Close() override;
    bool IsOpen() const override { return m_pFile != nullptr; }
    /// Reads at the position; a negative position throws 131.
    int Read(void* buffer, int length) override;
    /// Writes at the position; a negative position throws 131, a file that
    /// would pass 2 GiB throws 112. Bytes of a gap left by writing past the
    /// end are zero.
    int Write(const void* buffer, int length) override;
    bool IsSeekable() const override;
    int GetLength() override;
    int GetPosition() override { return m_nPosition; }
    /// Stores the position unchecked; Read and Write check it.
    int SetPosition(int position) override;
    /// Throws 131 for a target before the start, 132 past the end or on a pipe.
    int Seek(int offset, NSeekOrigin origin) override;
    void SetEndOfFile() override;
    /// Pipe files: drops every queued byte. Other files: nothing.
    void PurgeInput() override;
    /// Grows the file's storage to at least bytes; false when there is no memory.
    bool Reserve(int bytes);

private:
    CRamFile* RequireFile();

    std::shared_ptr<CRamDisk> m_pDisk;
    CRamFile* m_pFile = nullptr;
    int m_nPosition = 0;
};

} // namespace StreamIO

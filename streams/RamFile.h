#pragma once
// One file of the RAM disk: bytes in memory that grow in 512-byte steps as
// they are written. A pipe file (created with ofFifo) is a ring buffer that
// one stream writes and another reads, possibly from two threads; every data
// operation holds the file's own lock.
//
// Operations that can be refused return a Win32 code (0 when done); the
// stream on top throws it with its own name.

#include "streams/IoStream.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace StreamIO
{

class CRamFile
{
public:
    /// Reader-open and writer-open marks of a pipe file created without share bits.
    static constexpr std::uint32_t kReaderOpen = 0x10000000;
    static constexpr std::uint32_t kWriterOpen = 0x20000000;
    static constexpr int kGrowStep = 512;

    /// flags: the creating open's share and pipe bits.
    explicit CRamFile(std::uint32_t flags);
    ~CRamFile();

    CRamFile(const CRamFile&) = delete;
    CRamFile& operator=(const CRamFile&) = delete;

    bool IsPipe() const { return (m_nFlags & ofFifo) != 0; }
    /// A pipe created without share bits: one reader and one writer at most.
    bool IsPurePipe() const { return IsPipe() && (m_nFlags & (ofShareRead | ofShareWrite)) == 0; }

    /// Pipe files: the bytes queued; other files: the length.
    int GetLength();
    int GetCapacity();

    /// Copies up to n bytes from pos (pipes: from the read pointer) and
    /// advances pos. Returns the bytes copied; a negative pos reads nothing.
    int Read(int& pos, void* dst, int n);
    /// Writes n bytes at pos (pipes: at the end) and advances pos. A gap
    /// between the old end and pos reads as zero bytes. Returns 0, or 131 for
    /// a negative pos, 112 when the file would pass 2 GiB.
    int Write(int& pos, const void* src, int n);
    /// Moves pos; 0 when done, 131 for a target before the start, 132 for a
    /// pipe, a target past the end or an unknown origin.
    int Seek(int& pos, int offset, NSeekOrigin origin);
    /// Cuts or extends the file at pos (extension reads as zero bytes); pipes
    /// only empty at pos 0. Returns 0 or 131 for a negative pos.
    int SetEnd(int pos);
    /// Frees the storage: the file is empty.
    void Empty();
    /// Grows the capacity to at least n bytes; false when there is no memory.
    bool Reserve(int n);

private:
    friend class CRamDisk;

    /// Grows to at least n bytes under the lock; throws std::bad_alloc.
    void Grow(std::int64_t n);
    int LengthLocked() const;
    void EmptyLocked();

    const std::uint32_t m_nFlags;
    std::uint32_t m_nPipeMarks = 0; // kReaderOpen, kWriterOpen; guarded by the disk's lock
    int m_nCapacity = 0;
    std::unique_ptr<std::uint8_t[]> m_pBuffer;
    int m_nRead = 0; // pipes: index of the next byte to read; other files 0
    int m_nEnd = 0;  // index of the end of the data (pipes: the next byte to write)
    std::atomic<int> m_nRefCount{0};
    std::mutex m_lock;
};

} // namespace StreamIO

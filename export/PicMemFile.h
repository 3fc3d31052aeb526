#pragma once
// A growable memory buffer as image sink. Encoding into memory ends with the
// buffer detached and handed to the caller, who frees it with std::free.

#include "export/PicFile.h"

class CPicMemFile : public CPicFile
{
public:
    /// Works in place on a given buffer of size bytes; with none the sink owns
    /// whatever it allocates.
    explicit CPicMemFile(std::uint8_t* buffer = nullptr, long size = 0);
    ~CPicMemFile() override;

    /// Starts an empty owned buffer; false when a buffer is already present.
    bool Open();
    /// The buffer; with detach the sink stops owning it.
    std::uint8_t* GetBuffer(bool detach = true);

    bool Close() override;
    std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
    bool Seek(long offset, int origin) override;
    long Tell() override;
    long Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    bool PutC(std::uint8_t c) override;
    long GetC() override;
    char* GetS(char* buffer, int n) override;
    int Scanf(const char* format, ...) override;

    /// Allocated length of the buffer.
    long GetEdge() const { return m_edge; }

protected:
    /// Makes room for n bytes. A failed growth keeps the old buffer.
    bool Alloc(std::size_t n);
    /// Zero-fills the gap between the data's end and the position, so a write
    /// past the end never leaves stale memory in the output.
    void FillGap();

private:
    std::uint8_t* m_buffer = nullptr;
    long m_size = 0;
    bool m_freeOnClose = false;
    long m_position = 0;
    long m_edge = 0;
};

#pragma once
// An instrument played from fuzz bytes: every read takes the next bytes of
// the input, as a line would deliver what the instrument sent; writes are
// taken whole and only counted. Once the input is used up a read gets
// nothing (error 38), as from an instrument that fell silent, so no exchange
// waits for a time-out.

#include "streams/IoStream.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstddef>

namespace TerrionFuzz
{

class CFuzzInstrumentStream : public StreamIO::CIoStream
{
public:
    /// replies is read from as the instrument's answers; it must outlive the stream.
    explicit CFuzzInstrumentStream(CFuzzInput& replies);

    bool Open(const std::wstring& name, std::uint32_t openFlags) override;
    void Close() override;
    bool IsOpen() const override { return m_bOpen; }
    int Read(void* buffer, int length) override;
    int Write(const void* buffer, int length) override;
    bool GetTimeouts(int* readMs, int* writeMs) override;
    bool SetTimeouts(int readMs, int writeMs) override;

    std::size_t Written() const { return m_nWritten; }

private:
    CFuzzInput& m_replies;
    bool m_bOpen;
    std::size_t m_nWritten = 0;
    int m_nReadMs = 1000;
    int m_nWriteMs = 1000;
};

} // namespace TerrionFuzz

#include "tests/fuzz/FuzzInstrumentStream.h"

#include "streams/Win32Error.h"

#include <cstring>

namespace TerrionFuzz
{

CFuzzInstrumentStream::CFuzzInstrumentStream(CFuzzInput& replies)
    : CIoStream(L"COM1:"), m_replies(replies), m_bOpen(true)
{
    SetNameAndFlags(L"COM1:", StreamIO::ofRead | StreamIO::ofWrite);
}

bool CFuzzInstrumentStream::Open(const std::wstring& name, std::uint32_t openFlags)
{
    SetNameAndFlags(name, openFlags);
    SetError(0);
    m_bOpen = true;
    return true;
}

void CFuzzInstrumentStream::Close()
{
    if (!m_bOpen)
        ThrowError(StreamIO::errInvalidHandle);
    m_bOpen = false;
}

int CFuzzInstrumentStream::Read(void* buffer, int length)
{
    SetError(0);
    if (!m_bOpen)
        ThrowError(StreamIO::errInvalidHandle);
    if (length <= 0)
        return 0;
    const auto piece = m_replies.Take(static_cast<std::size_t>(length));
    if (!piece.empty())
        std::memcpy(buffer, piece.data(), piece.size());
    if (piece.empty())
        SetError(StreamIO::errHandleEof);
    return static_cast<int>(piece.size());
}

int CFuzzInstrumentStream::Write(const void*, int length)
{
    SetError(0);
    if (!m_bOpen)
        ThrowError(StreamIO::errInvalidHandle);
    if (length <= 0)
        return 0;
    m_nWritten += static_cast<std::size_t>(length);
    return length;
}

bool CFuzzInstrumentStream::GetTimeouts(int* readMs, int* writeMs)
{
    if (readMs != nullptr)
        *readMs = m_nReadMs;
    if (writeMs != nullptr)
        *writeMs = m_nWriteMs;
    return true;
}

bool CFuzzInstrumentStream::SetTimeouts(int readMs, int writeMs)
{
    m_nReadMs = readMs;
    m_nWriteMs = writeMs;
    return true;
}

} // namespace TerrionFuzz

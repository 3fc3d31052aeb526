#include "streams/IoStream.h"

#include "streams/FileException.h"
#include "streams/StreamTable.h"
#include "streams/Win32Error.h"

namespace StreamIO
{

CIoStream::CIoStream(std::wstring name) : m_strName(std::move(name))
{
    CStreamTable::Instance().Register(this);
}

CIoStream::~CIoStream()
{
    CStreamTable::Instance().Unregister(this);
}

bool CIoStream::Reopen()
{
    if (m_strName.empty())
        return false;
    return Open(m_strName, m_nOpenFlags);
}

void CIoStream::CloseNoThrow()
{
    try
    {
        Close();
    }
    catch (const CFileException&)
    {
    }
}

bool CIoStream::GetTimeouts(int* /*readMs*/, int* /*writeMs*/)
{
    return false;
}

bool CIoStream::SetTimeouts(int /*readMs*/, int /*writeMs*/)
{
    return false;
}

bool CIoStream::IsTimeoutOrEof() const
{
    const int error = GetError();
    return error == errHandleEof || error == errTimeout;
}

std::uint8_t CIoStream::ReadByte()
{
    std::uint8_t value = 0;
    Read(&value, 1);
    return value;
}

void CIoStream::WriteByte(std::uint8_t value)
{
    Write(&value, 1);
}

int CIoStream::Seek(int /*offset*/, NSeekOrigin /*origin*/)
{
    return 0;
}

int CIoStream::SetPosition(int /*position*/)
{
    return 0;
}

void CIoStream::ThrowError(int error)
{
    m_nLastError = error;
    CFileException::ThrowOsError(error, m_strName);
}

CIoStream* CIoStream::FromHandle(std::uint32_t handle)
{
    return CStreamTable::Instance().Lookup(handle);
}

int CIoStream::CloseByHandle(std::uint32_t handle)
{
    CIoStream* stream = FromHandle(handle);
    if (stream == nullptr)
        return errInvalidHandle;
    int result = 0;
    try
    {
        stream->Close();
    }
    catch (const CFileException& e)
    {
        result = e.GetOsError();
    }
    catch (const std::exception&)
    {
        result = errInvalidData;
    }
    if (stream->GetAutoDelete())
        delete stream;
    return result;
}

} // namespace StreamIO

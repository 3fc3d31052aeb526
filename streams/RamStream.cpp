#include "streams/RamStream.h"

#include "streams/AsciiCase.h"
#include "streams/FileException.h"
#include "streams/Win32Error.h"

#include <new>

namespace StreamIO
{

CRamStream::CRamStream() = default;

CRamStream::CRamStream(const std::wstring& name, std::uint32_t openFlags)
{
    Open(name, openFlags);
}

CRamStream::~CRamStream()
{
    if (m_pFile != nullptr)
        m_pDisk->ReleaseFile(m_pFile, GetOpenFlags());
}

bool CRamStream::Open(const std::wstring& name, std::uint32_t openFlags)
{
    if (IsOpen())
    {
        SetError(errNotSupported);
        return false;
    }
    SetNameAndFlags(CAsciiCase::StartsWithNoCase(name, L"RAM:") ? name : L"RAM:" + name, openFlags);
    SetError(0);
    std::shared_ptr<CRamDisk> disk = CRamDisk::Instance();
    CRamFile* file = nullptr;
    try
    {
        file = disk->OpenFile(GetName(), openFlags);
    }
    catch (const CFileException& e)
    {
        SetError(e.GetOsError());
        throw;
    }
    catch (const std::bad_alloc&)
    {
        file = nullptr;
    }
    if (file == nullptr)
        ThrowError(errOutOfMemory);
    m_pDisk = std::move(disk);
    m_pFile = file;
    m_nPosition = 0;
    return true;
}

void CRamStream::Close()
{
    if (m_pFile == nullptr)
        return;
    CRamFile* file = m_pFile;
    m_pFile = nullptr;
    m_pDisk->ReleaseFile(file, GetOpenFlags());
    m_pDisk.reset();
    SetError(0);
    m_nPosition = 0;
}

CRamFile* CRamStream::RequireFile()
{
    if (m_pFile == nullptr)
        ThrowError(errInvalidHandle);
    return m_pFile;
}

int CRamStream::Read(void* buffer, int length)
{
    SetError(0);
    CRamFile* file = RequireFile();
    if (!(GetOpenFlags() & ofRead))
        ThrowError(errReadFault);
    if (!file->IsPipe() && m_nPosition < 0)
        ThrowError(errNegativeSeek);
    const int got = file->Read(m_nPosition, buffer, length);
    if (got == 0 && length > 0)
        SetError(errHandleEof);
    return got;
}

int CRamStream::Write(const void* buffer, int length)
{
    SetError(0);
    CRamFile* file = RequireFile();
    if (!(GetOpenFlags() & ofWrite))
        ThrowError(errWriteFault);
    if (length <= 0)
        return 0;
    int error = 0;
    try
    {
        error = file->Write(m_nPosition, buffer, length);
    }
    catch (const std::bad_alloc&)
    {
        error = errOutOfMemory;
    }
    ThrowError(error);
    return length;
}

bool CRamStream::IsSeekable() const
{
    return m_pFile != nullptr && !m_pFile->IsPipe();
}

int CRamStream::GetLength()
{
    return RequireFile()->GetLength();
}

int CRamStream::SetPosition(int position)
{
    m_nPosition = position;
    return position;
}

int CRamStream::Seek(int offset, NSeekOrigin origin)
{
    CRamFile* file = RequireFile();
    ThrowError(file->Seek(m_nPosition, offset, origin));
    return m_nPosition;
}

void CRamStream::SetEndOfFile()
{
    CRamFile* file = RequireFile();
    if (!(GetOpenFlags() & ofWrite))
        ThrowError(errWriteFault);
    int error = 0;
    try
    {
        error = file->SetEnd(m_nPosition);
    }
    catch (const std::bad_alloc&)
    {
        error = errOutOfMemory;
    }
    ThrowError(error);
}

void CRamStream::PurgeInput()
{
    if (RequireFile()->IsPipe())
        m_pFile->Empty();
}

bool CRamStream::Reserve(int bytes)
{
    return RequireFile()->Reserve(bytes);
}

} // namespace StreamIO

#include "streams/RamDisk.h"

#include "streams/AsciiCase.h"
#include "streams/FileException.h"
#include "streams/Win32Error.h"

namespace StreamIO
{
namespace
{

std::mutex g_instanceLock;
std::shared_ptr<CRamDisk> g_instance;

} // namespace

CRamDisk::CRamDisk(std::wstring name) : m_strName(std::move(name))
{
    const std::size_t colon = m_strName.find(L':');
    if (colon == std::wstring::npos)
        m_strName.push_back(L':');
    else if (colon + 1 != m_strName.size())
        CFileException::ThrowOsError(errInvalidName, m_strName);
}

CRamDisk::~CRamDisk() = default;

CRamFile* CRamDisk::OpenFile(const std::wstring& name, std::uint32_t openFlags)
{
    std::wstring key = name;
    if (CAsciiCase::StartsWithNoCase(key, m_strName))
        key.erase(0, m_strName.size());
    if (key.find(L':') != std::wstring::npos)
        CFileException::ThrowOsError(errInvalidName, name);

    std::lock_guard guard(m_lock);
    const std::uint32_t creation = openFlags & ofCreationMask;
    CRamFile* file = nullptr;
    const auto found = m_files.find(key);
    if (found != m_files.end())
    {
        file = found->second.get();
        if (creation == ofCreateNew)
            CFileException::ThrowOsError(errFileExists, name);
        if (creation == ofCreateAlways)
        {
            if (!(file->m_nFlags & ofShareWrite))
                CFileException::ThrowOsError(errSharingViolation, name);
            if (file->IsPipe())
                CFileException::ThrowOsError(errOpenFailed, name);
        }
        if (!file->IsPurePipe())
        {
            if (((openFlags & ofRead) && !(file->m_nFlags & ofShareRead)) ||
                ((openFlags & ofWrite) && !(file->m_nFlags & ofShareWrite)))
                CFileException::ThrowOsError(errSharingViolation, name);
            if (creation == ofCreateAlways)
                file->Empty();
        }
        else if (((openFlags & ofRead) && (file->m_nPipeMarks & CRamFile::kReaderOpen)) ||
                 ((openFlags & ofWrite) && (file->m_nPipeMarks & CRamFile::kWriterOpen)))
        {
            CFileException::ThrowOsError(errSharingViolation, name);
        }
    }
    else
    {
        if (creation == ofOpenExisting)
            CFileException::ThrowOsError(errFileNotFound, name);
        auto created = std::make_unique<CRamFile>(openFlags & (ofShareRead | ofShareWrite | ofFifo));
        file = created.get();
        m_files.emplace(key, std::move(created));
    }

    ++file->m_nRefCount;
    if (file->IsPurePipe())
    {
        if (openFlags & ofRead)
            file->m_nPipeMarks |= CRamFile::kReaderOpen;
        if (openFlags & ofWrite)
            file->m_nPipeMarks |= CRamFile::kWriterOpen;
    }
    return file;
}

void CRamDisk::ReleaseFile(CRamFile* file, std::uint32_t openFlags)
{
    std::lock_guard guard(m_lock);
    if (--file->m_nRefCount == 0)
    {
        for (auto it = m_files.begin(); it != m_files.end(); ++it)
        {
            if (it->second.get() == file)
            {
                m_files.erase(it);
                break;
            }
        }
        return;
    }
    if (file->IsPurePipe())
    {
        if (openFlags & ofRead)
            file->m_nPipeMarks &= ~CRamFile::kReaderOpen;
        if (openFlags & ofWrite)
            file->m_nPipeMarks &= ~CRamFile::kWriterOpen;
    }
}

std::shared_ptr<CRamDisk> CRamDisk::Instance()
{
    std::lock_guard guard(g_instanceLock);
    if (!g_instance)
        g_instance = std::make_shared<CRamDisk>(L"RAM:");
    return g_instance;
}

void CRamDisk::CreateInstance()
{
    Instance();
}

void CRamDisk::DestroyInstance()
{
    std::lock_guard guard(g_instanceLock);
    g_instance.reset();
}

} // namespace StreamIO

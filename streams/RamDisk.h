#pragma once
// An in-memory file system of one level. Files are found by name (letter case
// counts), shared between streams by share rules like a disk's, and deleted
// when their last stream closes. The process has one disk named "RAM:",
// created by StreamIO::Initialize (or on first use) and destroyed by
// StreamIO::Terminate; streams keep it alive while they hold a file on it.

#include "streams/RamFile.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace StreamIO
{

class CRamDisk
{
public:
    /// An empty name or one without ':' gets ':' appended; a ':' that is not
    /// the last character throws 123.
    explicit CRamDisk(std::wstring name);
    /// Deletes every file still on the disk.
    ~CRamDisk();

    CRamDisk(const CRamDisk&) = delete;
    CRamDisk& operator=(const CRamDisk&) = delete;

    const std::wstring& GetName() const { return m_strName; }

    /// Opens or creates the file name (with or without the disk name in front)
    /// by the open flags' creation, access, share and pipe bits and counts the
    /// new reference. Refusals throw CFileException with the name: 123 bad
    /// name, 2 not found, 80 exists, 32 sharing violation, 110 truncating a pipe.
    CRamFile* OpenFile(const std::wstring& name, std::uint32_t openFlags);
    /// Drops one reference taken by OpenFile with openFlags; the last one
    /// deletes the file.
    void ReleaseFile(CRamFile* file, std::uint32_t openFlags);

    /// The process's disk "RAM:", created when there is none.
    static std::shared_ptr<CRamDisk> Instance();
    /// Creates the process's disk (StreamIO::Initialize).
    static void CreateInstance();
    /// Lets go of the process's disk (StreamIO::Terminate); it is destroyed
    /// when the last stream on it has closed.
    static void DestroyInstance();

private:
    std::wstring m_strName;
    std::unordered_map<std::wstring, std::unique_ptr<CRamFile>> m_files;
    std::mutex m_lock;
};

} // namespace StreamIO

#pragma once
// Writes a file so that it appears whole or not at all. The data goes into a
// temporary file beside the target; Commit syncs it, renames it over the
// target and syncs the folder, so after a crash either the old or the new
// file is there, never a piece. A link is followed: the file it names is
// replaced and the link stays. An existing target's permissions (and, where
// allowed, owner and group) pass to the new file; a new file gets the
// permissions any new file gets, without touching the process's umask.
// Whatever goes wrong, the temporary file is removed.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace StreamIO
{

class CAtomicFileWriter
{
public:
    /// Creates the temporary file. Throws CFileException (with the target's
    /// name) when the target's folder cannot take it.
    explicit CAtomicFileWriter(const std::wstring& target);
    /// Removes the temporary file unless Commit succeeded.
    ~CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    /// The temporary file, for a writer that opens it by name (the archive).
    const std::wstring& GetTempPath() const { return m_tempName; }
    /// The file Commit replaces: the target with its links resolved.
    const std::wstring& GetTargetPath() const { return m_targetName; }

    /// Appends bytes to the temporary file; throws CFileException.
    void Write(std::span<const std::uint8_t> bytes);
    /// Makes the temporary file the target; throws CFileException, and then
    /// the target is as it was and the temporary file is gone.
    void Commit();

    /// Writes bytes as the whole new content of target. Returns 0, or the
    /// Win32 code of the failure (the target then is as it was).
    static int WriteFile(const std::wstring& target, std::span<const std::uint8_t> bytes);

private:
    void Discard();
    /// Discards the temporary file and throws the error.
    void Fail(int posixError);

    std::wstring m_targetName;
    std::wstring m_tempName;
    std::string m_target; ///< UTF-8 paths for the system calls
    std::string m_temp;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace StreamIO

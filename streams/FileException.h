#pragma once
// The exception every stream throws for a refused system call or misuse.
// It carries the Win32 error number and the name of the stream that failed.

#include <stdexcept>
#include <string>

namespace StreamIO
{

class CFileException : public std::runtime_error
{
public:
    CFileException(int osError, std::wstring fileName);

    /// The Win32 error number (never 0).
    int GetOsError() const { return m_nOsError; }
    /// The name of the stream that threw, as it was opened.
    const std::wstring& GetFileName() const { return m_strFileName; }

    /// Throws a CFileException for osError; an osError of 0 throws nothing.
    static void ThrowOsError(int osError, const std::wstring& fileName);

private:
    int m_nOsError;
    std::wstring m_strFileName;
};

} // namespace StreamIO

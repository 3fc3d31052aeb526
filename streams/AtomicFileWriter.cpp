#include "streams/AtomicFileWriter.h"

#include "streams/FileException.h"
#include "streams/TextCodec.h"
#include "streams/Win32Error.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace StreamIO
{
namespace
{

constexpr int kMaxLinks = 40; // as the kernel's own limit
constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of links ends at; errno ELOOP when it never ends.
bool ResolveLinks(std::string& path)
{
    for (int hop = 0; hop < kMaxLinks; ++hop)
    {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true; // a missing file is created where the chain points
        std::string link(PATH_MAX, '\0');
        const ssize_t n = readlink(path.c_str(), link.data(), link.size());
        if (n < 0)
            return false;
        link.resize(static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

std::string RandomSuffix()
{
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 engine{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kChars) - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix)
        c = kChars[pick(engine)];
    return suffix;
}

} // namespace

CAtomicFileWriter::CAtomicFileWriter(const std::wstring& target) : m_targetName(target)
{
    m_target = CTextCodec::ToUtf8(target);
    if (m_target.empty())
        CFileException::ThrowOsError(errInvalidName, target);
    if (!ResolveLinks(m_target))
        Fail(errno);
    m_targetName = CTextCodec::FromUtf8(m_target);

    // O_EXCL with mode 0666: the kernel applies the umask (or the folder's
    // default ACL) as for any new file, and no other file is ever opened.
    for (int attempt = 0; attempt < kNameAttempts && m_fd < 0; ++attempt)
    {
        m_temp = m_target + "." + RandomSuffix();
        m_fd = open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            Fail(errno);
    }
    if (m_fd < 0)
        Fail(EEXIST);
    m_tempName = CTextCodec::FromUtf8(m_temp);

    struct stat old;
    if (stat(m_target.c_str(), &old) == 0)
    {
        // Best effort: only root may give a file away; the group may still pass.
        const bool owned = fchown(m_fd, old.st_uid, old.st_gid) == 0 ||
                           fchown(m_fd, static_cast<uid_t>(-1), old.st_gid) == 0;
        static_cast<void>(owned);
        if (fchmod(m_fd, old.st_mode & 07777) != 0)
            Fail(errno);
    }
}

CAtomicFileWriter::~CAtomicFileWriter()
{
    if (!m_committed)
        Discard();
}

void CAtomicFileWriter::Discard()
{
    if (m_fd >= 0)
    {
        close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty())
    {
        unlink(m_temp.c_str());
        m_temp.clear();
    }
}

void CAtomicFileWriter::Fail(int posixError)
{
    Discard();
    CFileException::ThrowOsError(Win32ErrorFromErrno(posixError), m_targetName);
}

void CAtomicFileWriter::Write(std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0)
        CFileException::ThrowOsError(errInvalidHandle, m_targetName);
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t n = write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(errno);
        if (n == 0)
            Fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
}

void CAtomicFileWriter::Commit()
{
    if (m_fd < 0 || m_committed)
        CFileException::ThrowOsError(errInvalidHandle, m_targetName);
    if (fsync(m_fd) != 0)
        Fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0)
        Fail(errno);
    if (std::rename(m_temp.c_str(), m_target.c_str()) != 0)
        Fail(errno);
    m_committed = true;
    // The rename itself reaches the disk with the folder; a folder that
    // cannot be synced (some file systems refuse) leaves the rename done.
    if (const int dir = open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0)
    {
        fsync(dir);
        close(dir);
    }
}

int CAtomicFileWriter::WriteFile(const std::wstring& target, std::span<const std::uint8_t> bytes)
{
    try
    {
        CAtomicFileWriter writer(target);
        writer.Write(bytes);
        writer.Commit();
        return 0;
    }
    catch (const CFileException& e)
    {
        return e.GetOsError();
    }
}

} // namespace StreamIO

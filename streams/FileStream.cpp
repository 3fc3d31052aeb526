#include "streams/FileStream.h"

#include "streams/AsciiCase.h"
#include "streams/ComPortMap.h"
#include "streams/FileException.h"
#include "streams/TextCodec.h"
#include "streams/Win32Error.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace StreamIO
{
namespace
{

constexpr std::uint32_t kWriteMsPerByte = 50;

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

/// Port number of a "\\.\COMn" device name, or 0.
int ParseComDeviceName(const std::wstring& name)
{
    static const std::wstring kPrefix = L"\\\\.\\COM";
    if (name.size() <= kPrefix.size() || name.size() > kPrefix.size() + 3)
        return 0;
    if (!CAsciiCase::StartsWithNoCase(name, kPrefix))
        return 0;
    int port = 0;
    for (std::size_t i = kPrefix.size(); i < name.size(); ++i)
    {
        if (name[i] < L'0' || name[i] > L'9')
            return 0;
        port = port * 10 + (name[i] - L'0');
    }
    return port >= CComPortMap::kFirstPort && port <= CComPortMap::kLastPort ? port : 0;
}

bool IsIgnorableSyncError(int error)
{
    // Descriptors that cannot be synchronised (pipes, some devices) have nothing to flush.
    return error == EINVAL || error == EROFS;
}

} // namespace

CFileStream::CFileStream(const std::wstring& name, std::uint32_t openFlags)
{
    Open(name, openFlags);
}

CFileStream::~CFileStream()
{
    if (IsOpen())
        CloseNoThrow();
}

std::wstring CFileStream::ComDeviceName(int port)
{
    return L"\\\\.\\COM" + std::to_wstring(port);
}

bool CFileStream::Open(const std::wstring& name, std::uint32_t openFlags)
{
    if (IsOpen())
    {
        SetError(errNotSupported);
        return false;
    }
    SetNameAndFlags(name, openFlags);
    SetError(0);
    m_bLineLost = false;

    const int port = ParseComDeviceName(name);
    std::string path;
    int flags = O_CLOEXEC;
    if ((openFlags & ofRead) && (openFlags & ofWrite))
        flags |= O_RDWR;
    else if (openFlags & ofWrite)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;

    if (port != 0)
    {
        path = CComPortMap::ResolvePath(port);
        if (path.empty())
            ThrowError(errFileNotFound);
        flags |= O_NOCTTY | O_NONBLOCK;
    }
    else
    {
        path = CTextCodec::ToUtf8(name);
        switch (openFlags & ofCreationMask)
        {
        case ofOpenAlways:
            flags |= O_CREAT;
            break;
        case ofCreateNew:
            flags |= O_CREAT | O_EXCL;
            break;
        case ofCreateAlways:
            flags |= O_CREAT | ((openFlags & ofWrite) ? O_TRUNC : 0);
            break;
        default:
            break;
        }
    }

    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        ThrowError(Win32ErrorFromErrno(errno));

    struct stat info
    {
    };
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
    {
        ::close(fd);
        ThrowError(errAccessDenied);
    }

    if (port != 0)
    {
        if (!isatty(fd))
        {
            ::close(fd);
            ThrowError(errFileNotFound);
        }
        // A serial port belongs to one opener, as on Windows. flock also holds
        // against root, which TIOCEXCL alone does not.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        {
            ::close(fd);
            ThrowError(errAccessDenied);
        }
        ioctl(fd, TIOCEXCL);
        termios tio{};
        if (tcgetattr(fd, &tio) == 0)
        {
            cfmakeraw(&tio);
            tio.c_cflag |= CLOCAL | CREAD;
            tio.c_cc[VMIN] = 0;
            tio.c_cc[VTIME] = 0;
            tcsetattr(fd, TCSANOW, &tio);
        }
        m_hAbortEvent = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (m_hAbortEvent < 0)
        {
            const int error = errno;
            ::close(fd);
            ThrowError(Win32ErrorFromErrno(error));
        }
        m_bTerminal = true;
        m_timeouts = SCommTimeouts{};
    }
    m_hFile = fd;
    return true;
}

void CFileStream::CloseDescriptors()
{
    if (m_hAbortEvent != -1)
        ::close(m_hAbortEvent);
    m_hAbortEvent = -1;
    m_hFile = -1;
    m_bTerminal = false;
}

void CFileStream::Close()
{
    if (m_hFile == -1)
        ThrowError(errInvalidHandle);
    int error = 0;
    // A failed sync or close means written data may be lost: report it.
    if ((GetOpenFlags() & ofWrite) && !m_bTerminal && fsync(m_hFile) != 0 && !IsIgnorableSyncError(errno))
        error = errno;
    if (::close(m_hFile) != 0 && error == 0 && errno != EINTR)
        error = errno;
    CloseDescriptors();
    if (error != 0)
        ThrowError(Win32ErrorFromErrno(error));
}

void CFileStream::Flush()
{
    if (!(GetOpenFlags() & ofWrite) || m_hFile == -1)
        return;
    const int result = m_bTerminal ? tcdrain(m_hFile) : fsync(m_hFile);
    if (result != 0 && !IsIgnorableSyncError(errno))
        ThrowError(Win32ErrorFromErrno(errno));
}

bool CFileStream::GetTimeouts(int* readMs, int* writeMs)
{
    if (m_hFile == -1)
        ThrowError(errInvalidHandle);
    if (!m_bTerminal)
        return false;
    const SCommTimeouts& t = m_timeouts;
    if (readMs != nullptr)
        *readMs =
            (t.readInterval || t.readMultiplier || t.readConstant) ? static_cast<int>(t.readConstant) : -1;
    if (writeMs != nullptr)
        *writeMs = (t.writeMultiplier || t.writeConstant) ? static_cast<int>(t.writeConstant) : -1;
    return true;
}

bool CFileStream::SetTimeouts(int readMs, int writeMs)
{
    if (m_hFile == -1)
        ThrowError(errInvalidHandle);
    if (!m_bTerminal)
        return false;
    SCommTimeouts t;
    t.readConstant = readMs == -1 ? 0 : static_cast<std::uint32_t>(std::max(readMs, 0));
    if (writeMs != -1)
    {
        t.writeMultiplier = kWriteMsPerByte;
        t.writeConstant = static_cast<std::uint32_t>(std::max(writeMs, 0));
    }
    m_timeouts = t;
    return true;
}

bool CFileStream::Abort()
{
    if (m_hFile == -1 || !m_bTerminal)
        return false;
    // Cancels the waits only. Nothing queued is thrown away: received bytes
    // stay for the next read, and bytes already handed to the line still go
    // out (a goodbye to the instrument must not vanish with a stop request).
    m_nAbortCount.fetch_add(1);
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t ignored = ::write(m_hAbortEvent, &one, sizeof one);
    return true;
}

bool CFileStream::WaitTerminal(short events, std::int64_t deadlineMs, std::uint64_t abortSeen)
{
    for (;;)
    {
        int timeout = -1;
        if (deadlineMs >= 0)
        {
            const std::int64_t left = deadlineMs - NowMs();
            if (left <= 0)
                return false;
            timeout = static_cast<int>(std::min<std::int64_t>(left, INT_MAX));
        }
        pollfd fds[2] = {{m_hFile, events, 0}, {m_hAbortEvent, POLLIN, 0}};
        const int ready = poll(fds, 2, timeout);
        if (ready < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowError(Win32ErrorFromErrno(errno));
        }
        if (ready == 0)
            return false;
        if (fds[1].revents & POLLIN)
        {
            std::uint64_t count = 0;
            [[maybe_unused]] ssize_t ignored = ::read(m_hAbortEvent, &count, sizeof count);
            if (m_nAbortCount.load() != abortSeen)
                return false;
        }
        // A hung-up terminal reports itself readable and writable for ever;
        // the transfer that follows finds out that nothing moves.
        if (fds[0].revents & events)
            return true;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            ThrowTerminalError(errIoDevice); // the device went away
    }
}

std::int64_t CFileStream::TerminalDeadline(bool writing, int length) const
{
    const SCommTimeouts& t = m_timeouts;
    const std::uint32_t multiplier = writing ? t.writeMultiplier : t.readMultiplier;
    const std::uint32_t constant = writing ? t.writeConstant : t.readConstant;
    const bool forever = multiplier == 0 && constant == 0 && (writing || t.readInterval == 0);
    return forever ? -1 : NowMs() + static_cast<std::int64_t>(multiplier) * length + constant;
}

template <typename TMove> int CFileStream::Transfer(bool writing, int length, TMove move)
{
    const std::uint64_t abortSeen = m_nAbortCount.load();
    const std::int64_t deadline = m_bTerminal ? TerminalDeadline(writing, length) : -1;
    int moved = 0;
    bool mayMove = true; // after a short transfer a terminal's queue is spent: wait before trying again
    while (moved < length)
    {
        if (!mayMove && !WaitTerminal(writing ? POLLOUT : POLLIN, deadline, abortSeen))
            break;
        const std::size_t wanted = static_cast<std::size_t>(length - moved);
        const ssize_t n = move(static_cast<std::size_t>(moved), wanted);
        if (n > 0)
        {
            moved += static_cast<int>(n);
            mayMove = !m_bTerminal || static_cast<std::size_t>(n) == wanted;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (m_bTerminal && (n == 0 || errno == EAGAIN))
        {
            // The wait said bytes were there, yet the read found none: the
            // line was hung up (an adapter pulled out). Waiting again would
            // spin until the time-out and pass the loss off as silence.
            if (!writing && !mayMove && n == 0)
                ThrowTerminalError(errIoDevice);
            mayMove = false;
            continue;
        }
        if (n < 0)
            ThrowTerminalError(Win32ErrorFromErrno(errno));
        break; // end of the file
    }
    return moved;
}

void CFileStream::ThrowTerminalError(int error)
{
    if (m_bTerminal && error == errIoDevice)
        m_bLineLost = true;
    ThrowError(error);
}

int CFileStream::Read(void* buffer, int length)
{
    SetError(0);
    if (!(GetOpenFlags() & ofRead))
        ThrowError(errReadFault);
    if (m_hFile == -1)
        ThrowError(errInvalidHandle);
    if (length <= 0)
        return 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    const int got = Transfer(false, length,
                             [this, bytes](std::size_t offset, std::size_t count)
                             { return ::read(m_hFile, bytes + offset, count); });
    if (got == 0)
        SetError(errHandleEof);
    return got;
}

int CFileStream::Write(const void* buffer, int length)
{
    SetError(0);
    if (!(GetOpenFlags() & ofWrite))
        ThrowError(errWriteFault);
    if (m_hFile == -1)
        ThrowError(errInvalidHandle);
    if (length <= 0)
        return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    const int done = Transfer(true, length,
                              [this, bytes](std::size_t offset, std::size_t count)
                              { return ::write(m_hFile, bytes + offset, count); });
    if (done == 0)
        SetError(errTimeout);
    return done;
}

int CFileStream::GetLength()
{
    struct stat info
    {
    };
    if (fstat(m_hFile, &info) != 0)
        ThrowError(Win32ErrorFromErrno(errno));
    return static_cast<int>(static_cast<std::uint32_t>(info.st_size));
}

int CFileStream::GetPosition()
{
    return Seek(0, soCurrent);
}

int CFileStream::SetPosition(int position)
{
    return Seek(position, soBegin);
}

int CFileStream::Seek(int offset, NSeekOrigin origin)
{
    int whence = 0;
    switch (origin)
    {
    case soCurrent:
        whence = SEEK_CUR;
        break;
    case soBegin:
        whence = SEEK_SET;
        break;
    case soEnd:
        whence = SEEK_END;
        break;
    default:
        ThrowError(errSeek);
    }
    if (m_hFile == -1)
        ThrowError(errInvalidHandle);
    // The end is taken from the file's size, so a refused seek leaves the pointer where it was.
    off_t base = 0;
    if (whence == SEEK_CUR)
    {
        base = lseek(m_hFile, 0, SEEK_CUR);
    }
    else if (whence == SEEK_END)
    {
        struct stat info
        {
        };
        base = fstat(m_hFile, &info) == 0 ? info.st_size : -1;
    }
    if (base < 0)
        ThrowError(Win32ErrorFromErrno(errno));
    if (base + offset < 0)
        ThrowError(errNegativeSeek);
    const off_t position = lseek(m_hFile, base + offset, SEEK_SET);
    if (position < 0)
        ThrowError(Win32ErrorFromErrno(errno));
    return static_cast<int>(position);
}

void CFileStream::SetEndOfFile()
{
    if (!(GetOpenFlags() & ofWrite))
        ThrowError(errWriteFault);
    const off_t position = lseek(m_hFile, 0, SEEK_CUR);
    if (position < 0 || ftruncate(m_hFile, position) != 0)
        ThrowError(Win32ErrorFromErrno(errno));
}

} // namespace StreamIO

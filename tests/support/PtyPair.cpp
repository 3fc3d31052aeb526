#include "tests/support/PtyPair.h"

#include "streams/ComPortMap.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace TerrionTest
{
namespace
{

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

CPtyPair::CPtyPair()
{
    m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_nMaster < 0 || grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0)
        throw std::runtime_error("cannot create a pseudo-terminal");
    char name[128] = {};
    if (ptsname_r(m_nMaster, name, sizeof name) != 0)
        throw std::runtime_error("cannot name the pseudo-terminal");
    m_strSlavePath = name;
    // Raw on the slave from the start, so nothing the test writes is echoed or translated.
    const int slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0)
    {
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        close(slave);
    }
}

CPtyPair::~CPtyPair()
{
    if (m_nMappedPort != 0)
        StreamIO::CComPortMap::SetMapping(m_nMappedPort, {});
    if (m_nMaster >= 0)
        close(m_nMaster);
}

void CPtyPair::Map(int port)
{
    m_nMappedPort = port;
    StreamIO::CComPortMap::SetMapping(port, m_strSlavePath);
}

void CPtyPair::HangUp()
{
    if (m_nMaster >= 0)
        close(m_nMaster);
    m_nMaster = -1;
}

void CPtyPair::Write(const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t n = ::write(m_nMaster, bytes.data() + done, bytes.size() - done);
        if (n > 0)
        {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            throw std::runtime_error("pseudo-terminal write failed");
        pollfd fd{m_nMaster, POLLOUT, 0};
        poll(&fd, 1, 100);
    }
}

void CPtyPair::Write(const std::string& text)
{
    Write(std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> CPtyPair::Read(std::size_t count, int timeoutMs)
{
    std::vector<std::uint8_t> bytes;
    const std::int64_t deadline = NowMs() + timeoutMs;
    while (bytes.size() < count)
    {
        std::uint8_t buffer[4096];
        const ssize_t n = ::read(m_nMaster, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (n > 0)
        {
            bytes.insert(bytes.end(), buffer, buffer + n);
            continue;
        }
        const std::int64_t left = deadline - NowMs();
        if (left <= 0)
            break;
        pollfd fd{m_nMaster, POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left));
        if (fd.revents & (POLLHUP | POLLERR))
        {
            // No slave open yet, or it was closed: wait a little and retry.
            usleep(2000);
        }
    }
    return bytes;
}

std::vector<std::uint8_t> CPtyPair::ReadUntilQuiet(int quietMs)
{
    std::vector<std::uint8_t> bytes;
    for (;;)
    {
        std::vector<std::uint8_t> more = Read(4096, quietMs);
        if (more.empty())
            return bytes;
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
}

int CPtyPair::ReadFromHost(short revents, std::uint8_t* buffer, std::size_t size)
{
    ssize_t n = 0;
    if (revents & POLLIN)
        n = ::read(m_nMaster, buffer, size);
    if (n > 0)
        return static_cast<int>(n);
    // Without a host on the slave the master reports a hang-up or EIO.
    return (revents & (POLLHUP | POLLERR)) || (n < 0 && errno == EIO) ? -1 : 0;
}

} // namespace TerrionTest

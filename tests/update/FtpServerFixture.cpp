#include "tests/update/FtpServerFixture.h"

#include "update/FtpClient.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TerrionTest
{

CFtpServerFixture::CFtpServerFixture()
{
    ::unsetenv("TERRIONLINK_UPDATE_SERVER");
}

CFtpServerFixture::~CFtpServerFixture()
{
    Stop();
    Update::CFtpClient::SetServer("");
}

std::vector<std::uint8_t> CFtpServerFixture::Pattern(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = 0x12345678u + static_cast<std::uint32_t>(size);
    for (auto& byte : bytes)
    {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 23);
    }
    return bytes;
}

void CFtpServerFixture::AddFile(const std::string& relativePath, const std::vector<std::uint8_t>& bytes)
{
    std::filesystem::path path = Root() / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void CFtpServerFixture::AddFile(const std::string& relativePath, std::size_t size)
{
    AddFile(relativePath, Pattern(size));
}

bool CFtpServerFixture::Start(const std::vector<std::string>& extra)
{
    Stop();
    int out[2];
    if (::pipe(out) != 0)
        return false;
    std::vector<std::string> args = {"/usr/bin/python3", TERRION_FTP_SERVER_SCRIPT, "--root",
                                     Root().string()};
    args.insert(args.end(), extra.begin(), extra.end());
    pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0)
    {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive a crashed test
        if (::getppid() != parent)
            ::_exit(1);
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (m_pid < 0)
    {
        ::close(out[0]);
        return false;
    }
    std::string line;
    char c = 0;
    pollfd fd{out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&fd, 1, 10000) > 0 && ::read(out[0], &c, 1) == 1)
        line += c;
    ::close(out[0]);
    if (std::sscanf(line.c_str(), "PORT %d", &m_port) != 1)
    {
        Stop();
        return false;
    }
    Update::CFtpClient::SetServer("127.0.0.1:" + std::to_string(m_port));
    return true;
}

void CFtpServerFixture::Stop()
{
    if (m_pid > 0)
    {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
}

int CFtpServerFixture::ClosedPort()
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

} // namespace TerrionTest

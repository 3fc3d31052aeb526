#include "streams/IpStream.h"
#include "streams/FileException.h"
#include "streams/IpSocket.h"
#include "streams/StreamFactory.h"
#include "streams/Win32Error.h"
#include "tests/support/OsErrorOf.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <future>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{

using namespace StreamIO;
using TerrionTest::OsErrorOf;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kReadWrite = ofRead | ofWrite;

// A port on 127.0.0.1 that nobody uses right now.
int FreePort(int type = SOCK_STREAM)
{
    const int fd = ::socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::wstring ClientName(int port)
{
    return L"IP:127.0.0.1:" + std::to_wstring(port);
}

std::wstring ServerName(int port)
{
    return L"IP::" + std::to_wstring(port);
}

std::string ReadText(CIoStream& stream, int length)
{
    std::string text(static_cast<std::size_t>(length), '\0');
    text.resize(static_cast<std::size_t>(stream.Read(text.data(), length)));
    return text;
}

void WriteText(CIoStream& stream, const std::string& text)
{
    ASSERT_EQ(stream.Write(text.data(), static_cast<int>(text.size())), static_cast<int>(text.size()));
}

// A plain listening socket that plays the instrument's side.
class CRawListener
{
public:
    CRawListener()
    {
        m_nFd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int on = 1;
        setsockopt(m_nFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_nFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_nFd, 4);
        socklen_t length = sizeof address;
        getsockname(m_nFd, reinterpret_cast<sockaddr*>(&address), &length);
        m_nPort = ntohs(address.sin_port);
    }
    ~CRawListener() { ::close(m_nFd); }
    CRawListener(const CRawListener&) = delete;
    CRawListener& operator=(const CRawListener&) = delete;

    int Port() const { return m_nPort; }
    int Accept() { return ::accept(m_nFd, nullptr, nullptr); }

private:
    int m_nFd = -1;
    int m_nPort = 0;
};

TEST(IpStreamTest, ClientAndServerEchoOverLoopback)
{
    const int port = FreePort();
    CIpStream server(ServerName(port), kReadWrite);
    EXPECT_FALSE(server.IsConnected());
    std::unique_ptr<CIoStream> client = CreateStream(ClientName(port), kReadWrite);
    ASSERT_NE(dynamic_cast<CIpStream*>(client.get()), nullptr);
    server.SetTimeouts(2000, 2000);
    client->SetTimeouts(2000, 2000);

    WriteText(*client, "hello");
    EXPECT_EQ(ReadText(server, 5), "hello"); // the first read takes the connection
    EXPECT_TRUE(server.IsConnected());
    WriteText(server, "world!");
    EXPECT_EQ(ReadText(*client, 6), "world!");

    int readMs = 0;
    int writeMs = 0;
    ASSERT_TRUE(client->GetTimeouts(&readMs, &writeMs));
    EXPECT_EQ(readMs, 2000);
    EXPECT_EQ(writeMs, 2000);
}

TEST(IpStreamTest, NameWithoutPrefixOpensTheSameClient)
{
    CRawListener listener;
    CIpStream stream(L"127.0.0.1:" + std::to_wstring(listener.Port()), kReadWrite);
    EXPECT_EQ(stream.GetName(), ClientName(listener.Port()));
    EXPECT_TRUE(stream.IsConnected());
    EXPECT_FALSE(stream.Open(ClientName(listener.Port()), kReadWrite));
    EXPECT_EQ(stream.GetError(), errNotSupported);
}

TEST(IpStreamTest, ServerReadWaitsTheReadTimeoutForAClient)
{
    CIpStream server(ServerName(FreePort()), kReadWrite);
    server.SetTimeouts(150, 150);
    char byte = 0;
    const auto start = Clock::now();
    EXPECT_EQ(server.Read(&byte, 1), 0);
    const auto elapsed = Clock::now() - start;
    EXPECT_EQ(server.GetError(), errTimeout);
    EXPECT_GE(elapsed, std::chrono::milliseconds(140));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
}

TEST(IpStreamTest, ServerListensAgainWhenItsPeerHasGone)
{
    const int port = FreePort();
    CIpStream server(ServerName(port), kReadWrite);
    server.SetTimeouts(2000, 2000);
    {
        CIpStream first(ClientName(port), kReadWrite);
        WriteText(first, "a");
        EXPECT_EQ(ReadText(server, 1), "a");
    }
    // The peer has closed: the read sees the end and the server listens again.
    EXPECT_EQ(ReadText(server, 1), "");
    EXPECT_EQ(server.GetError(), errHandleEof);
    EXPECT_FALSE(server.IsConnected());

    CIpStream second(ClientName(port), kReadWrite);
    second.SetTimeouts(2000, 2000);
    WriteText(second, "b");
    EXPECT_EQ(ReadText(server, 1), "b");
    WriteText(server, "c");
    EXPECT_EQ(ReadText(second, 1), "c");
}

TEST(IpStreamTest, ClientReconnectsAfterAResetWithItsTimeouts)
{
    CRawListener listener;
    CIpStream client(ClientName(listener.Port()), kReadWrite);
    client.SetTimeouts(700, 300);
    const int first = listener.Accept();
    ASSERT_GE(first, 0);
    const linger hardClose{1, 0};
    setsockopt(first, SOL_SOCKET, SO_LINGER, &hardClose, sizeof hardClose);
    ::close(first); // a reset, not an orderly close

    char buffer[2] = {};
    EXPECT_EQ(client.Read(buffer, 2), 0);
    const int second = listener.Accept(); // the stream has connected again
    ASSERT_GE(second, 0);
    int readMs = 0;
    int writeMs = 0;
    ASSERT_TRUE(client.GetTimeouts(&readMs, &writeMs));
    EXPECT_EQ(readMs, 700);
    EXPECT_EQ(writeMs, 300);
    ASSERT_EQ(::write(second, "xy", 2), 2);
    EXPECT_EQ(ReadText(client, 2), "xy");
    ::close(second);
}

TEST(IpStreamTest, WritingToAClosedPeerNeverRaisesSigpipe)
{
    CRawListener listener;
    CIpStream client(ClientName(listener.Port()), kReadWrite);
    client.SetTimeouts(300, 300);
    ::close(listener.Accept());
    const std::string block(4096, 'x');
    // A raised SIGPIPE would end the test program here.
    for (int i = 0; i < 50; ++i)
    {
        EXPECT_EQ(OsErrorOf([&] { client.Write(block.data(), static_cast<int>(block.size())); }), 0);
    }
}

TEST(IpStreamTest, ServerPortIsFreeAgainRightAfterClose)
{
    const int port = FreePort();
    {
        CIpStream server(ServerName(port), kReadWrite);
        server.SetTimeouts(2000, 2000);
        CIpStream client(ClientName(port), kReadWrite);
        WriteText(client, "q");
        EXPECT_EQ(ReadText(server, 1), "q");
        server.Close(); // the server closes first and leaves the port in TIME_WAIT
    }
    EXPECT_EQ(OsErrorOf([&] { CIpStream again(ServerName(port), kReadWrite); }), 0);
}

TEST(IpStreamTest, ClientWithoutListenerFailsToOpen)
{
    EXPECT_EQ(OsErrorOf([&] { CIpStream stream(ClientName(FreePort()), kReadWrite); }), errWsaConnRefused);
    CIpStream closed;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_EQ(OsErrorOf([&] { closed.Close(); }), errInvalidHandle);
    char byte = 0;
    EXPECT_EQ(OsErrorOf([&] { closed.Read(&byte, 1); }), errInvalidHandle);
}

TEST(IpStreamTest, LargeDatagramIsHandedOutOverSeveralReads)
{
    const int port = FreePort(SOCK_DGRAM);
    CIpStream server(ServerName(port), kReadWrite | ofUdp);
    CIpStream client(ClientName(port), kReadWrite | ofUdp);
    server.SetTimeouts(2000, 2000);
    client.SetTimeouts(2000, 2000);

    // Nobody has written to the server yet: it has no one to answer.
    EXPECT_EQ(server.Write("?", 1), 0);
    WriteText(client, "0123456789");
    EXPECT_EQ(ReadText(server, 4), "0123");
    EXPECT_EQ(server.GetInputCount(), 6);
    EXPECT_EQ(ReadText(server, 4), "4567");
    EXPECT_EQ(ReadText(server, 2), "89");
    // Now the server knows its peer and answers it.
    WriteText(server, "ok");
    EXPECT_EQ(ReadText(client, 2), "ok");
    // Small datagrams go straight through, one per read.
    WriteText(client, "ab");
    WriteText(client, "cd");
    EXPECT_EQ(ReadText(server, 2), "ab");
    EXPECT_EQ(ReadText(server, 2), "cd");
}

TEST(IpStreamTest, AbortEndsABlockedReadAtOnce)
{
    for (const bool connected : {false, true})
    {
        const int port = FreePort();
        CIpStream server(ServerName(port), kReadWrite);
        server.SetTimeouts(-1, -1);
        std::unique_ptr<CIpStream> client;
        if (connected)
        {
            client = std::make_unique<CIpStream>(ClientName(port), kReadWrite);
            WriteText(*client, "z");
            ASSERT_EQ(ReadText(server, 1), "z");
        }
        auto reader = std::async(std::launch::async,
                                 [&server]
                                 {
                                     char byte = 0;
                                     return server.Read(&byte, 1);
                                 });
        EXPECT_EQ(reader.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
        const auto start = Clock::now();
        EXPECT_TRUE(server.Abort());
        ASSERT_EQ(reader.wait_for(std::chrono::seconds(2)), std::future_status::ready) << connected;
        EXPECT_EQ(reader.get(), 0);
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
        EXPECT_EQ(server.GetError(), errHandleEof);
        if (connected)
        {
            // The connection stays: the next read goes on as before.
            server.SetTimeouts(2000, 2000);
            WriteText(*client, "y");
            EXPECT_EQ(ReadText(server, 1), "y");
        }
    }
}

TEST(IpStreamTest, DottedQuadsAreFourNumbersUpTo255)
{
    EXPECT_TRUE(CIpSocket::IsDottedQuad("192.168.1.20"));
    EXPECT_TRUE(CIpSocket::IsDottedQuad("0.0.0.0"));
    EXPECT_FALSE(CIpSocket::IsDottedQuad("256.1.1.1"));
    EXPECT_FALSE(CIpSocket::IsDottedQuad("server1"));
    EXPECT_FALSE(CIpSocket::IsDottedQuad("1.2.3"));
}

} // namespace

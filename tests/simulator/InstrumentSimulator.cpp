#include "tests/simulator/InstrumentSimulator.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace TerrionTest
{
namespace
{

constexpr int kTickMs = 20;
constexpr std::uint8_t kNoise[] = {0xFE, 0x7E, 0x5A, 0x81, 0xF3, 0x3B};

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::uint32_t RateOf(speed_t speed)
{
    static constexpr struct
    {
        speed_t speed;
        std::uint32_t rate;
    } kRates[] = {{B1200, 1200},   {B2400, 2400},   {B4800, 4800},     {B9600, 9600},    {B19200, 19200},
                  {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400}};
    for (const auto& entry : kRates)
        if (entry.speed == speed)
            return entry.rate;
    return 0;
}

} // namespace

CInstrumentSimulator::CInstrumentSimulator(std::unique_ptr<CSimInstrument> instrument)
    : m_pInstrument(std::move(instrument))
{
    m_thread.Start([this] { Run(); });
}

CInstrumentSimulator::~CInstrumentSimulator()
{
    m_thread.Stop();
}

void CInstrumentSimulator::SetFault(NFault fault, std::size_t stopAfter)
{
    std::lock_guard lock(m_mutex);
    m_nFault = fault;
    m_nStopAfter = stopAfter;
    m_nProduced = 0;
}

std::vector<std::uint8_t> CInstrumentSimulator::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::string CInstrumentSimulator::ReceivedText() const
{
    std::lock_guard lock(m_mutex);
    return std::string(m_received.begin(), m_received.end());
}

void CInstrumentSimulator::ClearReceived()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

std::uint32_t CInstrumentSimulator::HostRate() const
{
    // The master shares the slave's terminal settings.
    termios tio{};
    if (tcgetattr(m_pty.MasterFd(), &tio) != 0)
        return 0;
    return RateOf(cfgetospeed(&tio));
}

void CInstrumentSimulator::Run()
{
    const int master = m_pty.MasterFd();
    std::uint8_t buffer[512];
    while (!m_thread.Stopping())
    {
        bool wantWrite = false;
        {
            std::lock_guard lock(m_mutex);
            wantWrite = !m_pending.empty();
        }
        pollfd fds[2] = {{master, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
                         {m_thread.WakeFd(), POLLIN, 0}};
        const int ready = poll(fds, 2, kTickMs);
        if (m_thread.Stopping())
            break;
        if (ready < 0)
            continue;
        const int n = m_pty.ReadFromHost(fds[0].revents, buffer, sizeof buffer);
        if (n > 0)
            Take(buffer, static_cast<std::size_t>(n));
        else if (n < 0)
        {
            m_thread.Pause(5);
            std::lock_guard lock(m_mutex);
            m_pending.clear();
            continue;
        }
        Flush();
        // After the flush: an instrument that changes its rate does so once
        // its answer is on the line.
        std::vector<std::uint8_t> out;
        std::lock_guard lock(m_mutex);
        m_pInstrument->Tick(NowMs(), out);
        Queue(out);
    }
}

void CInstrumentSimulator::Take(const std::uint8_t* bytes, std::size_t count)
{
    const std::uint32_t hostRate = HostRate();
    std::lock_guard lock(m_mutex);
    const std::uint32_t rate = m_pInstrument->LineRate();
    if (rate != 0 && hostRate != rate)
        return; // at the wrong rate nothing the host sends makes sense
    m_received.insert(m_received.end(), bytes, bytes + count);
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < count; ++i)
    {
        bool dropPending = false;
        out.clear();
        m_pInstrument->Feed(bytes[i], out, dropPending);
        if (dropPending)
            m_pending.clear();
        Queue(out);
    }
}

void CInstrumentSimulator::Queue(const std::vector<std::uint8_t>& out)
{
    for (std::uint8_t byte : out)
    {
        ++m_nProduced;
        if (m_nFault == fSilent || (m_nFault == fStopAfter && m_nProduced > m_nStopAfter))
            continue;
        if (m_nFault == fGarbage)
            byte = kNoise[m_nGarbage++ % sizeof kNoise];
        m_pending.push_back(byte);
    }
}

void CInstrumentSimulator::Flush()
{
    const std::uint32_t hostRate = HostRate();
    std::lock_guard lock(m_mutex);
    if (m_pending.empty())
        return;
    const std::uint32_t rate = m_pInstrument->LineRate();
    if (rate != 0 && hostRate != rate)
        for (std::uint8_t& byte : m_pending)
            byte = kNoise[m_nGarbage++ % sizeof kNoise];
    const ssize_t n = ::write(m_pty.MasterFd(), m_pending.data(), m_pending.size());
    if (n > 0)
        m_pending.erase(m_pending.begin(), m_pending.begin() + n);
    else if (n < 0 && errno != EAGAIN && errno != EINTR)
        m_pending.clear();
}

} // namespace TerrionTest

#include "tests/simulator/TerrionSimulator.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

namespace TerrionTest
{
namespace
{

constexpr int kMaxWaitMs = 20;
/// The host selects the record area so before it reads the stored series.
constexpr char kRecordAddressCommand[] = "F000s";
/// Half the record area's dump: 2048 bytes as two hex characters each.
constexpr std::size_t kHalfRecordDump = 2048;
constexpr std::int64_t kHangUpGraceUs = 30000;
constexpr std::uint8_t kGarbage[] = {0xFE, 0x7E, 0x5A, 0x81, 0xF3, 0x3B};

std::int64_t NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

CTerrionSimulator::CTerrionSimulator(const CTerrionScenario& scenario) : m_instrument(scenario)
{
    // Every open of the slave by anyone from now on is an event here. Closes
    // are watched too: inotify merges an event into an identical unread one,
    // so two opens in a row would count once without the close in between.
    m_hOpenWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_hOpenWatch < 0 || inotify_add_watch(m_hOpenWatch, SlavePath().c_str(), IN_OPEN | IN_CLOSE) < 0)
        throw std::runtime_error("cannot watch the pseudo-terminal's opens");
    m_thread.Start([this] { Run(); });
}

CTerrionSimulator::~CTerrionSimulator()
{
    m_thread.Stop();
    close(m_hOpenWatch);
}

void CTerrionSimulator::SetFault(NSimFault fault, std::size_t stopAfter)
{
    std::lock_guard lock(m_mutex);
    m_nFault = fault;
    m_nStopAfter = stopAfter;
    m_nProduced = 0;
    m_bHangUpDue = fault == sfHangUpAfter && stopAfter == 0;
    m_instrument.SetRejectWrites(fault == sfBadChecksum);
}

void CTerrionSimulator::SetFaultInDownload(NSimFault fault, int download)
{
    std::lock_guard lock(m_mutex);
    m_nDownloadFault = fault;
    m_nFaultDownload = download;
}

void CTerrionSimulator::SetBaud(std::uint32_t baud)
{
    std::lock_guard lock(m_mutex);
    m_nBaud = baud;
    m_nBurstStartUs = NowUs();
    m_nBurstSent = 0;
}

void CTerrionSimulator::SetDumpMarkers(bool on)
{
    std::lock_guard lock(m_mutex);
    m_instrument.SetDumpMarkers(on);
}

void CTerrionSimulator::SetState(NTerrionState state)
{
    std::lock_guard lock(m_mutex);
    m_instrument.SetState(state);
}

NTerrionState CTerrionSimulator::State() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.State();
}

std::vector<std::uint8_t> CTerrionSimulator::Memory() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.Memory();
}

std::vector<std::uint8_t> CTerrionSimulator::MemoryAt(std::uint16_t address, std::size_t count) const
{
    std::lock_guard lock(m_mutex);
    const std::vector<std::uint8_t>& memory = m_instrument.Memory();
    const std::size_t end = std::min(memory.size(), static_cast<std::size_t>(address) + count);
    return std::vector<std::uint8_t>(memory.begin() + address, memory.begin() + end);
}

std::vector<std::vector<std::uint8_t>> CTerrionSimulator::Descriptors() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.Descriptors();
}

std::vector<std::vector<std::uint8_t>> CTerrionSimulator::Blocks() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.Blocks();
}

int CTerrionSimulator::ProgramCount() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.ProgramCount();
}

std::vector<std::string> CTerrionSimulator::SRecords() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.SRecords();
}

int CTerrionSimulator::Mode() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.Mode();
}

void CTerrionSimulator::RejectChunks(int count)
{
    std::lock_guard lock(m_mutex);
    m_instrument.RejectChunks(count);
}

std::map<std::string, std::vector<std::uint8_t>> CTerrionSimulator::Files() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.Files();
}

std::vector<std::uint8_t> CTerrionSimulator::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::string CTerrionSimulator::ReceivedText() const
{
    std::lock_guard lock(m_mutex);
    return std::string(m_received.begin(), m_received.end());
}

void CTerrionSimulator::ClearReceived()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

bool CTerrionSimulator::WaitReceived(std::size_t count, int timeoutMs) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_received.size() >= count)
                return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::size_t CTerrionSimulator::SentCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nSent;
}

int CTerrionSimulator::EraseCount() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.EraseCount();
}

int CTerrionSimulator::DeleteAllCount() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.DeleteAllCount();
}

int CTerrionSimulator::WriteCount() const
{
    std::lock_guard lock(m_mutex);
    return m_instrument.WriteCount();
}

int CTerrionSimulator::OpenCount() const
{
    std::lock_guard lock(m_mutex);
    alignas(inotify_event) char events[4096];
    for (;;)
    {
        const ssize_t n = ::read(m_hOpenWatch, events, sizeof events);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;)
        {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->mask & IN_OPEN)
                ++m_nOpens;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return m_nOpens;
}

bool CTerrionSimulator::HungUp() const
{
    std::lock_guard lock(m_mutex);
    return m_bHungUp;
}

void CTerrionSimulator::Run()
{
    std::uint8_t buffer[512];
    while (!m_thread.Stopping())
    {
        const int master = m_pty.MasterFd();
        if (master < 0)
        {
            // Hung up: the line is gone for good.
            m_thread.Pause(kMaxWaitMs);
            continue;
        }
        bool wantWrite = false;
        int waitMs = kMaxWaitMs;
        {
            std::lock_guard lock(m_mutex);
            wantWrite = !m_pending.empty();
            if (wantWrite)
                waitMs = NextWaitMs();
        }
        pollfd fds[2] = {{master, static_cast<short>(POLLIN | (wantWrite && waitMs == 0 ? POLLOUT : 0)), 0},
                         {m_thread.WakeFd(), POLLIN, 0}};
        const int ready = poll(fds, 2, waitMs == 0 ? kMaxWaitMs : waitMs);
        if (m_thread.Stopping())
            break;
        if (ready < 0)
            continue;
        const int n = m_pty.ReadFromHost(fds[0].revents, buffer, sizeof buffer);
        if (n > 0)
            Take(buffer, static_cast<std::size_t>(n));
        else if (n < 0)
        {
            // No host has the slave open: nothing to say to anyone.
            m_thread.Pause(5);
            std::lock_guard lock(m_mutex);
            m_pending.clear();
            continue;
        }
        Flush();
        std::lock_guard lock(m_mutex);
        if (m_bHangUpDue && m_pending.empty())
        {
            // A moment after the last byte, so that a host waiting for it
            // usually gets it: a hang-up loses what the far end has not read.
            if (m_nHangUpAtUs == 0)
                m_nHangUpAtUs = NowUs() + kHangUpGraceUs;
            else if (NowUs() >= m_nHangUpAtUs)
            {
                m_pty.HangUp();
                m_bHungUp = true;
            }
        }
    }
}

void CTerrionSimulator::Take(const std::uint8_t* bytes, std::size_t count)
{
    std::lock_guard lock(m_mutex);
    m_received.insert(m_received.end(), bytes, bytes + count);
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < count; ++i)
    {
        m_strLastCommand.push_back(static_cast<char>(bytes[i]));
        if (m_strLastCommand.size() > sizeof kRecordAddressCommand - 1)
            m_strLastCommand.erase(0, 1);
        if (m_strLastCommand == kRecordAddressCommand && m_instrument.State() == tsMemoryAccess &&
            ++m_nRecordReads == m_nFaultDownload)
        {
            m_nFault = m_nDownloadFault;
            m_nStopAfter = kHalfRecordDump;
            m_nProduced = 0;
        }
        bool dropPending = false;
        out.clear();
        m_instrument.Feed(bytes[i], out, dropPending);
        if (dropPending)
            m_pending.clear();
        for (std::uint8_t byte : out)
        {
            ++m_nProduced;
            const bool cut = m_nFault == sfStopAfter || m_nFault == sfHangUpAfter;
            if (m_nFault == sfHangUpAfter && m_nProduced >= m_nStopAfter)
                m_bHangUpDue = true; // once what came before has gone out
            if (m_nFault == sfSilent || (cut && m_nProduced > m_nStopAfter))
                continue;
            if (m_nFault == sfGarbage)
                byte = kGarbage[m_nGarbage++ % sizeof kGarbage];
            if (m_pending.empty())
            {
                m_nBurstStartUs = NowUs();
                m_nBurstSent = 0;
            }
            m_pending.push_back(byte);
        }
    }
}

int CTerrionSimulator::NextWaitMs() const
{
    if (m_nBaud == 0)
        return 0;
    const double bytesPerUs = m_nBaud / 10.0 / 1e6;
    const std::int64_t due = m_nBurstStartUs + static_cast<std::int64_t>((m_nBurstSent + 1) / bytesPerUs);
    const std::int64_t left = due - NowUs();
    return left <= 0 ? 0 : static_cast<int>(std::min<std::int64_t>((left + 999) / 1000, kMaxWaitMs));
}

void CTerrionSimulator::Flush()
{
    std::lock_guard lock(m_mutex);
    if (m_pending.empty())
        return;
    std::size_t allowed = m_pending.size();
    if (m_nBaud != 0)
    {
        const double elapsedUs = static_cast<double>(NowUs() - m_nBurstStartUs);
        const auto due = static_cast<std::size_t>(elapsedUs * m_nBaud / 10.0 / 1e6);
        allowed = due > m_nBurstSent ? std::min(allowed, due - m_nBurstSent) : 0;
    }
    if (allowed == 0)
        return;
    const ssize_t n = ::write(m_pty.MasterFd(), m_pending.data(), allowed);
    if (n > 0)
    {
        m_pending.erase(m_pending.begin(), m_pending.begin() + n);
        m_nSent += static_cast<std::size_t>(n);
        m_nBurstSent += static_cast<std::size_t>(n);
    }
    else if (n < 0 && errno != EAGAIN && errno != EINTR)
    {
        m_pending.clear(); // the host went away
    }
}

} // namespace TerrionTest

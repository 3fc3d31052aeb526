#pragma once
// A Terrion on the master side of a pseudo-terminal, answering on its own
// thread. The host opens the slave side as its COM port (Map(), or the
// environment variable TERRIONLINK_COM<n> set to SlavePath()).
//
// On request it misbehaves: silence, garbage instead of every reply, silence
// or a hang-up after a number of bytes, write checksums taken as wrong, and a
// line rate throttled to a baud rate (10 bits a byte). Faults apply from the
// moment they are set, or from halfway through a given read of the record
// area (a download cut off midway); a hang-up is for good. Tests inspect the memory, every
// byte the host sent and how often the host opened the line.
//
// Nothing blocks for long: the thread waits in polls of at most 20 ms and the
// destructor stops and joins it.

#include "tests/simulator/SimThread.h"
#include "tests/simulator/TerrionInstrument.h"
#include "tests/simulator/TerrionScenario.h"
#include "tests/support/PtyPair.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace TerrionTest
{

enum NSimFault : int
{
    sfNone = 0,
    sfSilent = 1,      ///< answers nothing
    sfGarbage = 2,     ///< every reply byte replaced by noise
    sfStopAfter = 3,   ///< falls silent after a number of reply bytes
    sfBadChecksum = 4, ///< every write checksum is taken as wrong ('f')
    sfHangUpAfter = 5, ///< hangs the line up after a number of reply bytes (an adapter pulled out)
};

class CTerrionSimulator
{
public:
    explicit CTerrionSimulator(const CTerrionScenario& scenario = CTerrionScenario());
    ~CTerrionSimulator();
    CTerrionSimulator(const CTerrionSimulator&) = delete;
    CTerrionSimulator& operator=(const CTerrionSimulator&) = delete;

    const std::string& SlavePath() const { return m_pty.SlavePath(); }
    /// Maps "COM<port>:" to the slave until the simulator is destroyed.
    void Map(int port) { m_pty.Map(port); }

    /// Sets a fault from now on; stopAfter counts reply bytes for sfStopAfter
    /// and sfHangUpAfter.
    void SetFault(NSimFault fault, std::size_t stopAfter = 0);
    /// Sets sfStopAfter or sfHangUpAfter once the host has read half of the
    /// record area for the download-th time (1 = the first download).
    void SetFaultInDownload(NSimFault fault, int download);
    /// Throttles replies to baud / 10 bytes a second; 0 = as fast as the line goes.
    void SetBaud(std::uint32_t baud);
    void SetDumpMarkers(bool on);
    void SetState(NTerrionState state);

    NTerrionState State() const;
    std::vector<std::uint8_t> Memory() const;
    std::vector<std::uint8_t> MemoryAt(std::uint16_t address, std::size_t count) const;
    /// What an upgrade has left (see CTerrionInstrument).
    std::vector<std::vector<std::uint8_t>> Descriptors() const;
    std::vector<std::vector<std::uint8_t>> Blocks() const;
    int ProgramCount() const;
    std::vector<std::string> SRecords() const;
    int Mode() const;
    void RejectChunks(int count);
    /// The files of an instrument with a file system, by name.
    std::map<std::string, std::vector<std::uint8_t>> Files() const;
    /// Every byte the host has sent since the start or the last ClearReceived.
    std::vector<std::uint8_t> Received() const;
    std::string ReceivedText() const;
    void ClearReceived();
    /// Waits until the host has sent at least count bytes; false after timeoutMs.
    bool WaitReceived(std::size_t count, int timeoutMs) const;
    /// Reply bytes written to the line so far.
    std::size_t SentCount() const;
    int EraseCount() const;
    int DeleteAllCount() const;
    int WriteCount() const;
    /// How often the slave side was opened since the simulator started.
    int OpenCount() const;
    /// True once the simulator has hung the line up.
    bool HungUp() const;

private:
    void Run();
    void Take(const std::uint8_t* bytes, std::size_t count);
    void Flush();
    int NextWaitMs() const;

    CPtyPair m_pty;
    mutable std::mutex m_mutex;
    CTerrionInstrument m_instrument;
    NSimFault m_nFault = sfNone;
    std::size_t m_nStopAfter = 0;
    std::size_t m_nProduced = 0; ///< reply bytes produced since the fault was set
    NSimFault m_nDownloadFault = sfNone;
    int m_nFaultDownload = 0;     ///< the download that gets m_nDownloadFault, 0 = none
    int m_nRecordReads = 0;       ///< reads of the record area so far
    std::string m_strLastCommand; ///< the host's last few bytes, for spotting the record address
    std::uint32_t m_nBaud = 0;
    std::vector<std::uint8_t> m_received;
    std::vector<std::uint8_t> m_pending;
    std::size_t m_nSent = 0;
    std::size_t m_nGarbage = 0;
    std::int64_t m_nBurstStartUs = 0;
    std::size_t m_nBurstSent = 0;

    bool m_bHangUpDue = false;
    bool m_bHungUp = false;
    std::int64_t m_nHangUpAtUs = 0;
    int m_hOpenWatch = -1; ///< inotify descriptor watching the slave's opens
    mutable int m_nOpens = 0;

    CSimThread m_thread;
};

} // namespace TerrionTest

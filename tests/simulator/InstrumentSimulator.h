#pragma once
// Any simulated instrument on the master side of a pseudo-terminal,
// answering on its own thread; the host opens the slave as its COM port.
//
// An instrument with a line rate hears only a host whose port runs at that
// rate (read from the slave's terminal settings): at any other rate what the
// host sends is lost and what the instrument sends arrives as noise.
//
// Faults, as for the Terrion's simulator: silence, garbage instead of every
// reply byte, and silence after a number of reply bytes.

#include "tests/simulator/SimInstrument.h"
#include "tests/simulator/SimThread.h"
#include "tests/support/PtyPair.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace TerrionTest
{

class CInstrumentSimulator
{
public:
    enum NFault : int
    {
        fNone = 0,
        fSilent = 1,
        fGarbage = 2,
        fStopAfter = 3,
    };

    explicit CInstrumentSimulator(std::unique_ptr<CSimInstrument> instrument);
    ~CInstrumentSimulator();
    CInstrumentSimulator(const CInstrumentSimulator&) = delete;
    CInstrumentSimulator& operator=(const CInstrumentSimulator&) = delete;

    const std::string& SlavePath() const { return m_pty.SlavePath(); }
    /// Maps "COM<port>:" to the slave until the simulator is destroyed.
    void Map(int port) { m_pty.Map(port); }

    void SetFault(NFault fault, std::size_t stopAfter = 0);

    /// Runs f on the instrument under the simulator's lock.
    template <class TInstrument, class F> auto With(F&& f)
    {
        std::lock_guard lock(m_mutex);
        return f(static_cast<TInstrument&>(*m_pInstrument));
    }

    /// Every byte the host has sent (at the instrument's rate) since the
    /// start or the last ClearReceived.
    std::vector<std::uint8_t> Received() const;
    std::string ReceivedText() const;
    void ClearReceived();
    /// The line rate of the host's port now.
    std::uint32_t HostRate() const;

private:
    void Run();
    void Take(const std::uint8_t* bytes, std::size_t count);
    void Queue(const std::vector<std::uint8_t>& out);
    void Flush();

    CPtyPair m_pty;
    mutable std::mutex m_mutex;
    std::unique_ptr<CSimInstrument> m_pInstrument;
    NFault m_nFault = fNone;
    std::size_t m_nStopAfter = 0;
    std::size_t m_nProduced = 0;
    std::vector<std::uint8_t> m_received;
    std::vector<std::uint8_t> m_pending;
    std::size_t m_nGarbage = 0;

    CSimThread m_thread;
};

} // namespace TerrionTest

#pragma once
// A Terrion on a TCP port, for the network road of the device search: it
// listens on an address and port (127.0.0.1:3728, the instrument's port, by
// default), takes one connection at a time and answers on its own thread as
// the pseudo-terminal simulator does. A new connection replaces the old one.

#include "tests/simulator/SimThread.h"
#include "tests/simulator/TerrionInstrument.h"
#include "tests/simulator/TerrionScenario.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TerrionTest
{

class CTerrionTcpSimulator
{
public:
    static constexpr int kInstrumentPort = 3728;

    /// Throws std::runtime_error when the address cannot be bound.
    explicit CTerrionTcpSimulator(const CTerrionScenario& scenario = CTerrionScenario(),
                                  const std::string& address = "127.0.0.1", int port = kInstrumentPort);
    ~CTerrionTcpSimulator();
    CTerrionTcpSimulator(const CTerrionTcpSimulator&) = delete;
    CTerrionTcpSimulator& operator=(const CTerrionTcpSimulator&) = delete;

    int Port() const { return m_nPort; }
    /// Every byte the host has sent.
    std::vector<std::uint8_t> Received() const;
    int Connections() const { return m_nConnections.load(); }

private:
    void Run();

    mutable std::mutex m_mutex;
    CTerrionInstrument m_instrument;
    std::vector<std::uint8_t> m_received;
    int m_nListen = -1;
    int m_nPort = 0;
    std::atomic<int> m_nConnections{0};
    CSimThread m_thread;
};

} // namespace TerrionTest

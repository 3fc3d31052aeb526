#pragma once
// The thread a simulator answers on, with the pipe that wakes its poll() at
// once when the simulator stops. The simulator calls Stop() first in its
// destructor, before anything the thread uses goes away.

#include <atomic>
#include <functional>
#include <thread>

namespace TerrionTest
{

class CSimThread
{
public:
    CSimThread();
    ~CSimThread();
    CSimThread(const CSimThread&) = delete;
    CSimThread& operator=(const CSimThread&) = delete;

    void Start(std::function<void()> run);
    /// Ends the thread's loop and waits for it.
    void Stop();
    bool Stopping() const { return m_bStop; }
    /// Readable once Stop() was called: poll it beside the line.
    int WakeFd() const { return m_wake[0]; }
    /// Waits up to ms, less when the simulator stops.
    void Pause(int ms) const;

private:
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

} // namespace TerrionTest

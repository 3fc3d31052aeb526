#pragma once
// A worker thread that is never killed: its owner asks it to stop through
// its own flag, waits a bounded time, and leaves a late thread detached. The
// thread's body must own (shared) everything it touches, since a detached
// thread may outlive its owner.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace Update
{

class CBoundedThread
{
public:
    CBoundedThread() = default;
    /// Detaches a thread that is still running; the owner stops it first.
    ~CBoundedThread();
    CBoundedThread(const CBoundedThread&) = delete;
    CBoundedThread& operator=(const CBoundedThread&) = delete;

    /// Runs body on a new thread; false when a thread of this object runs or
    /// none could be created.
    bool Start(std::function<void()> body);
    bool IsRunning() const;
    /// Waits up to timeoutMs for the thread to end; true when it has ended
    /// (or never ran). A thread that misses the bound is detached.
    bool Stop(int timeoutMs);

private:
    struct SState
    {
        std::mutex lock;
        std::condition_variable ended;
        bool done = true;
    };

    std::shared_ptr<SState> m_state;
    std::thread m_thread;
};

} // namespace Update

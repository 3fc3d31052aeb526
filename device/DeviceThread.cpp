#include "device/DeviceThread.h"

#include "device/DeviceSearch.h"
#include "device/VnDevice.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/IoStream.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace Device
{
namespace
{

constexpr int kFatalErrorLine = 1109;
constexpr const char* kSourceFile = "DeviceThread";
// While a stop or an abort waits, the worker's port is woken this often, so
// that each of its successive blocking reads gives up at once.
constexpr std::chrono::milliseconds kWakeInterval{20};

// One worker thread's own state, shared between the thread and its controller.
// Every field is guarded by the queue lock.
struct SWorker
{
    bool bStop = false;    // asked to end
    bool bIdle = false;    // waiting for work
    bool bRetired = false; // left behind: must neither report nor take jobs
    bool bDead = false;    // ended by an exception, or about to end: takes no more jobs
    bool bEnded = false;   // the thread function has returned
    StreamIO::CIoStream* pActiveStream = nullptr;
};

// Process-wide state. It is created once and never destroyed: a worker left
// running at exit may still use it.
struct SShared
{
    std::mutex lock;
    std::condition_variable wake;    // work queued, stop or retirement
    std::condition_variable changed; // a worker became idle or ended
    std::deque<SJobEntry> queue;
    bool bAbort = false;
    bool bStarted = false;
    std::shared_ptr<SWorker> pWorker;
    std::thread thread;
    std::shared_ptr<CDeviceThreadHost> pHost;
};

SShared& Shared()
{
    static SShared* shared = new SShared;
    return *shared;
}

// The worker that runs on this thread, if any; read under the queue lock.
thread_local SWorker* t_pWorker = nullptr;

bool CanTakeJobs(const SWorker& worker)
{
    return !worker.bStop && !worker.bRetired && !worker.bDead && !worker.bEnded;
}

// The worker's abort test: the shared flag, or this worker is being let go.
bool IsAbortedLocked(const SWorker* worker)
{
    return Shared().bAbort || (worker != nullptr && (worker->bStop || worker->bRetired));
}

void WatchStream(SWorker& worker, StreamIO::CIoStream* stream)
{
    std::lock_guard guard(Shared().lock);
    worker.pActiveStream = stream;
}

std::shared_ptr<CDeviceThreadHost> Host()
{
    std::lock_guard guard(Shared().lock);
    return Shared().pHost;
}

// Lets the current worker go: it finishes on its own and its thread is not
// joined. Takes the lock held by the caller.
void RetireWorkerLocked()
{
    SShared& shared = Shared();
    if (!shared.pWorker)
        return;
    shared.pWorker->bRetired = true;
    if (shared.thread.joinable())
        shared.thread.detach();
    shared.pWorker.reset();
    shared.wake.notify_all();
}

// Waits until done() holds or the time runs out, waking the worker's port
// meanwhile. True when done() holds.
template <typename TDone>
bool WaitForWorker(std::unique_lock<std::mutex>& lock, SWorker& worker, int waitMs, TDone done)
{
    SShared& shared = Shared();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!done())
    {
        if (worker.pActiveStream != nullptr)
            worker.pActiveStream->Abort();
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        shared.changed.wait_until(lock, std::min(deadline, now + kWakeInterval));
    }
    return true;
}

void DropJobs(std::deque<SJobEntry>& dropped)
{
    for (SJobEntry& job : dropped)
    {
        // An instrument left in the middle of an upgrade goes back to normal operation.
        if (job.pDevice != nullptr)
            job.pDevice->ResetMode();
    }
    dropped.clear();
}

// Holds the application's wait cursor for the life of a search.
class CWaitCursor
{
public:
    CWaitCursor() : m_pHost(Host())
    {
        if (m_pHost)
            m_pHost->BeginWaitCursor();
    }
    ~CWaitCursor()
    {
        if (m_pHost)
            m_pHost->EndWaitCursor();
    }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    std::shared_ptr<CDeviceThreadHost> m_pHost;
};

void RunJob(const SJobEntry& job)
{
    switch (job.nJobType)
    {
    case jobSearch:
        RunSearchJob(job);
        break;
    default:
        // The upgrade jobs run here once the upgrade engine exists.
        break;
    }
}

int WorkerLoop(SWorker& worker)
{
    SShared& shared = Shared();
    // A new worker may start with a job already queued and an abort on its
    // way; only a worker that comes back from its jobs clears the flag.
    bool returning = false;
    for (;;)
    {
        {
            std::unique_lock lock(shared.lock);
            if (returning && !worker.bRetired && !worker.bStop)
                shared.bAbort = false;
            returning = true;
            worker.bIdle = true;
            shared.changed.notify_all();
            shared.wake.wait(lock, [&] { return worker.bStop || worker.bRetired || !shared.queue.empty(); });
            worker.bIdle = false;
            if (worker.bStop || worker.bRetired)
                return 0;
        }
        std::deque<SJobEntry> dropped;
        for (;;)
        {
            SJobEntry job;
            {
                std::lock_guard guard(shared.lock);
                if (IsAbortedLocked(&worker))
                {
                    // A retired worker leaves the queue to its successor.
                    if (!worker.bRetired)
                        dropped.swap(shared.queue);
                    break;
                }
                if (shared.queue.empty())
                    break;
                job = std::move(shared.queue.front());
                shared.queue.pop_front();
            }
            RunJob(job);
        }
        DropJobs(dropped);
    }
}

void WorkerMain(std::shared_ptr<SWorker> self)
{
    t_pWorker = self.get();
    SShared& shared = Shared();
    bool failed = false;
    try
    {
        WorkerLoop(*self);
    }
    catch (...)
    {
        failed = true;
    }
    if (failed)
    {
        {
            // Mark the worker dead before the box, which may stay up a long
            // time: the next job starts a new worker instead of waiting here.
            std::lock_guard guard(shared.lock);
            self->bDead = true;
            self->pActiveStream = nullptr;
        }
        try
        {
            if (std::shared_ptr<CDeviceThreadHost> host = Host())
                host->ReportMessage(Resources::NMessageKind::FatalError,
                                    Resources::CStringTable::Text(Resources::Ids::kDeviceThreadUnhandled),
                                    kSourceFile, kFatalErrorLine);
        }
        catch (...)
        {
            // The report itself failed; the worker ends all the same.
        }
    }
    std::lock_guard guard(shared.lock);
    self->bEnded = true;
    self->bIdle = false;
    shared.changed.notify_all();
}

// Starts a new worker; the lock is held by the caller.
bool StartWorkerLocked()
{
    SShared& shared = Shared();
    if (shared.pWorker && CanTakeJobs(*shared.pWorker))
        return true;
    // A worker that died or ended without being stopped is let go.
    RetireWorkerLocked();
    auto worker = std::make_shared<SWorker>();
    try
    {
        shared.thread = std::thread(WorkerMain, worker);
    }
    catch (const std::system_error&)
    {
        return false;
    }
    shared.pWorker = std::move(worker);
    return true;
}

} // namespace

bool StartDeviceThread()
{
    CVnDevice::SetAbortPoll(&IsDeviceAbortRequested);
    SShared& shared = Shared();
    std::lock_guard guard(shared.lock);
    shared.queue.clear();
    // A worker started here begins with a clear flag, as after its first wait.
    if (!shared.pWorker || !CanTakeJobs(*shared.pWorker))
        shared.bAbort = false;
    if (!StartWorkerLocked())
        return false;
    shared.bStarted = true;
    return true;
}

bool StopDeviceThread()
{
    SShared& shared = Shared();
    std::unique_lock lock(shared.lock);
    shared.bStarted = false;
    shared.queue.clear();
    std::shared_ptr<SWorker> worker = shared.pWorker;
    if (!worker)
        return true;
    worker->bStop = true;
    shared.wake.notify_all();
    if (!WaitForWorker(lock, *worker, kDeviceThreadStopWaitMs, [&] { return worker->bEnded; }))
    {
        RetireWorkerLocked();
        return false;
    }
    std::thread thread = std::move(shared.thread);
    shared.pWorker.reset();
    lock.unlock();
    if (thread.joinable())
        thread.join();
    return true;
}

bool PostSearchJob(std::shared_ptr<CCallback> callback, const SSearchParams& params)
{
    if (!callback)
        return false;
    SShared& shared = Shared();
    std::lock_guard guard(shared.lock);
    if (!shared.bStarted || !StartWorkerLocked())
        return false;
    SJobEntry job;
    job.nJobType = jobSearch;
    job.pCallback = std::move(callback);
    job.search = params;
    shared.queue.push_back(std::move(job));
    shared.wake.notify_all();
    return true;
}

void AbortDeviceJobs(int graceMs)
{
    SShared& shared = Shared();
    std::unique_lock lock(shared.lock);
    shared.bAbort = true;
    std::shared_ptr<SWorker> worker = shared.pWorker;
    if (graceMs <= 0 || !worker)
        return;
    if (!WaitForWorker(lock, *worker, graceMs, [&] { return worker->bIdle || worker->bEnded; }))
        RetireWorkerLocked();
}

void ClearDeviceAbort()
{
    std::lock_guard guard(Shared().lock);
    Shared().bAbort = false;
}

bool IsDeviceAbortRequested(std::uint32_t)
{
    std::lock_guard guard(Shared().lock);
    return IsAbortedLocked(t_pWorker);
}

bool IsDeviceThreadRunning()
{
    std::lock_guard guard(Shared().lock);
    return Shared().bStarted && Shared().pWorker && CanTakeJobs(*Shared().pWorker);
}

void RunSearchJob(const SJobEntry& job)
{
    if (!job.pCallback)
        return;
    CWaitCursor waitCursor;
    SWorker* worker = t_pWorker;
    auto watch = [worker](StreamIO::CIoStream* stream)
    {
        if (worker != nullptr)
            WatchStream(*worker, stream);
    };
    CDeviceSearch search(
        *job.pCallback, [] { return IsDeviceAbortRequested(0); }, watch);
    try
    {
        search.Run(job.search);
    }
    catch (...)
    {
        watch(nullptr);
        throw;
    }
}

void SetDeviceThreadHost(std::shared_ptr<CDeviceThreadHost> host)
{
    std::lock_guard guard(Shared().lock);
    Shared().pHost = std::move(host);
}

} // namespace Device

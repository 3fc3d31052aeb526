#pragma once
// The device worker thread: one thread that runs device jobs taken from a
// queue, so that slow serial work never blocks the user interface. The
// connection wizard posts device searches; results come back through
// CCallback on the worker thread.
//
// The queue and the abort flag share one lock. Stopping and aborting are
// cooperative: the worker is asked, its port I/O is woken, and the caller
// waits a bounded time. A worker that does not finish in time is left to
// finish on its own and is never given another job; everything it still uses
// stays alive until it does. A worker that died or was left behind is
// replaced by a new one when the next job is posted.

#include "device/Callback.h"
#include "device/DeviceThreadHost.h"
#include "device/DeviceTypes.h"

#include <cstdint>
#include <memory>
#include <string>

namespace StreamIO
{
class CIoStream;
}

namespace Device
{

class CContents;
class CVnDevice;

/// A device search request, built by the connection wizard.
struct SSearchParams
{
    NTypes nType = typeNone;     ///< class of driver to create for each candidate
    NPorts nPort = portNone;     ///< serial, USB or Ethernet; any other value ends the search at once
    bool bScanAll = false;       ///< serial: try every present port from COM1 up instead of one
    bool bStopAfterFirst = true; ///< serial scan: stop at the first port with an instrument
    int nComPort = 1;            ///< serial port tried when not scanning
    int nSkipPort = -1;          ///< serial port left out of a scan
    std::wstring strIpAddress;   ///< host part of the network address
};

enum NJobType : int
{
    jobNone = 0,
    jobSearch = 1,
    jobUpgrade = 2,
    jobExpressUpgrade = 3,
};

/// One queued job. The callback is shared so that a job outliving its poster
/// still reports safely (see CCallbackRelay).
struct SJobEntry
{
    int nJobType = jobNone;
    std::shared_ptr<CCallback> pCallback;
    SSearchParams search;
    CVnDevice* pDevice = nullptr; ///< upgrade only; attached, not owned
    /// Upgrade only: the open package at its start; the job releases it.
    std::shared_ptr<StreamIO::CIoStream> pPackage;
    /// Upgrade only: the components to install (bit 7 of an entry's flags
    /// leaves it out); none installs every block.
    std::shared_ptr<const CContents> pSelection;
};

/// Bounded waits of the cooperative stop and of the wizard's cancel.
constexpr int kDeviceThreadStopWaitMs = 2000;
constexpr int kDeviceSearchAbortWaitMs = 8000;

/// Starts the worker (once, at application start-up) and empties the queue.
/// False when no thread could be created.
bool StartDeviceThread();

/// Stops the worker at application exit: a running job is asked to end, and
/// the call waits up to kDeviceThreadStopWaitMs. Queued jobs are dropped.
/// False when the worker had to be left running.
bool StopDeviceThread();

/// Queues a device search. False for a missing callback, or when the worker
/// is not started (or has been stopped); a worker that died is replaced.
bool PostSearchJob(std::shared_ptr<CCallback> callback, const SSearchParams& params);

/// Queues a firmware upgrade of an attached driver (express: the driver's
/// express flag is set). The job owns the package stream and reports through
/// the callback's OnFinished; the driver must outlive the job. False for a
/// missing callback, driver or package, or when the worker is not started.
bool PostUpgradeJob(std::shared_ptr<CCallback> callback, CVnDevice* device,
                    std::unique_ptr<StreamIO::CIoStream> package, std::shared_ptr<const CContents> selection,
                    bool express);

/// Sets the abort flag: the running job stops at its next check without
/// reporting further, and queued jobs are dropped. With a grace time, waits
/// that long for the worker to become idle; a worker that does not is left
/// to finish on its own and the next job gets a new one.
void AbortDeviceJobs(int graceMs);

/// Clears the abort flag (the connection wizard does this when it opens).
void ClearDeviceAbort();

/// The abort flag, read under the queue lock. On a worker that is being
/// stopped or was left behind it is always true. The argument is ignored
/// (it is the user value of a command object's abort poll).
bool IsDeviceAbortRequested(std::uint32_t userValue = 0);

/// True while a worker is started and able to take jobs.
bool IsDeviceThreadRunning();

/// Runs one search job on the calling thread (the worker calls it for each
/// search job); results go to the job's callback.
void RunSearchJob(const SJobEntry& job);

/// Runs one upgrade job on the calling thread (the worker calls it for each
/// upgrade job).
void RunUpgradeJob(const SJobEntry& job);

/// The application's error box and wait cursor; none by default. Shared, so
/// a worker that is still running at exit can keep using it.
void SetDeviceThreadHost(std::shared_ptr<CDeviceThreadHost> host);

} // namespace Device

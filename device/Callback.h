#pragma once
// The observer of device jobs (search, upgrade) and long transfers. All four
// operations are called on the thread that runs the job, normally the device
// worker thread; implementations hand the news on to their own thread.

#include <cstdint>
#include <memory>
#include <string>

namespace Device
{

class CVnDevice;

class CCallback
{
public:
    CCallback() = default;
    virtual ~CCallback() = default;

    /// A search found this instrument; the receiver owns it from now on.
    /// A null device means the search has ended.
    virtual void OnDeviceFound(std::unique_ptr<CVnDevice> device) = 0;
    /// A status or progress text to show.
    virtual void OnStatusText(const std::wstring& text) = 0;
    /// An upgrade job has ended; code is an NError_code, 0 for success.
    virtual void OnFinished(const std::wstring& text, int code) = 0;
    /// Progress: value is a percentage; bar is 1 (main) or 2 (secondary);
    /// a value of 0 with a duration announces a timed wait of durationMs.
    virtual void OnProgress(int value, int bar, std::uint32_t durationMs) = 0;

    /// Set by the upgrade job: transfers and mode changes then report progress.
    bool IsDetailedProgress() const { return m_bDetailedProgress; }
    void SetDetailedProgress(bool detailed) { m_bDetailedProgress = detailed; }

private:
    bool m_bDetailedProgress = false;
};

} // namespace Device

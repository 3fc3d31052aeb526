#pragma once
// A callback that a receiver can walk away from. The receiver (a wizard page)
// hands a shared relay to a device job instead of itself, and detaches the
// relay before it is destroyed: reports that arrive later are dropped, and a
// found instrument is deleted instead of being handed to nobody.

#include "device/Callback.h"

#include <mutex>

namespace Device
{

class CCallbackRelay : public CCallback
{
public:
    /// Forwards to target (not owned) until Detach().
    explicit CCallbackRelay(CCallback* target);

    /// Stops forwarding. Waits for a report being forwarded on another thread
    /// to return, so the target may be destroyed right after. May be called
    /// from within a forwarded report; the target must not wait there for
    /// the thread that calls Detach().
    void Detach();
    bool IsAttached() const;

    void OnDeviceFound(std::unique_ptr<CVnDevice> device) override;
    void OnStatusText(const std::wstring& text) override;
    void OnFinished(const std::wstring& text, int code) override;
    void OnProgress(int value, int bar, std::uint32_t durationMs) override;

private:
    mutable std::recursive_mutex m_lock;
    CCallback* m_pTarget;
};

} // namespace Device

#include "device/CallbackRelay.h"

#include "device/VnDevice.h"

namespace Device
{

CCallbackRelay::CCallbackRelay(CCallback* target) : m_pTarget(target)
{
    if (target != nullptr)
        SetDetailedProgress(target->IsDetailedProgress());
}

void CCallbackRelay::Detach()
{
    std::lock_guard guard(m_lock);
    m_pTarget = nullptr;
}

bool CCallbackRelay::IsAttached() const
{
    std::lock_guard guard(m_lock);
    return m_pTarget != nullptr;
}

void CCallbackRelay::OnDeviceFound(std::unique_ptr<CVnDevice> device)
{
    {
        std::lock_guard guard(m_lock);
        if (m_pTarget != nullptr)
        {
            m_pTarget->OnDeviceFound(std::move(device));
            return;
        }
    }
    // Nobody listens any more: the instrument (and its port) goes away here,
    // outside the lock, so a slow close never holds up Detach().
    device.reset();
}

void CCallbackRelay::OnStatusText(const std::wstring& text)
{
    std::lock_guard guard(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnStatusText(text);
}

void CCallbackRelay::OnFinished(const std::wstring& text, int code)
{
    std::lock_guard guard(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnFinished(text, code);
}

void CCallbackRelay::OnProgress(int value, int bar, std::uint32_t durationMs)
{
    std::lock_guard guard(m_lock);
    if (m_pTarget != nullptr)
        m_pTarget->OnProgress(value, bar, durationMs);
}

} // namespace Device

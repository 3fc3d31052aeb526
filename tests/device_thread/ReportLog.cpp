#include "tests/device_thread/ReportLog.h"

#include <chrono>

namespace TerrionTest
{

void CReportLog::AddText(const std::wstring& text)
{
    std::lock_guard guard(m_lock);
    m_texts.push_back(text);
    m_changed.notify_all();
}

void CReportLog::AddFound(std::unique_ptr<Device::CVnDevice> device)
{
    std::lock_guard guard(m_lock);
    if (device)
        m_found.push_back(std::move(device));
    else
        ++m_nEnds;
    m_changed.notify_all();
}

void CReportLog::AddFinished(const std::wstring&, int)
{
    std::lock_guard guard(m_lock);
    ++m_nFinished;
    m_changed.notify_all();
}

bool CReportLog::WaitForTexts(std::size_t count, int timeoutMs)
{
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_texts.size() >= count; });
}

bool CReportLog::WaitForEnd(int timeoutMs)
{
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_nEnds > 0; });
}

std::vector<std::wstring> CReportLog::Texts() const
{
    std::lock_guard guard(m_lock);
    return m_texts;
}

int CReportLog::Ends() const
{
    std::lock_guard guard(m_lock);
    return m_nEnds;
}

std::size_t CReportLog::FoundCount() const
{
    std::lock_guard guard(m_lock);
    return m_found.size();
}

std::vector<std::wstring> CReportLog::FoundSerials() const
{
    std::lock_guard guard(m_lock);
    std::vector<std::wstring> serials;
    for (const auto& device : m_found)
        serials.push_back(device->GetSerialNumber());
    return serials;
}

std::vector<std::wstring> CReportLog::FoundPorts() const
{
    std::lock_guard guard(m_lock);
    std::vector<std::wstring> ports;
    for (const auto& device : m_found)
        ports.push_back(device->GetPortName());
    return ports;
}

void CReportLog::ReleaseFound()
{
    std::vector<std::unique_ptr<Device::CVnDevice>> found;
    {
        std::lock_guard guard(m_lock);
        found.swap(m_found);
    }
}

} // namespace TerrionTest

#pragma once
// What a device job reported, kept apart from the receiver so that a test can
// still read it after the receiver is gone. Safe to fill from the worker.

#include "device/VnDevice.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace TerrionTest
{

class CReportLog
{
public:
    void AddText(const std::wstring& text);
    void AddFound(std::unique_ptr<Device::CVnDevice> device);
    void AddFinished(const std::wstring& text, int code);

    /// Waits until at least count status texts have come.
    bool WaitForTexts(std::size_t count, int timeoutMs);
    /// Waits for the end of the search (OnDeviceFound with none).
    bool WaitForEnd(int timeoutMs);

    std::vector<std::wstring> Texts() const;
    int Ends() const;
    std::size_t FoundCount() const;
    /// Serial numbers and port names of the instruments handed over, in order.
    std::vector<std::wstring> FoundSerials() const;
    std::vector<std::wstring> FoundPorts() const;
    /// Gives the found instruments back (they hold their ports open).
    void ReleaseFound();

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::wstring> m_texts;
    std::vector<std::unique_ptr<Device::CVnDevice>> m_found;
    int m_nEnds = 0;
    int m_nFinished = 0;
};

} // namespace TerrionTest

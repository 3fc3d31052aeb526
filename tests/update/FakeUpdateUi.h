#pragma once
// Records what the update services report, from any thread.

#include "update/UpdateUi.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TerrionTest
{

/// Polls pred every 10 ms for up to timeoutMs; whether it came true.
template <typename TPred> bool PollUntil(TPred pred, int timeoutMs = 20000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class CFakeUpdateUi : public Update::CUpdateUi
{
public:
    struct SPost
    {
        unsigned messageId;
        CVersion version;
    };

    void PostVersion(unsigned messageId, const CVersion& version) override
    {
        std::lock_guard lock(m_lock);
        m_posts.push_back(SPost{messageId, version});
        m_changed.notify_all();
    }
    void ShowMessage(const std::wstring& text, Resources::NMessageKind kind) override
    {
        std::lock_guard lock(m_lock);
        m_messages.push_back(text);
        m_kinds.push_back(kind);
        m_changed.notify_all();
    }
    void OnDownloadProgress(std::uint64_t bytes, std::uint64_t total) override
    {
        std::lock_guard lock(m_lock);
        m_lastProgress = bytes;
        m_total = total;
        ++m_progressCount;
        m_changed.notify_all();
    }
    void OnDownloadFinished(Update::NDownloadResult result, const std::wstring& text) override
    {
        std::lock_guard lock(m_lock);
        m_results.push_back(result);
        m_finishTexts.push_back(text);
        m_changed.notify_all();
    }
    void OnSearchConnected(bool connected, const std::wstring& errorText) override
    {
        std::lock_guard lock(m_lock);
        m_connected.push_back(connected);
        m_connectErrors.push_back(errorText);
        m_changed.notify_all();
    }
    void OnSearchFinished(bool listed, bool found, const Update::SInstaller& installer) override
    {
        std::lock_guard lock(m_lock);
        m_searches.push_back(listed);
        m_found = found;
        m_installer = installer;
        m_changed.notify_all();
    }

    /// Waits until pred holds (under the lock) or timeoutMs pass.
    template <typename TPred> bool WaitFor(TPred pred, int timeoutMs = 10000)
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return pred(*this); });
    }

    std::vector<SPost> Posts() const
    {
        std::lock_guard lock(m_lock);
        return m_posts;
    }
    std::vector<std::wstring> Messages() const
    {
        std::lock_guard lock(m_lock);
        return m_messages;
    }

    // Read under WaitFor or after the worker ended.
    std::vector<SPost> m_posts;
    std::vector<std::wstring> m_messages;
    std::vector<Resources::NMessageKind> m_kinds;
    std::uint64_t m_lastProgress = 0;
    std::uint64_t m_total = 0;
    int m_progressCount = 0;
    std::vector<Update::NDownloadResult> m_results;
    std::vector<std::wstring> m_finishTexts;
    std::vector<bool> m_connected;
    std::vector<std::wstring> m_connectErrors;
    std::vector<bool> m_searches;
    bool m_found = false;
    Update::SInstaller m_installer;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
};

} // namespace TerrionTest

#include "update/BoundedThread.h"

#include <chrono>
#include <system_error>

namespace Update
{

CBoundedThread::~CBoundedThread()
{
    if (m_thread.joinable())
    {
        if (IsRunning())
            m_thread.detach();
        else
            m_thread.join();
    }
}

bool CBoundedThread::Start(std::function<void()> body)
{
    if (IsRunning())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    auto state = std::make_shared<SState>();
    state->done = false;
    try
    {
        m_thread = std::thread(
            [state, work = std::move(body)]()
            {
                work();
                std::lock_guard lock(state->lock);
                state->done = true;
                state->ended.notify_all();
            });
    }
    catch (const std::system_error&)
    {
        return false;
    }
    m_state = state;
    return true;
}

bool CBoundedThread::IsRunning() const
{
    if (!m_state)
        return false;
    std::lock_guard lock(m_state->lock);
    return !m_state->done;
}

bool CBoundedThread::Stop(int timeoutMs)
{
    if (!m_thread.joinable())
        return true;
    bool ended = false;
    {
        std::unique_lock lock(m_state->lock);
        ended = m_state->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                        [this] { return m_state->done; });
    }
    if (ended)
        m_thread.join();
    else
        m_thread.detach();
    m_state.reset();
    return ended;
}

} // namespace Update

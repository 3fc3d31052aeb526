#include "tests/platform_wx/XClipboardOwner.h"

#include <wx/app.h>

#include <thread>
#include <unistd.h>

namespace TerrionTest
{

std::string CXClipboardOwner::Send(const std::string& command)
{
    if (!m_child.Write(command + "\n"))
        return {};
    std::string text = m_child.ReadLine();
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

int CXClipboardOwner::Requests()
{
    const std::string answer = Send("count");
    return answer.empty() ? -1 : std::stoi(answer);
}

bool PumpEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done())
    {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void PumpEventsFor(std::chrono::milliseconds time)
{
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end)
    {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace TerrionTest

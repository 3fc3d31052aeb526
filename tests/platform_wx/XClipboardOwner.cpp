#include "tests/platform_wx/XClipboardOwner.h"

#include <wx/app.h>

#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace TerrionTest
{

CXClipboardOwner::CXClipboardOwner(const char* program)
{
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0)
        return;
    if (pipe(fromChild) != 0)
    {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    std::string path(program);
    char* argv[] = {path.data(), nullptr};
    if (posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv, environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    m_input = toChild[1];
    m_output = fdopen(fromChild[0], "r");
}

CXClipboardOwner::~CXClipboardOwner()
{
    if (m_input >= 0)
    {
        (void)!write(m_input, "quit\n", 5);
        close(m_input);
    }
    if (m_output)
        std::fclose(m_output);
    if (m_pid > 0)
    {
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
}

std::string CXClipboardOwner::Send(const std::string& command)
{
    const std::string line = command + "\n";
    if (m_input < 0 || !m_output ||
        write(m_input, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return {};
    char answer[64] = {};
    if (!std::fgets(answer, sizeof(answer), m_output))
        return {};
    std::string text(answer);
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

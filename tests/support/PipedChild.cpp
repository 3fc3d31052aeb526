#include "tests/support/PipedChild.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace TerrionTest
{

CPipedChild::CPipedChild(const std::string& program, std::string farewell) : m_farewell(std::move(farewell))
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

CPipedChild::~CPipedChild()
{
    if (m_input >= 0)
    {
        (void)!write(m_input, m_farewell.data(), m_farewell.size());
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

bool CPipedChild::Write(const std::string& text)
{
    return m_input >= 0 && write(m_input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::string CPipedChild::ReadLine()
{
    char line[256] = {};
    if (!m_output || !std::fgets(line, sizeof(line), m_output))
        return {};
    return std::string(line);
}

} // namespace TerrionTest

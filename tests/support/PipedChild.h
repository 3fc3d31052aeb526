#pragma once
// A helper program run beside a test, spoken to through its standard input
// and output: the other clipboard owners of the clipboard tests.

#include <cstdio>
#include <string>
#include <sys/types.h>

namespace TerrionTest
{

class CPipedChild
{
public:
    /// Starts program; farewell is written to it before it is waited for.
    CPipedChild(const std::string& program, std::string farewell);
    ~CPipedChild();
    CPipedChild(const CPipedChild&) = delete;
    CPipedChild& operator=(const CPipedChild&) = delete;

    bool IsRunning() const { return m_pid > 0; }
    /// Writes text as it stands; false when it did not all go.
    bool Write(const std::string& text);
    /// The next line it writes, with its line break; empty at its end.
    std::string ReadLine();

private:
    std::string m_farewell;
    pid_t m_pid = -1;
    int m_input = -1;
    std::FILE* m_output = nullptr;
};

} // namespace TerrionTest

#include "tests/simulator/SimThread.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace TerrionTest
{

CSimThread::CSimThread()
{
    if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot create the simulator's wake pipe");
}

CSimThread::~CSimThread()
{
    Stop();
    close(m_wake[0]);
    close(m_wake[1]);
}

void CSimThread::Start(std::function<void()> run)
{
    m_thread = std::thread(std::move(run));
}

void CSimThread::Stop()
{
    m_bStop = true;
    const char one = 1;
    [[maybe_unused]] ssize_t ignored = ::write(m_wake[1], &one, 1);
    if (m_thread.joinable())
        m_thread.join();
}

void CSimThread::Pause(int ms) const
{
    pollfd wake{m_wake[0], POLLIN, 0};
    poll(&wake, 1, ms);
}

} // namespace TerrionTest

#pragma once
#include <chrono>
#include <functional>

#include <wx/app.h>
#include <wx/utils.h>

/// Lets the main loop deliver what the grid windows posted and painted.
inline void Pump()
{
    for (int i = 0; i < 5; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

/// Pumps events until `done` holds or a generous limit passes; the display
/// delivers simulated input and timers only while the loop runs.
inline bool PumpUntil(const std::function<bool()>& done)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        wxMilliSleep(10);
        Pump();
    }
    return true;
}

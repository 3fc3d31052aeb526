#pragma once
// What the device worker thread needs from the application: the error box for
// a failure nothing else caught, and the wait cursor while a search runs. The
// application implements it over its own message boxes; tests fake it. The
// worker calls it on its own thread, so an implementation must be safe there.

#include "resources/MessageKind.h"

#include <string>

namespace Device
{

class CDeviceThreadHost
{
public:
    virtual ~CDeviceThreadHost() = default;

    /// Shows a message of the given kind; sourceFile and line say where it came from.
    virtual void ReportMessage(Resources::NMessageKind kind, const std::wstring& text,
                               const std::string& sourceFile, int line) = 0;
    /// Called on the worker thread when a search starts and ends.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};

} // namespace Device

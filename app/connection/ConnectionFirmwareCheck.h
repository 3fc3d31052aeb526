#pragma once
// What the connection holder needs of the firmware check that every new
// connection starts: started with the instrument, stopped by its destruction.
// The update services provide it; until then no check is made.

#include "device/VnDevice.h"

class CConnectionFirmwareCheck
{
public:
    virtual ~CConnectionFirmwareCheck() = default;
    /// Starts checking the instrument's firmware; news is posted to the owner
    /// with firmwareMessage (and osMessage, 0 = none).
    virtual void Start(Device::CVnDevice& device, int firmwareMessage, int osMessage) = 0;
};

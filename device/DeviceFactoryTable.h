#pragma once
// The drivers built into the device library, one line each. CreateDevice()
// starts from this table; a new driver adds its line here (or registers at
// start-up with RegisterDeviceFactory()) and the factory stays as it is.

#include "device/VnDevice.h"

#include <span>

namespace Device
{

struct SDeviceFactoryEntry
{
    int type;
    TDeviceFactory factory;
};

std::span<const SDeviceFactoryEntry> GetBuiltInDeviceFactories();

} // namespace Device

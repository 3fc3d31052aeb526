#pragma once
// The USB vendor id under which the maker's instruments appear, both the
// bulk-USB ones and the HID probes. Change it here to match real hardware
// (see the README).

#include <cstdint>

namespace StreamIO
{

inline constexpr std::uint16_t kMakerUsbVendorId = 0x16D0;

} // namespace StreamIO

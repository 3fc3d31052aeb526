#pragma once
// The result of a remote login on an instrument that keeps user accounts.

#include <cstdint>
#include <string>

namespace Device
{

struct SLoginInfo
{
    std::wstring user;
    std::wstring password;
    std::uint16_t rights = 0;
    std::uint32_t key = 0;
};

} // namespace Device

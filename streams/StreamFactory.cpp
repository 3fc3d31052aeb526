#include "streams/StreamFactory.h"

#include "streams/FileException.h"
#include "streams/FileStream.h"
#include "streams/IpStream.h"
#include "streams/RamDisk.h"
#include "streams/RamStream.h"
#include "streams/Rs232Stream.h"
#include "streams/StreamTable.h"
#include "streams/Win32Error.h"

#include <cwctype>

namespace StreamIO
{
namespace
{

bool HasPrefixNoCase(const std::wstring& name, const wchar_t* prefix)
{
    std::size_t i = 0;
    for (; prefix[i] != L'\0'; ++i)
    {
        if (i >= name.size() || static_cast<wchar_t>(std::towupper(name[i])) != prefix[i])
            return false;
    }
    return true;
}

} // namespace

bool ParseComPortName(const std::wstring& name, int* port)
{
    if (!HasPrefixNoCase(name, L"COM"))
        return false;
    std::size_t i = 3;
    int number = 0;
    while (i < name.size() && name[i] >= L'0' && name[i] <= L'9')
    {
        number = number * 10 + (name[i] - L'0');
        ++i;
    }
    const std::size_t digits = i - 3;
    if (digits < 1 || digits > 3 || i + 1 != name.size() || name[i] != L':')
        return false;
    if (number < 1 || number > 256)
        return false;
    if (port != nullptr)
        *port = number;
    return true;
}

bool IsIpStreamName(const std::wstring& name)
{
    return HasPrefixNoCase(name, L"IP:");
}

std::unique_ptr<CIoStream> CreateStream(const std::wstring& name, std::uint32_t openFlags)
{
    int port = 0;
    if (ParseComPortName(name, &port))
        return std::make_unique<CRs232Stream>(port, openFlags, nullptr);
    if (HasPrefixNoCase(name, L"RAM:"))
        return std::make_unique<CRamStream>(name, openFlags);
    if (IsIpStreamName(name))
        return std::make_unique<CIpStream>(name, openFlags);
    return std::make_unique<CFileStream>(name, openFlags);
}

int CloseStream(std::uint32_t handle)
{
    return CIoStream::CloseByHandle(handle);
}

void Initialize()
{
    CStreamTable::Instance();
    CRamDisk::CreateInstance();
}

void Terminate()
{
    CStreamTable::Instance().Shutdown();
    CRamDisk::DestroyInstance();
}

} // namespace StreamIO

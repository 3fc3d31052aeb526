#pragma once
// The Platform instrument (type 10, family 13): an OS-based instrument like
// the Halvint 3, without a probe; its record also holds a bootloader version
// that the "@ID@" answer does not give.

#include "device/VnDevice.h"
#include "device/others/IdentRecords.h"

namespace Device
{

class CPlatformDevice : public CVnDevice
{
public:
    CPlatformDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    bool Identify(SDeviceInfo& info) override;
    std::wstring GetInfoText() override;
    std::wstring GetSerialNumber() const override { return m_ident.serialNumber; }
    bool GetContents(CContents& contents) override;
    bool RemoteLogin(SLoginInfo& info) override;
    bool RemoteLogout() override;
    /// The base check, then hardware revision and OS version.
    int CheckDevice(const CPackageHeader& package) override;
    /// Programs a block that asks for it, with the callback attached.
    int ProgramBlock(const SBlockDescriptor& block) override;

    virtual bool GetObjectInfo(SPlatformIdent& ident) const;
    virtual bool ReadStatusBlock(std::uint8_t* buffer, int* length);

    static std::wstring TypeName() { return L"Platform"; }

private:
    SPlatformIdent m_ident;
    std::wstring m_strInfoText;
};

} // namespace Device

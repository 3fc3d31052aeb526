#pragma once
// What the two instruments that speak the Terrion's identification and
// bootloader protocol share: CFulmetraDevice and CStreliaDevice differ only
// in the text that leaves their service mode, their serial defaults, the
// placeholder of an empty serial number and their family code.
//
// "@ID@" answers "type;hardware revision;serial;signature;firmware"; a
// bootloader answers the lines "SC030102F9\r\n" -> 'G', "SI030000FC\r\n".

#include "device/VnDevice.h"

#include <cstdint>
#include <string>

namespace Device
{

class CTerrionLikeDevice : public CVnDevice
{
public:
    static constexpr std::uint8_t kStateApplication = 8;
    static constexpr std::uint8_t kStateBootloader = 3;

    bool Identify(SDeviceInfo& info) override;
    std::wstring GetInfoText() override;
    std::wstring GetSerialNumber() const override { return m_ident.serialNumber; }
    bool GetContents(CContents& contents) override;
    bool QueryId(SDeviceInfo& info) override;
    std::int32_t GetDeviceId() override;
    int PrepareUpgrade(const CPackageHeader& package) override;
    int BeginBlock(const CPackageHeader& package, const SBlockDescriptor& block) override;
    int TransferBlock(const SBlockDescriptor& block) override;
    int ProgramBlock(const SBlockDescriptor&) override { return 0; }
    int EndBlock(const CPackageHeader&, const SBlockDescriptor&) override { return 0; }
    int FinishUpgrade() override;

    /// Copies the five identification strings.
    virtual bool GetObjectInfo(SDeviceIdent& ident) const;
    /// The bootloader's identification block (target 1).
    virtual bool IdentifyBootloader(std::string& out);

    /// Sends the text that leaves the service mode when forced or when the
    /// service mode is on; false on a stream error.
    virtual bool LeaveServiceMode(bool force, bool wait) = 0;
    /// The end of an upgrade: target 1 and the exit line start the
    /// application (protocol state 8); 0 or 6.
    int LeaveBootloader();

    std::uint8_t GetProtocolState() const { return m_nProtocolState; }
    const SDeviceIdent& GetIdent() const { return m_ident; }

protected:
    CTerrionLikeDevice(NTypes type, const wchar_t* name, int family, const wchar_t* placeholder);
    /// Runs before "@ID@".
    virtual void PrepareIdentify() {}

    std::uint8_t m_nProtocolState = kStateApplication;
    SDeviceIdent m_ident;
    std::wstring m_strInfoText;
    bool m_bServiceMode = false;

private:
    const wchar_t* m_pPlaceholder;
};

} // namespace Device

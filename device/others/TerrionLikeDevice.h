#pragma once
// What the two instruments that speak the Terrion's identification and
// bootloader protocol share: CFulmetraDevice and CStreliaDevice differ only
// in the text that leaves their service mode, their serial defaults, the
// placeholder of an empty serial number and their family code.
//
// "@ID@" answers "type;hardware revision;serial;signature;firmware"; a
// bootloader answers the lines "SC030102F9\r\n" -> 'G', "SI030000FC\r\n".

#include "device/others/BootloaderDevice.h"

#include <cstdint>
#include <string>

namespace Device
{

class CTerrionLikeDevice : public CBootloaderDevice
{
public:
    bool Identify(SDeviceInfo& info) override;

    /// Copies the five identification strings.
    virtual bool GetObjectInfo(SDeviceIdent& ident) const;
    /// The bootloader's identification block (target 1).
    bool IdentifyBootloader(std::string& out) override;

    /// Sends the text that leaves the service mode when forced or when the
    /// service mode is on; false on a stream error.
    virtual bool LeaveServiceMode(bool force, bool wait) = 0;
    /// The end of an upgrade: target 1 and the exit line start the
    /// application (protocol state 8); 0 or 6.
    int LeaveBootloader() override;
    /// The raised time-outs, the application's switch to the bootloader
    /// (unless there already), target 1 and the erase line.
    int PrepareBootloader() override;

    const SDeviceIdent& GetIdent() const { return m_ident; }

protected:
    CTerrionLikeDevice(NTypes type, const wchar_t* name, int family, const wchar_t* placeholder);
    /// Runs before "@ID@".
    virtual void PrepareIdentify() {}
    const SDeviceIdent& Ident() const override { return m_ident; }

    SDeviceIdent m_ident;
    bool m_bServiceMode = false;

private:
    const wchar_t* m_pPlaceholder;
};

} // namespace Device

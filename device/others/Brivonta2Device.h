#pragma once
// The Brivonta 3 (type 5, family 8): a USB probe instrument reached over the
// HID probe transport. Its commands travel over the attached control
// stream. A new, unconfigured instrument answers "@ID@" with an empty type
// and is named "New Brivonta 3"; the answer is "type;firmware;serial;
// signature;hardware revision" (the last may be missing).

#include "device/VnDevice.h"

#include <array>
#include <cstdint>

namespace Device
{

class CBrivonta2Device : public CVnDevice
{
public:
    static constexpr const wchar_t* kNewName = L"New Brivonta 3";
    static constexpr std::size_t kPacketSize = 8;

    CBrivonta2Device();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    bool Identify(SDeviceInfo& info) override;
    std::wstring GetInfoText() override;
    std::wstring GetSerialNumber() const override { return m_ident.serialNumber; }
    bool GetContents(CContents& contents) override;
    /// A new instrument answers from the stored record without traffic.
    bool QueryId(SDeviceInfo& info) override;

    virtual bool GetObjectInfo(SDeviceIdent& ident) const;
    /// The serial number packed into 8 bytes; false (packet zeroed) when the
    /// short query fails or the serial number is not "BVaa-bbb-cccc".
    virtual bool GetSerialPacket(std::array<std::uint8_t, kPacketSize>& packet);

    /// Packs a serial number "BV%02d-%03d-%04d"; false when it does not read.
    static bool BuildSerialPacket(const std::wstring& serial, std::array<std::uint8_t, kPacketSize>& packet);

    static std::wstring TypeName() { return L"Brivonta 3"; }

private:
    SDeviceIdent m_ident;
    std::wstring m_strInfoText;
};

} // namespace Device

#pragma once
// The Brivonta 3 (type 5, family 8): a USB probe instrument reached over the
// HID probe transport. Its commands travel over the attached control
// stream. A new, unconfigured instrument answers "@ID@" with an empty type
// and is named "New Brivonta 3"; the answer is "type;firmware;serial;
// signature;hardware revision" (the last may be missing).

#include "device/VnDevice.h"
#include "device/others/ProbeDataChannel.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

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
    static constexpr std::size_t kReportSize = 8;

    /// Closes the data channel with the control stream: a later attach to
    /// another probe must not read this one's reports.
    std::unique_ptr<StreamIO::CIoStream> Detach() override;

    /// Replaces the channel input reports come through (owned); by default
    /// the HID probe transport's data stream.
    void SetDataChannel(std::unique_ptr<CProbeDataChannel> channel);
    /// Reads one 8-byte input report, opening the data channel on the control
    /// stream's device first when needed; sequence receives its number.
    virtual bool ReadInputReport(std::span<std::uint8_t, kReportSize> report, int& sequence, int timeoutMs);
    /// The serial number packed into 8 bytes; false (packet zeroed) when the
    /// short query fails or the serial number is not "BVaa-bbb-cccc".
    virtual bool GetSerialPacket(std::array<std::uint8_t, kPacketSize>& packet);

    /// Packs a serial number "BV%02d-%03d-%04d"; false when it does not read.
    static bool BuildSerialPacket(const std::wstring& serial, std::array<std::uint8_t, kPacketSize>& packet);

    static std::wstring TypeName() { return L"Brivonta 3"; }

private:
    SDeviceIdent m_ident;
    std::wstring m_strInfoText;
    std::unique_ptr<CProbeDataChannel> m_pData;
};

} // namespace Device

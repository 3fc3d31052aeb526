#pragma once
// The Aldermoor (type 2, family 5): a Krastel-family instrument at 38400
// baud with RTS/CTS (read 1000 ms, write 50 ms). Binary commands of 47 data
// bytes or more go unframed (CKrastelProtocol).

#include "device/VnDevice.h"
#include "device/others/IdentRecords.h"

namespace Device
{

class CKrastelDevice : public CVnDevice
{
public:
    /// From this many data bytes on a command goes unframed.
    static constexpr int kUnframedFrom = 47;

    CKrastelDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    /// The base Attach, then CR-only reply lines again.
    using CVnDevice::Attach;
    bool Attach(StreamIO::CIoStream* stream, NPorts portType) override;
    int GetBlockSize() const override { return 0; }
    int GetChecksumFlags() const override { return 1; }
    bool ResetMode() override;
    bool Identify(SDeviceInfo& info) override;
    std::wstring GetInfoText() override;
    /// The base step with the mode switch given half as long again.
    int EndBlock(const CPackageHeader& package, const SBlockDescriptor& block) override;
    std::wstring GetSerialNumber() const override { return m_ident.serialNumber; }
    bool GetContents(CContents& contents) override;
    int BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity,
                      int timeoutMs) override;

    /// Copies the six identification strings.
    virtual bool GetObjectInfo(SDeviceIdentEx& ident) const;

    static std::wstring TypeName() { return L"Aldermoor"; }

protected:
    /// For subclasses: no serial defaults are set.
    CKrastelDevice(NTypes type, const wchar_t* name, int ports, int family);

    SDeviceIdentEx m_ident;
    std::wstring m_strInfoText;
    std::uint8_t m_nState1 = 0;
    std::uint8_t m_nState2 = 0;
};

} // namespace Device

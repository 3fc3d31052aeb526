#pragma once
// The Halvint Mezzeta and Tollery (type 1, family 4): the Krastel design in a
// class of its own. Model keys in the type field become display names;
// commands of more than 31 data bytes go unframed, and command 0xD0 with the
// one data byte '0' answers a raw block of 129 bytes.

#include "device/VnDevice.h"
#include "device/others/IdentRecords.h"

namespace Device
{

class CMezzetaDevice : public CVnDevice
{
public:
    static constexpr int kUnframedFrom = 32;
    static constexpr int kBlockSize = 129;

    CMezzetaDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
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
    /// The block read of 0xD0 '0' needs a capacity of 129 bytes (else 252).
    int BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity,
                      int timeoutMs) override;

    virtual bool GetObjectInfo(SDeviceIdentEx& ident) const;

    static std::wstring TypeName() { return L"Halvint Mezzeta / Halvint Tollery"; }

private:
    int ReadBlock(std::uint8_t* buffer, int capacity, int timeoutMs);

    SDeviceIdentEx m_ident;
    std::wstring m_strInfoText;
};

} // namespace Device

#pragma once
// The Tarlowend (type 11): an instrument that answers no command and only
// streams numeric text lines at 9600 baud. It is identified by listening
// (CListeningDecoder); it reports no identity and takes no upgrade.

#include "device/VnDevice.h"

namespace Device
{

class CTarlowendDevice : public CVnDevice
{
public:
    /// Most bytes listened to before giving up.
    static constexpr int kListenBytes = 50;

    CTarlowendDevice();

    std::unique_ptr<CVnDevice> CreateInstance() const override;
    /// Listens for four numeric lines; info is not filled.
    bool Identify(SDeviceInfo& info) override;
    std::wstring GetInfoText() override;
    std::wstring GetSerialNumber() const override { return m_ident.serialNumber; }
    /// Always false: the instrument reports no components.
    bool GetContents(CContents& contents) override;
    bool QueryId(SDeviceInfo& info) override;
    std::int32_t GetDeviceId() override { return 0; }
    int PrepareUpgrade(const CPackageHeader&) override { return ecNotReady; }
    int BeginBlock(const CPackageHeader&, const SBlockDescriptor&) override { return ecNotReady; }
    int ProgramBlock(const SBlockDescriptor&) override { return 0; }
    int EndBlock(const CPackageHeader&, const SBlockDescriptor&) override { return 0; }

    /// Copies the five (empty) identification strings.
    virtual bool GetObjectInfo(SDeviceIdent& ident) const;
    virtual bool IdentifyBootloader(std::string& out);

    static std::wstring TypeName() { return L"Tarlowend"; }

private:
    SDeviceIdent m_ident;
    std::wstring m_strInfoText;
};

} // namespace Device

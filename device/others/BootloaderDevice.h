#pragma once
// What the drivers share whose instruments answer "@ID@" with a signature of
// their family, take the short query "ID", and are upgraded through the text
// bootloader with S-record blocks: CKindravelDevice, CWexleyLabDevice and the
// Terrion-like ones. When "@ID@" gets no answer the instrument is taken to be
// in its bootloader and asked there. Each driver keeps its own
// identification record and says how its bootloader is entered, its targets
// selected and left.

#include "device/VnDevice.h"

#include <cstdint>
#include <span>
#include <string>

namespace Device
{

class CBootloaderDevice : public CVnDevice
{
public:
    static constexpr std::uint8_t kStateApplication = 8;
    static constexpr std::uint8_t kStateBootloader = 3;

    std::wstring GetInfoText() override;
    std::wstring GetSerialNumber() const override { return Ident().serialNumber; }
    /// Identifies first when no signature is known yet.
    bool GetContents(CContents& contents) override;
    /// The short query; when it fails, a full identification.
    bool QueryId(SDeviceInfo& info) override;
    std::int32_t GetDeviceId() override;

    int PrepareUpgrade(const CPackageHeader& package) override;
    int BeginBlock(const CPackageHeader& package, const SBlockDescriptor& block) override;
    int TransferBlock(const SBlockDescriptor& block) override;
    int ProgramBlock(const SBlockDescriptor&) override { return 0; }
    int EndBlock(const CPackageHeader&, const SBlockDescriptor&) override { return 0; }
    int FinishUpgrade() override;

    /// The bootloader's identification block.
    virtual bool IdentifyBootloader(std::string& out) = 0;
    // The driver's own upgrade steps, each 0 or an NError_code.
    /// Into the bootloader (unless there already), the application erased.
    virtual int PrepareBootloader() = 0;
    /// Selects the target a block goes to.
    virtual int SelectBlockTarget(std::span<const std::uint8_t, 16> /*descriptor*/) { return 0; }
    /// Leaves the bootloader: the application starts.
    virtual int LeaveBootloader() = 0;

    std::uint8_t GetProtocolState() const { return m_nProtocolState; }
    /// The bootloader target selected: 0 none, 1 or 2.
    std::uint8_t GetBootTarget() const { return m_nBootTarget; }

protected:
    using CVnDevice::CVnDevice;

    virtual const SDeviceIdent& Ident() const = 0;
    /// The application answered a query.
    virtual void OnApplicationAnswered() { m_nProtocolState = kStateApplication; }
    /// The "@ID@" answer, or the bootloader's when the application does not
    /// answer; the protocol state follows whichever answered.
    bool ReadIdentAnswer(std::string& answer);
    /// Hands the SDeviceInfo part out; true when the signature reads with
    /// the family code and none of the five fields is empty.
    bool CheckIdent(SDeviceInfo& info) const;
    /// The identification of a bootloader that answers only with target 2
    /// selected: selects it when no target is and leaves it again after.
    bool IdentifyOnTarget2(std::string& out);

    std::uint8_t m_nProtocolState = kStateApplication;
    std::uint8_t m_nBootTarget = 0;
    std::wstring m_strInfoText;
};

} // namespace Device

#pragma once
// The Halvint 3 (type 0, family 3): an instrument with an operating system,
// on serial, USB or Ethernet with the base serial settings. Identification
// negotiates CR-only reply lines first. Its measuring probe keeps ten
// parameters behind three probe registers (command 0xE0 switches them,
// command 0xF3 reads and writes the parameter block at 0xF000).

#include "device/VnDevice.h"
#include "device/others/IdentRecords.h"
#include "device/others/ProbeParameters.h"

namespace Device
{

class CHalvint3SeDevice : public CVnDevice
{
public:
    /// The code of the probe type this driver serves, as "PNAM?" names it.
    static constexpr const char* kProbeCode = "HP";

    CHalvint3SeDevice();

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

    /// Copies the identification record; true.
    virtual bool GetObjectInfo(SDeviceIdentOs& ident) const;
    /// Reads the probe's parameters; the registers are switched off again
    /// whatever happens once they were on.
    virtual bool ReadProbeParameters(SProbeParameters& parameters);
    /// Checks and writes the probe's parameters; nothing is sent when a value
    /// is out of range.
    virtual bool WriteProbeParameters(const SProbeParameters& parameters);
    /// The instrument's status block ("SS"); in: *length = capacity.
    virtual bool ReadStatusBlock(std::uint8_t* buffer, int* length);

    static std::wstring TypeName() { return L"Halvint 3"; }

private:
    bool SwitchRegister(std::uint8_t reg, bool on, bool firstByteOnly = false);
    void SwitchOff(std::initializer_list<std::uint8_t> registers);
    bool WaitForProbe();
    bool OpenProbe(bool firstByteOnlyOnF0);

    SDeviceIdentOs m_ident;
    std::wstring m_strInfoText;
};

} // namespace Device

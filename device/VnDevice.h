#pragma once
// The abstract instrument. A driver object knows its instrument type, the
// ports it can use and the serial settings it needs. Once a stream is
// attached it owns that stream and a command object (CVnCommands) and offers
// identification and the instrument's commands. Drivers are made from an
// instrument type by CreateDevice().
//
// Lifecycle: created unattached; Attach() -> attached (stream and command
// object present); Detach() gives the stream back. Without an attached
// stream every operation fails or returns its neutral value (false, 0, -1);
// none of them throws. Destroying an attached object closes its stream.
// A driver object is used by one thread at a time.

#include "device/Callback.h"
#include "device/Contents.h"
#include "device/DeviceInfo.h"
#include "device/DeviceTypes.h"
#include "device/VnCommands.h"
#include "streams/IoStream.h"
#include "streams/Rs232Settings.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Device
{

/// Result of the last remote login.
struct SLoginInfo
{
    std::wstring user;
    std::wstring password;
    std::uint16_t rights = 0;
    std::uint32_t key = 0;
};

class CVnDevice
{
public:
    CVnDevice(NTypes type, std::wstring displayName, int supportedPorts, int familyCode);
    virtual ~CVnDevice();

    CVnDevice(const CVnDevice&) = delete;
    CVnDevice& operator=(const CVnDevice&) = delete;

    /// A new, unattached object of the same class.
    virtual std::unique_ptr<CVnDevice> CreateInstance() const = 0;

    /// The message of an NError_code, with the code filled in where the text has one.
    virtual std::wstring GetErrorText(int code) const;

    /// Takes the stream (port type 1, 2 or 4; the stream must be open). On
    /// success the device owns the stream; on failure the caller still does.
    /// Fails while a stream is attached.
    virtual bool Attach(StreamIO::CIoStream* stream, NPorts portType);
    /// The same with ownership in the type: the device owns the stream from
    /// now on, and on failure the stream is closed and freed here. A driver
    /// that overrides Attach brings this one back with `using CVnDevice::Attach`.
    bool Attach(std::unique_ptr<StreamIO::CIoStream> stream, NPorts portType);
    /// Gives the stream back to the caller (null when none is attached).
    virtual std::unique_ptr<StreamIO::CIoStream> Detach();
    virtual StreamIO::CIoStream* GetStream() const { return m_pStream; }
    /// The name the attached stream was opened under; empty when none.
    virtual std::wstring GetPortName() const;
    virtual NPorts GetPortType() const { return m_nPortType; }

    /// The firmware package being installed; not owned.
    virtual bool AttachPackage(StreamIO::CIoStream* package);
    virtual StreamIO::CIoStream* DetachPackage();
    /// Not owned; fails when one is set or none is given.
    virtual bool SetCallback(CCallback* callback);
    virtual CCallback* RemoveCallback();

    /// Chunk size of firmware transfers.
    virtual int GetBlockSize() const { return 0x8000; }
    /// Bit 0 = CRC-16, bit 1 = CRC-32 for firmware transfers.
    virtual int GetChecksumFlags() const { return 2; }
    /// The settings used to open the instrument's COM port (modifiable).
    virtual StreamIO::SRs232Settings& GetSerialSettings() { return m_serialSettings; }

    virtual bool RemoteLogin(SLoginInfo& info);
    virtual bool RemoteLogout();
    virtual bool SetConnected(bool connected, int keepAliveMs);
    virtual bool SendControlD0();
    /// Sync, then back to the normal operation mode 12.
    virtual bool ResetMode();

    virtual bool Identify(SDeviceInfo& info) = 0;
    virtual std::wstring GetInfoText() = 0;
    virtual std::wstring GetSerialNumber() const = 0;
    /// The installed firmware components.
    virtual bool GetContents(CContents& contents) = 0;
    /// The "ID" text query.
    virtual bool QueryId(SDeviceInfo& info);
    /// 0 without a command object; else the 32-bit id, -1 on failure.
    virtual std::int32_t GetDeviceId();

    /// 0 without a command object or text; else CVnCommands::TextCommand with
    /// 1000 ms for a negative time-out.
    virtual int TextCommand(const std::string& text, char* dest, int capacity, int timeoutMs);
    /// 1 without a command object, buffer or positive capacity; else
    /// CVnCommands::BulkCommand with 2000 ms for a negative time-out and the
    /// device's callback.
    virtual int BulkCommand(std::uint8_t command, std::uint8_t* buffer, int n, int* outCount, int capacity,
                            int timeoutMs, int overallLimitMs);
    virtual void SetExpressUpgrade(bool express) { m_bExpress = express; }
    virtual bool IsExpressUpgrade() const { return m_bExpress; }
    /// 0 without a command object, buffer or positive capacity (nothing is
    /// sent); else CVnCommands::BinaryCommand with 1000 ms for a negative time-out.
    virtual int BinaryCommand(std::uint8_t command, int n, std::uint8_t* buffer, int capacity, int timeoutMs);

    NTypes GetType() const { return m_nType; }
    const std::wstring& GetDisplayName() const { return m_strDisplayName; }
    int GetSupportedPorts() const { return m_nSupportedPorts; }
    int GetFamilyCode() const { return m_nFamilyCode; }
    CCallback* GetCallback() const { return m_pCallback; }
    /// The command object while attached, else null.
    CVnCommands* GetCommands() const { return m_pCommands.get(); }
    const SLoginInfo& GetLoginInfo() const { return m_login; }

    /// The abort poll that Attach() installs in every new command object.
    /// The device worker thread sets IsDeviceAbortRequested here when it
    /// starts; until then command objects have none.
    static void SetAbortPoll(CVnCommands::TAbortPoll poll);

protected:
    StreamIO::SRs232Settings m_serialSettings;

private:
    StreamIO::CIoStream* m_pPackage = nullptr;
    StreamIO::CIoStream* m_pStream = nullptr; // owned while attached
    NPorts m_nPortType = portNone;
    CCallback* m_pCallback = nullptr;
    std::unique_ptr<CVnCommands> m_pCommands;
    SLoginInfo m_login;
    bool m_bExpress = false;
    std::wstring m_strStepSuffix;
    NTypes m_nType;
    int m_nSupportedPorts;
    std::wstring m_strDisplayName;
    int m_nFamilyCode;
};

/// Makes a driver for an instrument type: a new, unattached object owned by
/// the caller, or null for typeNone, an unknown type or a type whose driver
/// is not registered.
std::unique_ptr<CVnDevice> CreateDevice(int type);

/// The display name of an instrument type ("Terrion" for 7); empty for others.
std::wstring GetTypeName(int type);

/// Makes a new, unattached driver object.
using TDeviceFactory = std::unique_ptr<CVnDevice> (*)();
/// Registers (or replaces) the factory of an instrument type; false for a
/// value outside 0..11. Drivers in the device library are registered from
/// its built-in table; others may add theirs at start-up.
bool RegisterDeviceFactory(int type, TDeviceFactory factory);

} // namespace Device

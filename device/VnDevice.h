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

#include "device/BlockDescriptor.h"
#include "device/Callback.h"
#include "device/Contents.h"
#include "device/DeviceInfo.h"
#include "device/DeviceTypes.h"
#include "device/LoginInfo.h"
#include "device/VnCommands.h"
#include "streams/IoStream.h"
#include "streams/Rs232Settings.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Device
{

class CPackageHeader;

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
    /// Fails while a stream is attached. The new command object polls
    /// IsDeviceAbortRequested, whether or not the device worker runs.
    virtual bool Attach(StreamIO::CIoStream* stream, NPorts portType);
    /// The same with ownership in the type: the device owns the stream from
    /// now on, and on failure the stream is closed and freed here. A driver
    /// that overrides Attach brings this one back with `using CVnDevice::Attach`.
    bool Attach(std::unique_ptr<StreamIO::CIoStream> stream, NPorts portType);
    /// Gives the stream back to the caller (null when none is attached).
    virtual std::unique_ptr<StreamIO::CIoStream> Detach();
    virtual StreamIO::CIoStream* GetStream() const { return m_pStream; }
    /// The attached line is gone for good (see CIoStream::IsLineLost).
    bool IsLineLost() const { return GetStream() != nullptr && GetStream()->IsLineLost(); }
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
    // The file commands of CVnCommands; false without a command object.
    virtual bool ListDeviceDirectory(std::uint16_t selector, std::wstring& listing);
    virtual bool LoadDeviceFile(StreamIO::CIoStream* destination, const std::wstring& name);
    virtual bool SaveDeviceFile(const std::wstring& name, StreamIO::CIoStream* source);
    virtual bool CreateEmptyDeviceFile(const std::wstring& name);
    virtual bool MoveDeviceFile(const std::wstring& oldName, const std::wstring& newName);
    virtual bool DeleteDeviceFile(const std::wstring& name);
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

    /// 0 without a command object; else CVnCommands::TextCommand with 1000 ms
    /// for a negative time-out (an empty text goes out as well).
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

    // Firmware upgrade steps, run by the upgrade job in this order: CheckDevice,
    // PrepareUpgrade, then per block BeginBlock, TransferBlock, ProgramBlock,
    // EndBlock (or SkipBlock), then FinishUpgrade. Each returns 0 or an
    // NError_code. The base steps use the framed transfer commands; the
    // package stream is the one given to AttachPackage().
    virtual int SkipBlock(const SBlockDescriptor& block);
    virtual int CheckDevice(const CPackageHeader& package);
    virtual int PrepareUpgrade(const CPackageHeader& package);
    virtual int BeginBlock(const CPackageHeader& package, const SBlockDescriptor& block);
    virtual int TransferBlock(const SBlockDescriptor& block);
    virtual int ProgramBlock(const SBlockDescriptor& block);
    virtual int EndBlock(const CPackageHeader& package, const SBlockDescriptor& block);
    virtual int FinishUpgrade();
    /// Appended to the upgrade's status texts: " [step/steps]" or empty.
    void SetStepSuffix(const std::wstring& suffix) { m_strStepSuffix = suffix; }
    StreamIO::CIoStream* GetPackage() const { return m_pPackage; }

    NTypes GetType() const { return m_nType; }
    const std::wstring& GetDisplayName() const { return m_strDisplayName; }
    int GetSupportedPorts() const { return m_nSupportedPorts; }
    int GetFamilyCode() const { return m_nFamilyCode; }
    CCallback* GetCallback() const { return m_pCallback; }
    /// The command object while attached, else null.
    CVnCommands* GetCommands() const { return m_pCommands.get(); }
    const SLoginInfo& GetLoginInfo() const { return m_login; }

protected:
    /// The string's text, with the step suffix when asked, to the callback.
    void ReportStatus(unsigned id, bool withSuffix);
    /// The worker's abort flag, through the abort poll.
    static bool IsAborted();
    /// Keeps the result of a login that a driver ran itself.
    void SetLoginInfo(const SLoginInfo& info) { m_login = info; }
    /// Sends the package's descriptor when the mode byte asks for it and the
    /// mode changed or it was never accepted; 0 or ecDescriptor.
    int SendDescriptorIfAsked(const CPackageHeader& package, std::uint8_t modeByte, bool changed);

    StreamIO::SRs232Settings m_serialSettings;

private:
    StreamIO::CIoStream* m_pPackage = nullptr;
    StreamIO::CIoStream* m_pStream = nullptr; // owned while attached
    NPorts m_nPortType = portNone;
    CCallback* m_pCallback = nullptr;
    std::unique_ptr<CVnCommands> m_pCommands;
    SLoginInfo m_login;
    bool m_bDescriptorSent = false;
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

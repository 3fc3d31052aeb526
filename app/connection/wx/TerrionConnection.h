#pragma once
// The one connection to the instrument (theConnection): it owns the connected
// instrument object, re-identifies it before each use and runs the connection
// wizard when none answers. Every connection made through the wizard starts a
// firmware check, which goes with the next Disconnect().

#include "app/connection/ConnectionFirmwareCheck.h"
#include "device/VnDevice.h"
#include "platform/SettingsStore.h"

#include <functional>
#include <memory>

class CUserPrompts;
class wxWindow;

class CTerrionConnection
{
public:
    using TFirmwareCheckFactory = std::function<std::unique_ptr<CConnectionFirmwareCheck>(wxWindow* owner)>;

    /// The prompts come later (SetPrompts): the one global holder exists before the application does.
    CTerrionConnection() = default;
    explicit CTerrionConnection(CUserPrompts& prompts) : m_pPrompts(&prompts) {}
    virtual ~CTerrionConnection();
    CTerrionConnection(const CTerrionConnection&) = delete;
    CTerrionConnection& operator=(const CTerrionConnection&) = delete;

    /// The window the firmware check reports to and its two messages. The
    /// wizard is kept above the owner too, as its transient window.
    void Init(wxWindow* owner, int firmwareMessage, int osMessage);
    /// What the wizard asks through (not owned); without prompts no wizard runs.
    void SetPrompts(CUserPrompts* prompts) { m_pPrompts = prompts; }
    using TStoreFactory = std::function<std::unique_ptr<Platform::CSettingsStore>()>;

    /// The firmware-upgrade tool's settings, where the wizard keeps its choices (not owned).
    void SetSettingsStore(Platform::CSettingsStore* store) { m_pStore = store; }
    /// Or a store opened for each wizard run, so the wizard never writes over
    /// what others wrote to the same settings meanwhile.
    void SetSettingsStoreFactory(TStoreFactory factory) { m_storeFactory = std::move(factory); }
    /// Makes the firmware check of a new connection; none by default.
    void SetFirmwareCheckFactory(TFirmwareCheckFactory factory)
    {
        m_firmwareCheckFactory = std::move(factory);
    }

    /// True when an instrument is held afterwards. A held one is re-identified
    /// (unless noCheck); when none is held or it stopped answering, the
    /// connection wizard runs.
    bool Connect(bool noCheck = false);
    /// Re-identifies the held instrument; one that does not answer, or whose
    /// line is gone, is dropped.
    bool IsAlive();
    /// Lets a held instrument go when its line is gone for good (an adapter
    /// pulled out): the next command opens the wizard at once, and the port
    /// is free for the adapter when it comes back. True when it went.
    bool DropIfLineLost();
    /// Releases the instrument and the firmware check.
    void Disconnect();
    /// The held instrument (owned here), or null.
    Device::CVnDevice* GetDevice() const { return m_pDevice.get(); }
    bool HasFirmwareCheck() const { return m_pFirmwareCheck != nullptr; }
    /// The firmware check of the current connection (owned here), or null.
    CConnectionFirmwareCheck* FirmwareCheck() const { return m_pFirmwareCheck.get(); }

    /// Holds an instrument without the wizard (a test's shortcut).
    void Hold(std::unique_ptr<Device::CVnDevice> device) { m_pDevice = std::move(device); }

    /// The settings group of the wizard: empty when the settings key is.
    static std::wstring WizardGroup();

private:
    void DropDevice();

    std::unique_ptr<Device::CVnDevice> m_pDevice;
    std::unique_ptr<CConnectionFirmwareCheck> m_pFirmwareCheck;
    wxWindow* m_pOwner = nullptr;
    CUserPrompts* m_pPrompts = nullptr;
    int m_nFirmwareMessage = 0;
    int m_nOsMessage = 0;
    Platform::CSettingsStore* m_pStore = nullptr;
    TStoreFactory m_storeFactory;
    TFirmwareCheckFactory m_firmwareCheckFactory;
};

extern CTerrionConnection theConnection;

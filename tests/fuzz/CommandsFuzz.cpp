// Fuzzes the instrument command layer, the firmware transfers, the file and
// login commands and the drivers of every instrument type against an
// instrument played from the input. The input is a run of steps: a byte
// chooses the operation, the next bytes its arguments, and whatever the
// operation then reads comes from the bytes after them. Waits are skipped.

#include "device/BlockDescriptor.h"
#include "device/Callback.h"
#include "device/DeviceFactoryTable.h"
#include "device/FileCommandText.h"
#include "device/FirmwareTransfer.h"
#include "device/PackageHeader.h"
#include "device/VnCommands.h"
#include "device/VnDevice.h"
#include "device/others/Brivonta2Device.h"
#include "device/others/Halvint3SeDevice.h"
#include "device/others/KindravelDevice.h"
#include "device/others/PlatformDevice.h"
#include "device/others/ProbeDataChannel.h"
#include "device/others/WexleyLabDevice.h"
#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzInstrumentStream.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace Device;
using TerrionFuzz::CFuzzInput;
using TerrionFuzz::CFuzzInstrumentStream;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

const bool g_noWaits = []
{
    CVnCommands::SetWaitFunction([](int) {});
    return true;
}();

/// Progress must stay a percentage on a known bar.
class CCheckingCallback : public CCallback
{
public:
    CCheckingCallback() { SetDetailedProgress(true); }
    void OnDeviceFound(std::unique_ptr<CVnDevice>) override {}
    void OnStatusText(const std::wstring&) override {}
    void OnFinished(const std::wstring&, int) override {}
    void OnProgress(int value, int bar, std::uint32_t) override
    {
        Check(value >= 0 && value <= 100 && (bar == 1 || bar == 2));
    }
};

/// Input reports of a probe instrument, from the input as well.
class CInputReports : public CProbeDataChannel
{
public:
    explicit CInputReports(CFuzzInput& input) : m_input(input) {}
    bool Open(const std::wstring&) override { return m_bOpen = true; }
    bool IsOpen() const override { return m_bOpen; }
    void Close() override { m_bOpen = false; }
    void PurgeInput() override {}
    bool SetTimeouts(int, int) override { return true; }
    int Read(void* buffer, int length) override
    {
        const auto piece = m_input.Take(static_cast<std::size_t>(length < 0 ? 0 : length));
        std::copy(piece.begin(), piece.end(), static_cast<std::uint8_t*>(buffer));
        m_nSequence = (m_nSequence + 1) & 7;
        return static_cast<int>(piece.size());
    }
    int GetLastSequence() const override { return m_nSequence; }

private:
    CFuzzInput& m_input;
    bool m_bOpen = false;
    int m_nSequence = 0;
};

std::wstring Name(CFuzzInput& input)
{
    const std::string text = input.Text();
    return text.empty() ? std::wstring(L"data/file.txt") : std::wstring(text.begin(), text.end());
}

/// An in-memory file holding the next counted piece of the input.
std::unique_ptr<StreamIO::CIoStream> Source(CFuzzInput& input, const wchar_t* name)
{
    auto stream = StreamIO::CreateStream(name, 0x33); // read, write, create always
    const auto piece = input.Take(input.Word() % 2048);
    if (!piece.empty())
        stream->Write(piece.data(), static_cast<int>(piece.size()));
    stream->SetPosition(0);
    return stream;
}

void CommandStep(CFuzzInput& input, CVnCommands& commands)
{
    CCheckingCallback callback;
    std::vector<std::uint8_t> buffer(300, 0);
    switch (input.Byte() % 20)
    {
    case 0:
    {
        const std::uint8_t command = input.Byte();
        const int n = input.Byte() % 48;
        const int capacity = input.Byte();
        const int result = commands.BinaryCommand(command, n, buffer.data(), capacity, 100);
        Check(result >= 0);
        break;
    }
    case 1:
    {
        const std::uint8_t command = input.Byte();
        const int n = input.Byte() % 31;
        const int expected = input.Byte() % 240;
        const int result = commands.ShortCommand(command, n, buffer.data(), expected, 100);
        // What arrived of the announced reply; a wrong count gives -1.
        Check(result >= -1 && result <= expected);
        break;
    }
    case 2:
    {
        const std::uint8_t command = input.Byte();
        const int n = input.Byte() % 48;
        const int capacity = input.Byte() + 1;
        int count = 0;
        const int result = commands.BulkCommand(command, buffer.data(), n, &count, capacity, 100,
                                                (input.Byte() & 1) ? -1 : 1000, &callback);
        Check(result == 0 || result == 1 || result == 6 || result == 12 || result == 13);
        break;
    }
    case 3:
        commands.Sync();
        break;
    case 4:
    {
        bool changed = false;
        const std::uint8_t mode = input.Byte();
        commands.ChangeMode(mode, &changed, &callback, input.Byte());
        break;
    }
    case 5:
        commands.Query(input.Text(), 100);
        break;
    case 6:
    {
        const int capacity = input.Byte();
        std::vector<char> dest(static_cast<std::size_t>(capacity) + 1, 'Z');
        const std::string text = input.Text();
        commands.TextCommand(text, dest.data(), capacity, 100);
        Check(dest[static_cast<std::size_t>(capacity)] == 'Z');
        break;
    }
    case 7:
    {
        const int capacity = input.Byte();
        std::vector<char> line(static_cast<std::size_t>(capacity) + 1, 'Z');
        const int stored = commands.ReadLine(line.data(), capacity);
        Check(stored >= 0 && stored <= capacity && line[static_cast<std::size_t>(capacity)] == 'Z');
        break;
    }
    case 8:
        commands.SetLineEnd((input.Byte() & 1) != 0, true);
        break;
    case 9:
    {
        std::wstring identity;
        commands.QueryIdentity(identity);
        SDeviceInfo info;
        commands.QueryId(info);
        break;
    }
    case 10:
    {
        int length = input.Byte();
        commands.ReadStatusBlock(buffer.data(), &length);
        Check(length >= 0 && length <= 255);
        commands.GetDeviceId();
        commands.SetConnected((input.Byte() & 1) != 0, input.Word());
        commands.SendControlD0();
        break;
    }
    case 11:
    {
        const std::string line = input.Text();
        commands.SendBootCommand(line.c_str(), static_cast<int>(line.size()),
                                 static_cast<char>(input.Byte()));
        break;
    }
    case 12:
    {
        std::wstring listing;
        commands.ListDeviceDirectory(input.Word(), listing);
        break;
    }
    case 13:
    {
        auto destination = StreamIO::CreateStream(L"RAM:FuzzLoad", 0x33);
        commands.LoadDeviceFile(destination.get(), Name(input));
        break;
    }
    case 14:
    {
        const std::wstring name = Name(input);
        auto source = Source(input, L"RAM:FuzzSave");
        commands.SaveDeviceFile(name, source.get());
        commands.CreateEmptyDeviceFile(name);
        break;
    }
    case 15:
    {
        const std::wstring from = Name(input);
        commands.MoveDeviceFile(from, Name(input));
        commands.DeleteDeviceFile(from);
        break;
    }
    case 16:
    {
        SLoginInfo login;
        login.user = Name(input);
        login.password = Name(input);
        login.key = input.Dword();
        if (commands.Login(login))
            commands.Logout();
        break;
    }
    case 17:
    {
        std::array<std::uint8_t, CFirmwareTransfer::kDescriptorSize> descriptor{};
        const auto piece = input.Take(descriptor.size());
        std::copy(piece.begin(), piece.end(), descriptor.begin());
        commands.SendDescriptor(descriptor, input.Byte() % 4);
        commands.ProgramFlash(&callback, 1 + input.Byte() % 2, (input.Byte() & 1) != 0);
        break;
    }
    case 18:
    {
        const int flags = input.Byte() % 4;
        const int chunk = input.Byte() % 64;
        auto source = Source(input, L"RAM:FuzzBlocks");
        const int length = source->GetLength();
        const int sent = commands.TransferBlocks(source.get(), length, flags, chunk, &callback);
        Check(sent == 0 || sent == length);
        source->SetPosition(0);
        const int acknowledged = commands.SendSRecords(source.get(), length, &callback);
        Check(acknowledged >= 0 && acknowledged <= length);
        break;
    }
    default:
    {
        // The parsers of the answers, on their own.
        const std::string answer = input.Text();
        std::wstring listing;
        CFileCommandText::ParseDirectory(answer, listing);
        Check(listing.size() <= answer.size());
        SLoginInfo login;
        CFileCommandText::ParseLogin(answer, login);
        const std::wstring name(answer.begin(), answer.end());
        CFileCommandText::EscapeName(name);
        CFileCommandText::EscapePassword(name);
        CFileCommandText::UserName(name);
        std::size_t records = 0;
        for (std::string_view record : CFirmwareTransfer::SplitSRecords(answer))
            records += record.size();
        Check(records <= answer.size());
        break;
    }
    }
}

void DriverOperations(CFuzzInput& input, CVnDevice& device, const CPackageHeader& package,
                      const SBlockDescriptor& block)
{
    for (int step = 0; step < 16 && !input.Empty(); ++step)
    {
        SDeviceInfo info;
        switch (input.Byte() % 10)
        {
        case 0:
            device.Identify(info);
            device.GetInfoText();
            device.GetSerialNumber();
            break;
        case 1:
        {
            device.QueryId(info);
            CContents contents;
            device.GetContents(contents);
            device.GetDeviceId();
            break;
        }
        case 2:
        {
            SLoginInfo login;
            login.user = L"user";
            if (device.RemoteLogin(login))
                device.RemoteLogout();
            device.ResetMode();
            break;
        }
        case 3:
            device.CheckDevice(package);
            device.PrepareUpgrade(package);
            break;
        case 4:
            device.BeginBlock(package, block);
            device.TransferBlock(block);
            device.ProgramBlock(block);
            device.EndBlock(package, block);
            break;
        case 5:
            device.FinishUpgrade();
            break;
        default:
            // What only some instruments do.
            if (auto* cover = dynamic_cast<CKindravelDevice*>(&device))
            {
                TKindravelObjectSet set;
                const std::uint8_t choice = input.Byte();
                if ((choice & 3) == 0)
                    cover->DownloadObjects(set, 19200, (choice & 4) != 0);
                else if ((choice & 3) == 1)
                    cover->DeleteAllObjects();
                else if ((choice & 3) == 2)
                {
                    std::array<std::uint8_t, CKindravelDevice::kSettingsBlockSize> settings{};
                    cover->ReadSettingsBlock(settings);
                }
                else
                {
                    std::wstring text;
                    cover->ReadDeviceText(text);
                    cover->QueryStatusByte();
                    cover->CheckIdle();
                    cover->StartAndWait();
                }
            }
            else if (auto* halvint = dynamic_cast<CHalvint3SeDevice*>(&device))
            {
                SProbeParameters parameters;
                if (halvint->ReadProbeParameters(parameters))
                    halvint->WriteProbeParameters(parameters);
                std::uint8_t status[64] = {};
                int length = static_cast<int>(sizeof status);
                halvint->ReadStatusBlock(status, &length);
            }
            else if (auto* platform = dynamic_cast<CPlatformDevice*>(&device))
            {
                std::uint8_t status[64] = {};
                int length = static_cast<int>(sizeof status);
                platform->ReadStatusBlock(status, &length);
            }
            else if (auto* wexley = dynamic_cast<CWexleyLabDevice*>(&device))
            {
                SWexleyStatus status;
                wexley->QueryStatus(status);
                wexley->SendStatusCommand();
            }
            else if (auto* probe = dynamic_cast<CBrivonta2Device*>(&device))
            {
                std::array<std::uint8_t, CBrivonta2Device::kReportSize> report{};
                int sequence = -1;
                if (probe->ReadInputReport(report, sequence, 100))
                    Check(sequence >= 0 && sequence <= 7);
                std::array<std::uint8_t, CBrivonta2Device::kPacketSize> packet{};
                probe->GetSerialPacket(packet);
            }
            break;
        }
    }
}

void DriverSteps(CFuzzInput& input, CVnDevice& device)
{
    CCheckingCallback callback;
    device.SetCallback(&callback);
    CPackageHeader package;
    package.m_nDeviceId = input.Dword();
    package.m_nMinHardware = input.Word();
    package.m_nMaxHardware = input.Word();
    package.m_nDeviceCheck = input.Dword();
    SBlockDescriptor block;
    const auto bytes = input.Take(SBlockDescriptor::kSize);
    std::copy(bytes.begin(), bytes.end(), block.bytes.begin());
    auto packageStream = Source(input, L"RAM:FuzzPackage");
    device.AttachPackage(packageStream.get());

    try
    {
        DriverOperations(input, device, package, block);
    }
    catch (const StreamIO::CFileException&)
    {
        // Only a closed stream throws; the drivers catch what they must.
    }
    device.DetachPackage();
    device.RemoveCallback();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static_cast<void>(g_noWaits);
    CFuzzInput input(data, size);
    const std::uint8_t mode = input.Byte();
    if (mode < 0x80)
    {
        CFuzzInstrumentStream stream(input);
        CVnCommands commands(&stream);
        commands.SetLineEnd((mode & 1) != 0, false);
        try
        {
            while (!input.Empty())
                CommandStep(input, commands);
        }
        catch (const StreamIO::CFileException&)
        {
            // Only a closed stream throws; the layer catches what it must.
        }
        return 0;
    }
    const auto factories = GetBuiltInDeviceFactories();
    std::unique_ptr<CVnDevice> device = factories[(mode - 0x80u) % factories.size()].factory();
    if (auto* probe = dynamic_cast<CBrivonta2Device*>(device.get()))
        probe->SetDataChannel(std::make_unique<CInputReports>(input));
    if (device->Attach(std::make_unique<CFuzzInstrumentStream>(input), portSerial))
        DriverSteps(input, *device);
    return 0;
}

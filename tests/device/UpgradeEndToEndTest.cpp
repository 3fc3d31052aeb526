// Firmware packages installed into the simulated instrument: the framed
// transfer road of the maker's instruments and the Terrion's bootloader road,
// from the package file to the last byte on the line.

#include "device/Contents.h"
#include "device/DeviceThread.h"
#include "device/VnDevice.h"
#include "streams/RamStream.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/device/TerrionEndToEnd.h"

#include <condition_variable>
#include <mutex>
#include <string>

namespace TerrionTest
{
namespace
{

using Device::CContents;
using Device::SContentEntry;

struct SPackageBlock
{
    std::uint8_t before = 0;
    std::uint8_t after = 0;
    std::uint8_t kind = 0; ///< high nibble of descriptor byte 12
    std::string data;
};

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> Descriptor()
{
    std::vector<std::uint8_t> descriptor(128);
    for (std::size_t i = 0; i < descriptor.size(); ++i)
        descriptor[i] = static_cast<std::uint8_t>(i * 3 + 1);
    return descriptor;
}

// A package laid out byte by byte: header, one entry per block, trailer,
// block descriptors, blocks.
std::vector<std::uint8_t> BuildPackage(std::uint32_t deviceId, const std::vector<SPackageBlock>& blocks)
{
    std::vector<std::uint8_t> out;
    Put32(out, 0x406E5640); // "@Vn@"
    Put32(out, 1);
    Put16(out, 1);
    Put16(out, 7);
    Put32(out, static_cast<std::uint32_t>(blocks.size()));
    for (std::size_t i = 0; i < blocks.size(); ++i)
    {
        out.insert(out.end(), {0x00, 0x00});
        Put16(out, 1); // firmware
        Put16(out, 2), Put16(out, 0), Put16(out, static_cast<std::uint16_t>(i));
        out.insert(out.end(), {'A', 'B', 'C', 0});
        Put16(out, static_cast<std::uint16_t>(i)); // first block
        Put16(out, 1);                             // one block each
    }
    Put32(out, static_cast<std::uint32_t>(blocks.size()));
    Put16(out, 2), Put16(out, 0), Put16(out, 1);
    out.insert(out.end(), {0, 0});
    Put32(out, deviceId);
    out.push_back(4); // CRC-32
    Put32(out, 0);
    Put32(out, 0);
    Put16(out, 0), Put16(out, 0);
    out.insert(out.end(), 4, 0);
    const std::vector<std::uint8_t> descriptor = Descriptor();
    out.insert(out.end(), descriptor.begin(), descriptor.end());
    for (const SPackageBlock& block : blocks)
    {
        std::vector<std::uint8_t> d(16, 0);
        d[4] = static_cast<std::uint8_t>(block.data.size());
        d[5] = static_cast<std::uint8_t>(block.data.size() >> 8);
        d[10] = block.before;
        d[11] = block.after;
        d[12] = static_cast<std::uint8_t>(block.kind << 4);
        out.insert(out.end(), d.begin(), d.end());
    }
    for (const SPackageBlock& block : blocks)
        out.insert(out.end(), block.data.begin(), block.data.end());
    return out;
}

// An S-record block: the 16-byte sub-header (its own length at 4, the text's at 12), then the text.
std::string SRecordBlock(const std::string& text)
{
    std::string head(16, '\0');
    head[4] = 16;
    head[12] = static_cast<char>(text.size());
    return head + text;
}

std::shared_ptr<StreamIO::CIoStream> PackageStream(const std::vector<std::uint8_t>& bytes)
{
    static int s_nCount = 0;
    auto stream = std::make_shared<StreamIO::CRamStream>(L"RAM:package" + std::to_wstring(++s_nCount),
                                                         StreamIO::ofRead | StreamIO::ofWrite |
                                                             StreamIO::ofCreateAlways);
    stream->Write(bytes.data(), static_cast<int>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

class CUpgradeRecorder : public Device::CCallback
{
public:
    void OnDeviceFound(std::unique_ptr<Device::CVnDevice>) override {}
    void OnStatusText(const std::wstring& text) override { texts.push_back(text); }
    void OnFinished(const std::wstring& text, int code) override
    {
        std::lock_guard lock(mutex);
        finishedText = text;
        finishedCode = code;
        ++finished;
        done.notify_all();
    }
    void OnProgress(int value, int bar, std::uint32_t) override { progress.emplace_back(value, bar); }

    bool WaitFinished(int ms)
    {
        std::unique_lock lock(mutex);
        return done.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished > 0; });
    }

    std::vector<std::wstring> texts;
    std::vector<std::pair<int, int>> progress;
    std::wstring finishedText;
    int finishedCode = -1;
    int finished = 0;
    std::mutex mutex;
    std::condition_variable done;
};

// A driver that keeps the framed upgrade steps of the base class, as the
// maker's other instruments do; small chunks make a block travel in pieces.
class CFramedDevice : public Device::CVnDevice
{
public:
    CFramedDevice() : CVnDevice(Device::typeHalvint3Se, L"Framed", Device::portSerial, 10) {}
    std::unique_ptr<CVnDevice> CreateInstance() const override { return std::make_unique<CFramedDevice>(); }
    bool Identify(Device::SDeviceInfo& info) override { return QueryId(info); }
    std::wstring GetInfoText() override { return {}; }
    std::wstring GetSerialNumber() const override { return {}; }
    bool GetContents(CContents&) override { return false; }
    int GetBlockSize() const override { return 64; }
};

constexpr std::uint32_t kTerrionId = 0x0A000001; // the simulator's signature
const std::string kRecord1 = "S1060000010203F3\r\n";
const std::string kRecord2 = "S1050010AABB85\r\n";
const std::string kRecord3 = "S9030000FC\r\n";

class UpgradeEndToEnd : public ::testing::Test
{
protected:
    static constexpr int kPort = 213;

    void SetUp() override { CWaitRecorder::Install(); }
    void TearDown() override
    {
        m_device.reset();
        m_sim.reset();
        CWaitRecorder::Uninstall();
    }

    template <typename TDevice> void Start(const CTerrionScenario& scenario)
    {
        m_sim = std::make_unique<CTerrionSimulator>(scenario);
        m_sim->Map(kPort);
        m_device = std::make_unique<TDevice>();
        auto stream = std::make_unique<StreamIO::CRs232Stream>(kPort, StreamIO::ofRead | StreamIO::ofWrite,
                                                               &m_device->GetSerialSettings());
        ASSERT_TRUE(m_device->Attach(stream.get(), Device::portSerial));
        stream.release();
    }

    void Run(const std::vector<std::uint8_t>& package, std::shared_ptr<const CContents> selection = nullptr)
    {
        Device::SJobEntry job;
        job.nJobType = Device::jobUpgrade;
        job.pCallback = m_callback;
        job.pDevice = m_device.get();
        job.pPackage = PackageStream(package);
        job.pSelection = std::move(selection);
        Device::RunUpgradeJob(job);
        EXPECT_EQ(m_callback->finished, 1);
    }

    std::string Sent() const
    {
        const std::vector<std::uint8_t> bytes = m_sim->Received();
        return std::string(bytes.begin(), bytes.end());
    }

    std::vector<SPackageBlock> FramedBlocks() const
    {
        return {{0x03, 0x43, 0, std::string(150, 'a') + std::string(50, 'b')},
                {0x03, 0x43, 0, std::string(64, 'c')},
                {0x03, 0x0C, 0, "123456789"}};
    }

    std::unique_ptr<CTerrionSimulator> m_sim;
    std::unique_ptr<Device::CVnDevice> m_device;
    std::shared_ptr<CUpgradeRecorder> m_callback = std::make_shared<CUpgradeRecorder>();
};

std::vector<std::uint8_t> AsBytes(const std::string& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST_F(UpgradeEndToEnd, ThreeBlocksInstallTheFramedWay)
{
    Start<CFramedDevice>(CTerrionScenario().SetFramedUpgrade(true));
    const std::vector<SPackageBlock> blocks = FramedBlocks();
    Run(BuildPackage(kTerrionId, blocks));

    EXPECT_EQ(m_callback->finishedCode, 0);
    EXPECT_EQ(m_callback->finishedText, L"");
    ASSERT_EQ(m_sim->Blocks().size(), 3u);
    for (std::size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(m_sim->Blocks()[i], AsBytes(blocks[i].data)) << i;
    const std::vector<std::vector<std::uint8_t>> descriptors = m_sim->Descriptors();
    ASSERT_FALSE(descriptors.empty());
    for (const std::vector<std::uint8_t>& descriptor : descriptors)
        EXPECT_EQ(descriptor, Descriptor());
    EXPECT_EQ(m_sim->ProgramCount(), 2); // the third block does not ask for it
    EXPECT_EQ(m_sim->Mode(), 12);        // back in normal operation

    // The last block, nine bytes in one chunk of 64, with its CRC-32 (CBF43926).
    const std::string lastBlock = std::string("\xC9\xF8\x01\x01\x09\x00\x00\x00\x40\x00\x00", 11) +
                                  "123456789" + std::string("\x26\x39\xF4\xCB", 4);
    EXPECT_NE(Sent().find(lastBlock), std::string::npos);
    // Programming: the usual time asked (F8 {04}), then C1 F8 02.
    EXPECT_NE(Sent().find(std::string("\xC1\xF8\x04\xC1\xF8\x02", 6)), std::string::npos);

    const std::wstring mode = L"Set the device into the appropriate operation mode.";
    const std::wstring transfer = L"Transfer datablock to the device.";
    const std::wstring write = L"Write datablock.";
    EXPECT_EQ(m_callback->texts,
              (std::vector<std::wstring>{
                  L"Perform some device checks.", L"Do device specific initializations.", mode + L" [1/3]",
                  transfer + L" [1/3]", write + L" [1/3]", mode + L" [1/3]", mode + L" [2/3]",
                  transfer + L" [2/3]", write + L" [2/3]", mode + L" [2/3]", mode + L" [3/3]",
                  transfer + L" [3/3]", mode + L" [3/3]", L"Finished the device upgrade successfully."}));
    // Fewer than four blocks: the transfers report their own progress.
    EXPECT_NE(std::find(m_callback->progress.begin(), m_callback->progress.end(), std::make_pair(32, 1)),
              m_callback->progress.end()); // 64 of 200 bytes of the first block
}

TEST_F(UpgradeEndToEnd, ARejectedChunkSendsItsOwnBlockAgain)
{
    Start<CFramedDevice>(CTerrionScenario().SetFramedUpgrade(true));
    m_sim->RejectChunks(1);
    std::vector<SPackageBlock> blocks = FramedBlocks();
    Run(BuildPackage(kTerrionId, blocks));
    EXPECT_EQ(m_callback->finishedCode, 0);
    ASSERT_EQ(m_sim->Blocks().size(), 3u);
    for (std::size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(m_sim->Blocks()[i], AsBytes(blocks[i].data)) << i;
    // A resynchronisation came between the attempts.
    EXPECT_NE(Sent().find(std::string("\xC8\xF7\x00\x05\x55\x5A\xAA\xAF\xFF\xF0", 10)), std::string::npos);
}

TEST_F(UpgradeEndToEnd, SelectionLeavesOutAComponentAndRefusesBlocksThePackageLacks)
{
    Start<CFramedDevice>(CTerrionScenario().SetFramedUpgrade(true));
    const std::vector<SPackageBlock> blocks = FramedBlocks();
    auto selection = std::make_shared<CContents>();
    for (std::uint16_t i = 0; i < 3; ++i)
    {
        SContentEntry entry;
        entry.firstBlock = i;
        entry.blockCount = 1;
        entry.flags = i == 1 ? 0x80 : 0x00;
        selection->m_entries.push_back(entry);
    }
    Run(BuildPackage(kTerrionId, blocks), selection);
    EXPECT_EQ(m_callback->finishedCode, 0);
    ASSERT_EQ(m_sim->Blocks().size(), 2u);
    EXPECT_EQ(m_sim->Blocks()[0], AsBytes(blocks[0].data));
    EXPECT_EQ(m_sim->Blocks()[1], AsBytes(blocks[2].data)); // skipped past the second

    // A component that claims blocks 2 to 6 of a three-block package.
    auto crafted = std::make_shared<CContents>();
    SContentEntry entry;
    entry.firstBlock = 2;
    entry.blockCount = 5;
    crafted->m_entries.push_back(entry);
    m_callback = std::make_shared<CUpgradeRecorder>();
    m_sim->ClearReceived();
    Run(BuildPackage(kTerrionId, blocks), crafted);
    EXPECT_EQ(m_callback->finishedCode, Device::ecFileRead);
    EXPECT_EQ(m_callback->finishedText, L"An error occurred during file read.");
    EXPECT_EQ(m_sim->Blocks().size(), 2u); // nothing more was sent
}

TEST_F(UpgradeEndToEnd, ThreeBlocksInstallThroughTheTerrionBootloader)
{
    Start<Device::CTerrionDevice>(CTerrionScenario());
    // The middle block carries no S-records: it is passed over, and the third still arrives whole.
    Run(BuildPackage(kTerrionId, {{0, 0, 4, SRecordBlock(kRecord1 + kRecord2)},
                                  {0, 0, 0, "not for the bootloader"},
                                  {0, 0, 4, SRecordBlock(kRecord3)}}));

    EXPECT_EQ(m_callback->finishedCode, 0);
    EXPECT_EQ(m_sim->SRecords(),
              (std::vector<std::string>{"S1060000010203F3", "S1050010AABB85", "S9030000FC"}));
    EXPECT_EQ(m_sim->State(), tsApplication);
    const std::string sent = Sent();
    const std::size_t enter = sent.find("\xC1\xD2\x01");
    ASSERT_NE(enter, std::string::npos);
    std::string wake;
    for (int i = 0; i < 5; ++i)
        wake += "SC030000FC\r\n";
    EXPECT_EQ(sent.substr(enter + 3), wake + "SC030102F9\r\nSE030000FC\r\n" + kRecord1 + kRecord2 + kRecord3 +
                                          "SC030102F9\r\nSX030000FC\r\n");
    EXPECT_EQ(m_callback->texts.back(), L"Finished the device upgrade successfully.");
    EXPECT_NE(std::find(m_callback->texts.begin(), m_callback->texts.end(), L"Erase Memory"),
              m_callback->texts.end());
}

TEST_F(UpgradeEndToEnd, APackageForAnotherInstrumentEndsWithItsCode)
{
    Start<Device::CTerrionDevice>(CTerrionScenario());
    Run(BuildPackage(0x0B000002, {{0, 0, 4, SRecordBlock(kRecord3)}}));
    EXPECT_EQ(m_callback->finishedCode, Device::ecWrongDevice);
    EXPECT_EQ(m_callback->finishedText, L"The upgrade packet does not match the devicetype.");
    const std::string sent = Sent();
    EXPECT_EQ(sent.find("\xC1\xD2\x01"), std::string::npos); // the bootloader was never entered
    // The instrument is put back into normal operation: sync, then mode 12.
    EXPECT_NE(sent.find(std::string("\xC8\xF7\x00\x05\x55\x5A\xAA\xAF\xFF\xF0", 10)), std::string::npos);
    EXPECT_TRUE(m_sim->SRecords().empty());
}

TEST_F(UpgradeEndToEnd, PostedUpgradeRunsOnTheWorkerThread)
{
    Start<CFramedDevice>(CTerrionScenario().SetFramedUpgrade(true));
    ASSERT_TRUE(Device::StartDeviceThread());
    const std::vector<std::uint8_t> bytes = BuildPackage(kTerrionId, FramedBlocks());
    auto package = std::make_unique<StreamIO::CRamStream>(
        L"RAM:posted", StreamIO::ofRead | StreamIO::ofWrite | StreamIO::ofCreateAlways);
    package->Write(bytes.data(), static_cast<int>(bytes.size()));
    package->SetPosition(0);
    EXPECT_FALSE(Device::PostUpgradeJob(m_callback, nullptr, nullptr, nullptr, false));
    ASSERT_TRUE(Device::PostUpgradeJob(m_callback, m_device.get(), std::move(package), nullptr, true));
    ASSERT_TRUE(m_callback->WaitFinished(20'000));
    EXPECT_TRUE(Device::StopDeviceThread());
    EXPECT_EQ(m_callback->finishedCode, 0);
    EXPECT_TRUE(m_device->IsExpressUpgrade());
    EXPECT_EQ(m_sim->Blocks().size(), 3u);
    EXPECT_EQ(m_device->GetPackage(), nullptr);
    EXPECT_EQ(m_device->GetCallback(), nullptr);
}

} // namespace
} // namespace TerrionTest

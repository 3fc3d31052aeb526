// The Terrion driver over a scripted line: identification, the memory-access
// protocol, settings and the download, byte for byte.

#include "device/TerrionDevice.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace TerrionTest
{
namespace
{

using Device::CTerrionDevice;
using TMeasSettings = CTerrionDevice::TMeasSettings;

std::string HexOf(const TBytes& bytes)
{
    std::string text;
    char part[3];
    for (std::uint8_t b : bytes)
    {
        std::snprintf(part, sizeof part, "%02X", b);
        text += part;
    }
    return text;
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

using TSteps = std::vector<SScriptStep>;

TSteps operator+(TSteps a, const TSteps& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const TSteps kEnter = {{{0xC1, 0xD2, 0x04}, {0x00}}};

/// A dump of bytes at address: set address, count, the hex characters, end.
TSteps Dump(unsigned address, const TBytes& bytes)
{
    return {{Ascii(Hex4(address) + "s"), {}},
            {Ascii(Hex4(static_cast<unsigned>(bytes.size())) + "n"), Ascii(HexOf(bytes))},
            {Ascii("0000n"), {}}};
}

/// Erasing at 0x1000: the address, then the address negated in 32 bits.
TSteps Erase(char reply)
{
    return {{Ascii("1000s"), {}}, {Ascii("FFFFF000e"), {static_cast<std::uint8_t>(reply)}}};
}

/// Writing bytes from address, each acknowledged with 'o' up to failAt.
TSteps Write(unsigned address, const TBytes& bytes, std::size_t failAt = SIZE_MAX)
{
    TSteps steps = {{Ascii(Hex4(address) + "s"), {}}};
    for (std::size_t i = 0; i < bytes.size() && i <= failAt; ++i)
    {
        const unsigned at = address + static_cast<unsigned>(i);
        const unsigned check = ((at >> 8) + (at & 0xFF) + bytes[i]) & 0xFF;
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02Xw", bytes[i], check);
        steps.push_back({Ascii(text), {static_cast<std::uint8_t>(i == failAt ? 'f' : 'o')}});
    }
    return steps;
}

TSteps Identity(const std::string& answer)
{
    return {{{0x10}, {0x06}}, {Ascii("@ID@\r"), Ascii(answer + "\r")}};
}

// A current-format block with the spacing word set to 0x0190 and spacing 38.0 mm.
const TBytes kCustomBlock = {0x90, 0x01, 0x01, 0x7C, 0x01, 0x00, 0x00, 0xA0, 0x3F,
                             0x02, 0x03, 0x02, 0xE8, 0x03, 0xF4, 0x01, 0xFA, 0x00};
// The same block with the spacing word cleared, as written to uncover the default.
const TBytes kClearedBlock = {0xFF, 0xFF, 0x01, 0x7C, 0x01, 0x00, 0x00, 0xA0, 0x3F,
                              0x02, 0x03, 0x02, 0xE8, 0x03, 0xF4, 0x01, 0xFA, 0x00};
// A block on default spacing: the default can be read at once.
const TBytes kDefaultBlock = {0xFF, 0xFF, 0x01, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F,
                              0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
const TBytes kDefaultSpacing = {0xC8, 0x00}; // 20.0 mm

class TerrionDeviceTest : public CLineFixture
{
protected:
    void SetUp() override
    {
        CLineFixture::SetUp();
        m_device = std::make_unique<CTerrionDevice>();
        ASSERT_TRUE(m_device->Attach(OpenPort(), Device::portSerial));
        Release().release();
    }
    void TearDown() override
    {
        m_line->Finish(0);
        m_device.reset();
        CLineFixture::TearDown();
    }

    std::unique_ptr<CTerrionDevice> m_device;
};

TEST_F(TerrionDeviceTest, IdentifyAnswers)
{
    struct SCase
    {
        std::string answer;
        bool ok;
        std::wstring hardware;
        std::wstring serial;
    };
    const SCase cases[] = {
        {"Terrion;;TN01-234-5678;0A000001;1.02", true, L"-", L"TN01-234-5678"},
        {"Terrion;B;-;0A000001;1.02", true, L"B", L"TN00-000-0000"},
        {"Terrion;B;TN01-234-5678;0B000001;1.02", false, L"B", L"TN01-234-5678"},
        {"Terrion;B;TN01-234-5678;0A000001", false, L"B", L"TN01-234-5678"},
        {"Terrion;B;TN01-234-5678;nothex;1.02", false, L"B", L"TN01-234-5678"},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.answer);
        m_line->Play(Identity(c.answer));
        Device::SDeviceInfo info;
        EXPECT_EQ(c.ok, m_device->Identify(info));
        EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
        Device::SDeviceIdent ident;
        m_device->GetObjectInfo(ident);
        EXPECT_EQ(c.hardware, ident.hardwareRevision);
        EXPECT_EQ(c.serial, ident.serialNumber);
        EXPECT_EQ(L"Terrion", ident.typeName);
        EXPECT_EQ(CTerrionDevice::kStateApplication, m_device->GetProtocolState());
        m_device.reset();
        m_line.reset(); // unmaps the port before the next line maps it
        m_device = std::make_unique<CTerrionDevice>();
        m_line = std::make_unique<CScriptedLine>(kPort);
        ASSERT_TRUE(m_device->Attach(OpenPort(), Device::portSerial));
        Release().release();
    }
}

TEST_F(TerrionDeviceTest, InfoTextContentsAndDeviceId)
{
    m_line->Play(Identity("Terrion;B;TN01-234-5678;0A000001;1.2.3") +
                 Identity("Terrion;B;TN01-234-5678;0A000001;1.2.3"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(L"Device type:\tTerrion\r\nSerial number:\tTN01-234-5678\r\nFirmware Version:\t1.2.3\r\n"
              L"Hardware revision:\tB\r\nSignature:\t0A000001",
              m_device->GetInfoText());
    Device::CContents contents;
    ASSERT_TRUE(m_device->GetContents(contents));
    ASSERT_EQ(1u, contents.m_entries.size());
    EXPECT_EQ(CVersion(1, 2, 3, 0), contents.m_entries[0].version);
    EXPECT_EQ(1, contents.m_entries[0].type);
    EXPECT_EQ(1, contents.m_entries[0].flags);
    EXPECT_EQ(0x0A000001, m_device->GetDeviceId());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();

    // Fields as long as a reply line allows make a text longer than 1 KB, whole.
    const std::string type(700, 'T');
    const std::string hardware(250, 'H');
    m_line->Play(Identity(type + ";" + hardware + ";TN01-234-5678;0A000001;1.2.3"));
    ASSERT_TRUE(m_device->Identify(info));
    const std::wstring text = m_device->GetInfoText();
    EXPECT_GT(text.size(), 1024u);
    EXPECT_EQ(L"Device type:\t" + std::wstring(700, L'T') +
                  L"\r\nSerial number:\tTN01-234-5678\r\nFirmware Version:\t1.2.3\r\nHardware revision:\t" +
                  std::wstring(250, L'H') + L"\r\nSignature:\t0A000001",
              text);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, IdentifyFromTheBootloader)
{
    // The application refuses "@ID@"; the bootloader answers its lines with 66 bytes.
    std::string answer = "Terrion;B;TN01-234-5678;0A000001;BL1.0";
    answer.resize(66, ' ');
    m_line->Play({{{0x10}, {0x06}},
                  {Ascii("@ID@\r"), Ascii("?\r")},
                  {Ascii("SC030102F9\r\n"), Ascii("G")},
                  {Ascii("SI030000FC\r\n"), Ascii(answer)}});
    Device::SDeviceInfo info;
    EXPECT_TRUE(m_device->Identify(info));
    EXPECT_EQ(CTerrionDevice::kStateBootloader, m_device->GetProtocolState());
    EXPECT_EQ(L"TN01-234-5678", info.serialNumber);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, BootloaderAnswerOfThreeBytesFails)
{
    m_device->GetStream()->SetTimeouts(50, 50);
    std::string out;
    m_line->Play({{Ascii("SC030102F9\r\n"), Ascii("G")}, {Ascii("SI030000FC\r\n"), Ascii("abc")}});
    EXPECT_FALSE(m_device->IdentifyBootloader(out));
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, ReadMemorySkipsFillerLettersAndIdentifyLeavesTheMode)
{
    m_line->Play(kEnter +
                 TSteps{{Ascii("1000s"), {}}, {Ascii("0002n"), Ascii("1a2b3c4")}, {Ascii("0000n"), {}}} +
                 TSteps{{Ascii("C0C0i"), {}}} + Identity("Terrion;B;TN01-234-5678;0A000001;1.02"));
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(2, m_device->ReadMemory(bytes, 0x1000, 2));
    EXPECT_EQ((TBytes{0x12, 0x34}), bytes);
    EXPECT_TRUE(m_device->IsInMemoryMode());
    CWaitRecorder::Reset();
    Device::SDeviceInfo info;
    EXPECT_TRUE(m_device->Identify(info));
    EXPECT_FALSE(m_device->IsInMemoryMode());
    EXPECT_EQ(std::vector<int>{2000}, CWaitRecorder::Waits());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, NonHexCharacterFailsTheRead)
{
    m_line->Play(kEnter +
                 TSteps{{Ascii("1000s"), {}}, {Ascii("0002n"), Ascii("1G34")}, {Ascii("0000n"), {}}});
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(-1, m_device->ReadMemory(bytes, 0x1000, 2));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, RefusedMemoryModeFailsAndIsTriedAgain)
{
    m_line->Play({{{0xC1, 0xD2, 0x04}, {0xF2}}, {{0xC1, 0xD2, 0x04}, {0xF2}}});
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(-1, m_device->ReadMemory(bytes, 0x1000, 2));
    EXPECT_FALSE(m_device->IsInMemoryMode());
    EXPECT_FALSE(m_device->DeleteAllSeries());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, WriteByteEraseAndDeleteAll)
{
    m_line->Play(TSteps{{Ascii("0113w"), {'o'}}, {Ascii("0113w"), {'f'}}} + Erase('o') + kEnter +
                 TSteps{{Ascii("A5A5t"), {}}});
    EXPECT_TRUE(m_device->WriteMemoryByte(0x1002, 0x01));
    EXPECT_FALSE(m_device->WriteMemoryByte(0x1002, 0x01));
    EXPECT_TRUE(m_device->EraseMemory(0x1000));
    EXPECT_TRUE(m_device->DeleteAllSeries());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, WriteSettingsByTheEraseAnswer)
{
    // Only an explicit refusal of the erase stops the write; whether the
    // instrument answers an erase at all is not known.
    struct SCase
    {
        const char* name;
        TSteps erase;
        bool written;
    };
    const TSteps silentErase = {{Ascii("1000s"), {}}, {Ascii("FFFFF000e"), {}}};
    const SCase cases[] = {
        {"accepted", Erase('o'), true},
        {"silent", silentErase, true},
        {"refused", Erase('f'), false},
    };
    TMeasSettings settings{};
    settings.SetFromBlock(std::span<const std::uint8_t, 18>(kCustomBlock.data(), 18));
    TSteps enter = kEnter; // the instrument stays in memory access after the first case
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::size_t before = m_line->Received().size();
        m_line->Play(enter + c.erase + (c.written ? Write(0x1000, kCustomBlock) : TSteps{}));
        EXPECT_EQ(c.written, m_device->WriteSettings(settings));
        EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
        if (!c.written)
        {
            // Nothing was written over the block that did not erase.
            const TBytes expected = Cat(Ascii("1000s"), Ascii("FFFFF000e"));
            EXPECT_EQ(expected, TBytes(m_line->Received().begin() + static_cast<std::ptrdiff_t>(before),
                                       m_line->Received().end()));
        }
        enter.clear();
    }
}

TEST_F(TerrionDeviceTest, ReadSettingsUncoversTheDefaultAndRestoresTheWord)
{
    m_line->Play(kEnter + Dump(0x1000, kCustomBlock) + Erase('o') + Write(0x1000, kClearedBlock) +
                 Dump(0x021A, kDefaultSpacing) + Erase('o') + Write(0x1000, kCustomBlock));
    TMeasSettings settings{};
    EXPECT_TRUE(m_device->ReadSettings(settings));
    EXPECT_EQ(200, settings.defaultSpacing);
    EXPECT_EQ(0x0190, settings.spacingWord);
    EXPECT_EQ(380, settings.contactSpacing);
    EXPECT_TRUE(settings.customSpacing);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, FailedStepStillRestoresTheUsersSpacingWord)
{
    // Clearing the word fails halfway; the word is written back anyway. The
    // first restore is refused; the retry leaves memory access, waits as
    // after any leave, enters it afresh and succeeds. The call still fails.
    m_line->Play(kEnter + Dump(0x1000, kCustomBlock) + Erase('o') + Write(0x1000, kClearedBlock, 3) +
                 Erase('f') + TSteps{{Ascii("C0C0i"), {}}} + kEnter + Erase('o') +
                 Write(0x1000, kCustomBlock));
    TMeasSettings settings{};
    CWaitRecorder::Reset();
    EXPECT_FALSE(m_device->ReadSettings(settings));
    EXPECT_EQ(0x0190, settings.spacingWord);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
    const std::vector<int> waits = CWaitRecorder::Waits();
    EXPECT_NE(std::find(waits.begin(), waits.end(), 2000), waits.end());
}

TEST_F(TerrionDeviceTest, DownloadDecodesTheRecordArea)
{
    TBytes area = {0x03, 0x00, 0x00, 0x00, 0x00, 0x10, 0x32, 0x20, 0x00, 0x10, 0x32, 0x28,
                   0x07, 0x00, 0x00, 0x00, 0x00, 0x11, 0x32, 0xE0, 0x00, 0xFF, 0x00, 0x00};
    area.resize(2048, 0xFF);
    m_line->Play(kEnter + Dump(0x1000, kDefaultBlock) + Dump(0x021A, kDefaultSpacing) + Dump(0xF000, area));
    std::vector<CTerrionDevice::TTerrionObject> objects(3);
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    ASSERT_EQ(2u, objects.size());
    EXPECT_EQ(3, objects[0].objectNumber);
    ASSERT_EQ(2u, objects[0].readings.size());
    EXPECT_DOUBLE_EQ(50.0, objects[0].readings[0].value);
    EXPECT_EQ(10, objects[0].readings[0].current);
    EXPECT_DOUBLE_EQ(5.0, objects[0].readings[1].value);
    EXPECT_EQ(7, objects[1].objectNumber);
    ASSERT_EQ(1u, objects[1].readings.size());
    EXPECT_EQ(0, objects[1].readings[0].current);
    EXPECT_EQ(0x11, objects[1].readings[0].recordByte);
    EXPECT_EQ(200, objects[1].settings.defaultSpacing);
    EXPECT_FALSE(objects[1].settings.customSpacing);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(TerrionDeviceTest, DownloadWithUnreadableSettingsLeavesTheArrayUntouched)
{
    m_line->Play(kEnter + TSteps{{Ascii("1000s"), {}}, {Ascii("0012n"), Ascii("zz")}, {Ascii("0000n"), {}}});
    std::vector<CTerrionDevice::TTerrionObject> objects(3);
    EXPECT_FALSE(m_device->ReadAllObjects(objects));
    EXPECT_EQ(3u, objects.size());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

} // namespace
} // namespace TerrionTest

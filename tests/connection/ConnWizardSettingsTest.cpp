// The wizard's stored choices: what is accepted on reading, what is written.

#include "app/connection/ConnWizardSettings.h"
#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace
{

const std::wstring kGroup = CConnWizardSettings::kGroup;

TEST(ConnWizardSettings, AFirstRunKeepsTheDefaults)
{
    Platform::CMemorySettingsStore store;
    CConnWizardSettings settings;
    EXPECT_TRUE(settings.Load(&store, kGroup));
    EXPECT_EQ(settings.express, 1);
    EXPECT_EQ(settings.deviceType, 0);
    EXPECT_EQ(settings.comPort, 1);
    EXPECT_EQ(settings.commPort, 0);
    EXPECT_EQ(settings.scan, 1);
    EXPECT_EQ(settings.stopScan, 1);
    EXPECT_TRUE(settings.ipAddress.empty());
    EXPECT_FALSE(settings.Load(&store, L""));
    EXPECT_FALSE(settings.Load(nullptr, kGroup));
}

TEST(ConnWizardSettings, ValuesOutOfRangeOrOfTheWrongKindGiveDefaults)
{
    struct SCase
    {
        const wchar_t* name;
        std::uint32_t stored;
        int CConnWizardSettings::*member;
        int expected;
    };
    const SCase cases[] = {
        {L"ComPort", 0, &CConnWizardSettings::comPort, 1},
        {L"ComPort", 10000, &CConnWizardSettings::comPort, 1},
        {L"ComPort", 9999, &CConnWizardSettings::comPort, 9999},
        {L"DeviceType", 12, &CConnWizardSettings::deviceType, 0},
        {L"DeviceType", 7, &CConnWizardSettings::deviceType, 7},
        {L"CommPort", 9999, &CConnWizardSettings::commPort, 0},
        {L"CommPort", 1, &CConnWizardSettings::commPort, 1},
        {L"Scan", 0, &CConnWizardSettings::scan, 0},
        {L"Scan", 2, &CConnWizardSettings::scan, 1},
        {L"Stop Scan", 0, &CConnWizardSettings::stopScan, 0},
        {L"Express", 0, &CConnWizardSettings::express, 0},
    };
    for (const auto& c : cases)
    {
        Platform::CMemorySettingsStore store;
        store.WriteNumber(kGroup, c.name, c.stored);
        CConnWizardSettings settings;
        settings.Load(&store, kGroup);
        EXPECT_EQ(settings.*c.member, c.expected)
            << std::string(c.name, c.name + wcslen(c.name)) << " " << c.stored;
    }

    Platform::CMemorySettingsStore store;
    store.WriteString(kGroup, L"ComPort", L"5");
    store.WriteString(kGroup, L"IP Address", std::wstring(260, L'1'));
    CConnWizardSettings settings;
    settings.Load(&store, kGroup);
    EXPECT_EQ(settings.comPort, 1);
    EXPECT_TRUE(settings.ipAddress.empty());
}

TEST(ConnWizardSettings, SaveWritesEveryValueAndReadsBack)
{
    Platform::CMemorySettingsStore store;
    CConnWizardSettings settings;
    settings.express = 0;
    settings.deviceType = 7;
    settings.comPort = 0; // out of range: written as 1
    settings.commPort = 1;
    settings.scan = 0;
    settings.stopScan = 0;
    settings.ipAddress = L"10.0.0.2";
    ASSERT_TRUE(settings.Save(&store, kGroup));
    std::uint32_t value = 99;
    ASSERT_TRUE(store.ReadNumber(kGroup, L"ComPort", value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(store.ReadNumber(kGroup, L"Express", value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(store.ReadNumber(kGroup, L"DeviceType", value));
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(store.FlushCount(), 1);

    CConnWizardSettings back;
    back.Load(&store, kGroup);
    EXPECT_EQ(back.express, 0);
    EXPECT_EQ(back.deviceType, 7);
    EXPECT_EQ(back.commPort, 1);
    EXPECT_EQ(back.scan, 0);
    EXPECT_EQ(back.stopScan, 0);
    EXPECT_EQ(back.ipAddress, L"10.0.0.2");
}

/// A store that refuses every write after the first few.
class CRefusingStore : public Platform::CMemorySettingsStore
{
public:
    explicit CRefusingStore(int accepted) : m_accepted(accepted) {}
    bool WriteNumber(const std::wstring& group, const std::wstring& name, std::uint32_t value) override
    {
        if (m_accepted-- <= 0)
            return false;
        return CMemorySettingsStore::WriteNumber(group, name, value);
    }

private:
    int m_accepted;
};

TEST(ConnWizardSettings, SaveStopsAtTheFirstRefusedWrite)
{
    CRefusingStore store(2);
    CConnWizardSettings settings;
    EXPECT_FALSE(settings.Save(&store, kGroup));
    EXPECT_TRUE(store.Contains(kGroup, L"DeviceType"));
    EXPECT_FALSE(store.Contains(kGroup, L"ComPort"));
    EXPECT_FALSE(store.Contains(kGroup, L"IP Address"));
}

} // namespace

// Fuzzes the settings values the program reads back: the input is a run of
// stored values (the firmware check's failure counters, the program's
// settings, the connection wizard's choices, each possibly of the wrong
// kind) and of text patterns. Every reader must bring its values into their
// ranges, and counting on from them must stay in range; the date and time
// display patterns chosen by "DTFormat" and the patterns as a language
// library could give them are filled in with values from the input.

#include "app/connection/ConnWizardSettings.h"
#include "app/connection/TextPattern.h"
#include "app/shell/ProgramSettings.h"
#include "platform/DatePicture.h"
#include "platform/MemorySettingsStore.h"
#include "resources/TextFormat.h"
#include "streams/TextCodec.h"
#include "tests/fuzz/FuzzInput.h"
#include "update/AutoFwUpdate.h"
#include "update/TextFormat.h"
#include "views/DateTimeFormat.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace
{

using TerrionFuzz::CFuzzInput;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct SValue
{
    const wchar_t* group;
    const wchar_t* name;
    bool number;
};

const SValue kValues[] = {
    {L"Settings", Update::CAutoFwUpdate::kFailCount, false},
    {L"Settings", Update::CAutoFwUpdate::kFailCountMax, false},
    {L"Settings", CProgramSettings::kLanguageFile, false},
    {L"Settings", CProgramSettings::kDataFolder, false},
    {L"Settings", CProgramSettings::kGridCheck, true},
    {L"Settings", CProgramSettings::kDtFormat, true},
    {L"Settings", CProgramSettings::kPfad, false},
    {CConnWizardSettings::kGroup, L"Express", true},
    {CConnWizardSettings::kGroup, L"DeviceType", true},
    {CConnWizardSettings::kGroup, L"ComPort", true},
    {CConnWizardSettings::kGroup, L"CommPort", true},
    {CConnWizardSettings::kGroup, L"Scan", true},
    {CConnWizardSettings::kGroup, L"Stop Scan", true},
    {CConnWizardSettings::kGroup, L"IP Address", false},
};
constexpr std::size_t kValueCount = std::size(kValues);

void CheckCounters(const std::shared_ptr<Platform::CMemorySettingsStore>& store)
{
    Update::CAutoFwUpdate check(nullptr, store, L"Settings");
    check.LoadFailCounters();
    int count = check.FailCount();
    int max = check.FailCountMax();
    Check(count >= 0 && count <= Update::CAutoFwUpdate::kMaxStoredCounter);
    Check(max >= 0 && max <= Update::CAutoFwUpdate::kMaxStoredCounter);
    // Failures one after the other, as the checks of many connections count them.
    for (int i = 0; i < 3; ++i)
    {
        const bool remind = Update::CAutoFwUpdate::CountFailure(count, max);
        Check(count >= 0 && max >= 0 && (!remind || count == 0));
    }
}

void CheckWizard(const Platform::CMemorySettingsStore& store)
{
    CConnWizardSettings wizard;
    Check(wizard.Load(&store, CConnWizardSettings::kGroup));
    Check(wizard.express == 0 || wizard.express == 1);
    Check(wizard.deviceType >= 0 && wizard.deviceType <= 11);
    Check(wizard.comPort >= 1 && wizard.comPort <= 9999);
    Check(wizard.commPort >= 0 && wizard.commPort <= 9998);
    Check(wizard.ipAddress.size() <= CConnWizardSettings::kMaxIpAddressLength);
}

void CheckPatterns(std::uint32_t dtFormat, const std::vector<std::wstring>& patterns, std::int64_t seconds)
{
    std::tm time{};
    if (!CDateTimeFormat::ToLocalTime(seconds, &time))
        Check(CDateTimeFormat::ToLocalTime(0, &time));
    unsigned dateId = 0;
    unsigned timeId = 0;
    const std::wstring date = CDateTimeFormat::GetDateFormatString(dtFormat, &dateId);
    const std::wstring clock = CDateTimeFormat::GetTimeFormatString(dtFormat, &timeId);
    Check(dateId >= 1802 && dateId <= 1805 && timeId >= 1806 && timeId <= 1809);
    CDateTimeFormat::Format(date, time);
    CDateTimeFormat::Format(clock, time);

    const std::wstring text = L"abc";
    for (const std::wstring& pattern : patterns)
    {
        CDatePicture::Format(pattern, time);
        CTextPattern::Format(pattern,
                             {text, static_cast<double>(seconds) / 7.0, static_cast<long long>(seconds)});
        CTextPattern::Format(pattern, {});
        Resources::CTextFormat::Substitute(pattern, {text, std::to_wstring(seconds)});
        Update::CTextFormat::Format(pattern, {text});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const auto high = static_cast<std::int32_t>(input.Dword());
    const std::int64_t seconds = static_cast<std::int64_t>(high) * 256 + input.Byte();
    auto store = std::make_shared<Platform::CMemorySettingsStore>();
    std::vector<std::wstring> patterns;
    while (!input.Empty() && patterns.size() < 8)
    {
        const std::uint8_t kind = input.Byte();
        const SValue& value = kValues[(kind & 0x7F) % kValueCount];
        // The high bit stores the value as the other kind, as a hand-edited store could.
        const bool number = value.number != ((kind & 0x80) != 0);
        if ((kind & 0x7F) >= kValueCount)
            patterns.push_back(StreamIO::CTextCodec::FromUtf8(input.Text()));
        else if (number)
            store->WriteNumber(value.group, value.name, input.Dword());
        else
            store->WriteString(value.group, value.name, StreamIO::CTextCodec::FromUtf8(input.Text()));
    }

    CheckCounters(store);
    CheckWizard(*store);
    int reports = 0;
    CProgramSettings program(*store, L"/opt/terrion/TerrionLink", [&](unsigned) { ++reports; });
    program.Read();
    // A stored text that is too long counts as missing and gets its default.
    Check(program.LanguageFile().size() <= CProgramSettings::kMaxText);
    Check(program.DataFolder().size() <= CProgramSettings::kMaxText);
    Check(program.Pfad().size() <= CProgramSettings::kMaxText);
    CheckPatterns(program.DtFormat(), patterns, seconds);
    return 0;
}

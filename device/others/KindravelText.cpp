#include "device/others/KindravelText.h"

#include "device/TextReply.h"

#include <array>
#include <charconv>
#include <ctime>
#include <cwctype>

namespace Device
{
namespace
{

constexpr std::array<std::uint8_t, 61> kMetric = {
    0,  5,  5,  5,  5,  5,  6,  7,  8,  9,  10, 11, 12, 12, 14, 14, 16, 16, 18, 18, 20,
    20, 22, 22, 25, 25, 25, 28, 28, 28, 28, 32, 32, 32, 32, 36, 36, 36, 36, 40, 40, 40,
    40, 44, 44, 44, 44, 44, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
constexpr std::array<std::uint8_t, 61> kAstm = {
    0,  2,  2,  2,  2,  2,  2,  2,  2,  3,  3,  3,  4,  4,  4,  5,  5,  5,  6,  6,  6,
    7,  7,  7,  8,  8,  8,  8,  9,  9,  9,  10, 10, 10, 11, 11, 11, 12, 12, 12, 13, 13,
    13, 14, 14, 14, 14, 15, 15, 15, 16, 16, 16, 16, 16, 18, 18, 18, 18, 18, 18};
constexpr std::array<std::uint8_t, 61> kJapanese = {
    0,  6,  6,  6,  6,  6,  6,  6,  9,  9,  10, 10, 13, 13, 13, 16, 16, 16, 19, 19, 19,
    22, 22, 22, 25, 25, 25, 25, 29, 29, 29, 32, 32, 32, 35, 35, 35, 38, 38, 38, 41, 41,
    41, 44, 44, 44, 44, 48, 48, 48, 51, 51, 51, 51, 51, 57, 57, 57, 57, 57, 57};
// Neighbouring-bar correction in inches by correction / 10.
constexpr std::array<double, 14> kInchCorrection = {0,   0,   0,   0,   0,   2.0, 2.4,
                                                    2.8, 3.2, 3.6, 4.0, 4.4, 4.8, 5.2};

constexpr std::wstring_view kHeaderLabel = L"Saltrevane+ Data File Version";
constexpr std::wstring_view kTableRule = L"------------------";

std::wstring Decimal(long long value)
{
    return std::to_wstring(value);
}

// "%*d": right-aligned in width.
std::wstring Padded(long long value, std::size_t width)
{
    std::wstring text = Decimal(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), L' ');
    return text;
}

// "%.*f" without the process locale.
std::wstring Fixed(double value, int precision)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    return CTextReply::Widen(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

// Into a new string: replacing in place moves the rest of the text with
// every hit, quadratic in the hits.
void ReplaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to)
{
    std::size_t pos = text.find(from);
    if (pos == std::wstring::npos)
        return;
    std::wstring result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (; pos != std::wstring::npos; pos = text.find(from, done))
    {
        result.append(text, done, pos - done);
        result.append(to);
        done = pos + from.size();
    }
    result.append(text, done, std::wstring::npos);
    text = std::move(result);
}

// The import's view of the text in one pass: line ends and tabs become ';',
// a run of ';' becomes one, and a '\'' right after a ';' goes (once; a ';'
// that then meets another ';' stays, as replacing ";;" before ";'" leaves
// it).
std::wstring Normalise(std::wstring_view text)
{
    std::wstring result;
    result.reserve(text.size());
    wchar_t previous = 0; // the last character after collapsing, before quotes go
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
        {
            c = L';';
            ++i;
        }
        else if (c == L'\n' || c == L'\t')
        {
            c = L';';
        }
        if (c == L';' && previous == L';')
            continue;
        if (!(c == L'\'' && previous == L';'))
            result.push_back(c);
        previous = c;
    }
    return result;
}

// "%d": blanks, a sign, digits; anything after them is ignored (used, when
// given, receives the characters read). Values saturate far above any field.
bool ReadInt(std::wstring_view text, long long& value, std::size_t* used = nullptr)
{
    std::size_t pos = 0;
    while (pos < text.size() && std::iswspace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+'))
        negative = text[pos++] == L'-';
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9')
    {
        if (value < 100000000000LL)
            value = value * 10 + (text[pos] - L'0');
        ++pos;
    }
    if (pos == start)
        return false;
    if (negative)
        value = -value;
    if (used != nullptr)
        *used = pos;
    return true;
}

// "%d.%d.%d  %d:%d:%d" (day, month, year, hour, minute, second) as local
// time; 0, as for no date, when it does not read or a field is out of range.
std::int64_t ReadDate(std::wstring_view text)
{
    static constexpr wchar_t kSeparators[] = {L'.', L'.', L' ', L':', L':'};
    static constexpr long long kLowest[] = {1, 1, 1900, 0, 0, 0};
    static constexpr long long kHighest[] = {31, 12, 9999, 23, 59, 60};
    long long fields[6] = {};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < std::size(fields); ++i)
    {
        if (i > 0 && kSeparators[i - 1] != L' ')
        {
            if (pos >= text.size() || text[pos] != kSeparators[i - 1])
                return 0;
            ++pos;
        }
        std::size_t used = 0;
        if (!ReadInt(text.substr(pos), fields[i], &used) || fields[i] < kLowest[i] || fields[i] > kHighest[i])
            return 0;
        pos += used;
    }
    std::tm local{};
    local.tm_mday = static_cast<int>(fields[0]);
    local.tm_mon = static_cast<int>(fields[1] - 1);
    local.tm_year = static_cast<int>(fields[2] - 1900);
    local.tm_hour = static_cast<int>(fields[3]);
    local.tm_min = static_cast<int>(fields[4]);
    local.tm_sec = static_cast<int>(fields[5]);
    local.tm_isdst = -1;
    const std::time_t time = std::mktime(&local);
    return time == static_cast<std::time_t>(-1) ? 0 : static_cast<std::int64_t>(time);
}

// "%f" into a single-precision value.
bool ReadFloat(std::wstring_view text, float& value)
{
    std::size_t pos = 0;
    while (pos < text.size() && std::iswspace(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == L'+')
        ++pos;
    const std::string narrow = CTextReply::Narrow(text.substr(pos));
    const auto result = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    return result.ec == std::errc() && result.ptr != narrow.data();
}

const std::array<std::uint8_t, 61>* TableOf(int regional)
{
    switch (regional)
    {
    case regionMetric:
        return &kMetric;
    case regionAstmInch:
    case regionAstmMm:
        return &kAstm;
    case regionJapanese:
        return &kJapanese;
    default:
        return nullptr;
    }
}

// Writes into a fixed destination; a text that does not fit is counted but
// never written past the end.
class CWriter
{
public:
    explicit CWriter(std::span<wchar_t> dest) : m_dest(dest) {}
    CWriter& operator<<(std::wstring_view text)
    {
        if (m_nLength + text.size() <= m_dest.size())
            text.copy(m_dest.data() + m_nLength, text.size());
        else
            m_bOverflow = true;
        m_nLength += text.size();
        return *this;
    }
    std::size_t Length() const { return m_nLength; }
    bool Overflow() const { return m_bOverflow; }

private:
    std::span<wchar_t> m_dest;
    std::size_t m_nLength = 0;
    bool m_bOverflow = false;
};

// Takes ';'-separated tokens from a running position.
class CTokens
{
public:
    explicit CTokens(const std::wstring& text) : m_text(text) {}
    bool Next(std::wstring& token)
    {
        if (m_nPos >= m_text.size())
            return false;
        std::size_t end = m_text.find(L';', m_nPos);
        if (end == std::wstring::npos)
            end = m_text.size();
        token = m_text.substr(m_nPos, end - m_nPos);
        m_nPos = end + 1;
        return true;
    }
    /// Moves to the label; false (position kept) when it is not there.
    bool Find(std::wstring_view label)
    {
        const std::size_t at = m_text.find(label, m_nPos);
        if (at == std::wstring::npos)
            return false;
        m_nPos = at;
        return true;
    }
    /// The value after the label: the label's token is skipped.
    bool Value(std::wstring_view label, std::wstring& value)
    {
        std::wstring skipped;
        return Find(label) && Next(skipped) && Next(value);
    }
    std::size_t Position() const { return m_nPos; }
    void SetPosition(std::size_t pos) { m_nPos = pos; }

private:
    const std::wstring& m_text;
    std::size_t m_nPos = 0;
};

} // namespace

std::wstring CKindravelText::FormatBarDiameter(int regional, int rawDiameter)
{
    if (rawDiameter < 0 || rawDiameter > 60)
        rawDiameter = 0;
    const auto* table = TableOf(regional);
    return Decimal(table != nullptr ? (*table)[static_cast<std::size_t>(rawDiameter)] : 0);
}

std::wstring CKindravelText::FormatCorrection(int regional, int correction)
{
    if (correction == 0)
        return L"-";
    if (regional == regionAstmInch)
    {
        int index = correction / 10;
        if (index < 0 || index >= static_cast<int>(kInchCorrection.size()))
            index = 0;
        return Fixed(kInchCorrection[static_cast<std::size_t>(index)], 1);
    }
    return Fixed(correction, 0);
}

int CKindravelText::ParseCoverText(int regional, std::wstring_view text)
{
    if (text.find(L"n/a") != std::wstring_view::npos)
        return TKindravelMeas::kCoverNotAvailable;
    if (regional == regionAstmInch)
    {
        float value = 0.0f;
        if (!ReadFloat(text, value) || !(value >= 0.0f) || static_cast<double>(value) > 10.04)
            return -1;
        return static_cast<int>(static_cast<double>(value) * 25.4 + 0.5);
    }
    long long value = 0;
    if (!ReadInt(text, value) || value < 0 || value > 255)
        return -1;
    return static_cast<int>(value);
}

int CKindravelText::ParseCorrectionText(int regional, std::wstring_view text)
{
    if (text.find(L'-') != std::wstring_view::npos)
        return 0;
    if (regional == regionAstmInch)
    {
        float value = 0.0f;
        if (!ReadFloat(text, value) || !(value <= 5.2f))
            return -1;
        if (value < 2.0f)
            return 0;
        // From the single-precision value: the text 2.8 gives 69.
        return static_cast<int>(static_cast<double>(value) * 25.0);
    }
    long long value = 0;
    if (!ReadInt(text, value) || value < 0 || value > 150)
        return -1;
    return static_cast<int>(value);
}

std::wstring CKindravelText::EscapeText(std::wstring_view text, bool encode)
{
    std::wstring result(text);
    if (encode)
    {
        ReplaceAll(result, L"&", L"&amp");
        ReplaceAll(result, L"\r\n", L"&#13");
        ReplaceAll(result, L"\n", L"&#13");
        ReplaceAll(result, L"\"", L"&quot");
        ReplaceAll(result, L"\t", L"&#9");
    }
    else
    {
        ReplaceAll(result, L"&#9", L"\t");
        ReplaceAll(result, L"&quot", L"\"");
        ReplaceAll(result, L"&#13", L"\r\n");
        ReplaceAll(result, L"&amp", L"&");
    }
    return result;
}

int CKindravelText::ExportObjectText(const TKindravelObject& object, std::span<wchar_t> dest)
{
    return ExportInto(object, dest, nullptr);
}

int CKindravelText::ExportInto(const TKindravelObject& object, std::span<wchar_t> dest, std::size_t* needed)
{
    static constexpr std::wstring_view kMetricTable =
        L"\r\n\r\nNumber            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
        L"------------------;------------------;------------------;------------------\r\n";
    static constexpr std::wstring_view kInchTable =
        L"\r\n\r\nNumber            ;Cover [in]        ;Diameter          ;Raw Diameter [mm] \r\n"
        L"------------------;------------------;------------------;------------------\r\n";
    static constexpr std::wstring_view kAstmMmTable =
        L"\r\n\r\nNumber            ;Cover [mm]        ;Diameter          ;Raw Diameter [mm] \r\n"
        L"------------------;------------------;------------------;------------------\r\n";
    static constexpr std::wstring_view kBarMm = L"    Default Bar Diameter [mm]       ;;;'";
    static constexpr std::wstring_view kBarAstm = L"    Default Bar Diameter            ;;;'";
    static constexpr std::wstring_view kCorrectionMm = L"    Neighboring Bar Correction [mm] ;;;'";
    static constexpr std::wstring_view kCorrectionIn = L"    Neighboring Bar Correction [in] ;;;'";

    const int regional = object.regional;
    std::wstring_view regionalText;
    std::wstring_view barLabel = kBarMm;
    std::wstring_view barPrefix;
    std::wstring_view correctionLabel = kCorrectionMm;
    std::wstring_view table = kMetricTable;
    switch (regional)
    {
    case regionMetric:
        regionalText = L"Metric";
        break;
    case regionAstmInch:
        regionalText = L"ASTM inch";
        barLabel = kBarAstm;
        barPrefix = L"#";
        correctionLabel = kCorrectionIn;
        table = kInchTable;
        break;
    case regionAstmMm:
        regionalText = L"ASTM mm";
        barLabel = kBarAstm;
        barPrefix = L"#";
        table = kAstmMmTable;
        break;
    case regionJapanese:
        regionalText = L"Japanese";
        break;
    default:
        return 0;
    }
    if (object.storageMode != 0 && object.storageMode != 1)
        return 0;

    const std::time_t time = static_cast<std::time_t>(object.date);
    std::tm local{};
    int day = 0, month = 0, year = 0, hour = -1, minute = -1, second = -1;
    if (localtime_r(&time, &local) != nullptr)
    {
        day = local.tm_mday;
        month = local.tm_mon + 1;
        year = local.tm_year + 1900;
        hour = local.tm_hour;
        minute = local.tm_min;
        second = local.tm_sec;
    }
    const std::wstring date = Decimal(day) + L"." + Decimal(month) + L"." + Decimal(year) + L"  " +
                              Decimal(hour) + L":" + Decimal(minute) + L":" + Decimal(second);
    const std::uint64_t version = object.formatVersion.GetValue();

    CWriter out(dest);
    out << L"Saltrevane+ Data File Version       ;;;'" << Decimal(static_cast<long long>(version >> 32))
        << L"." << Decimal(static_cast<long long>(version & 0xFFFFFFFFu)) << L"\r\n"
        << L"\r\n";
    out << L"Instrument Data\r\n"
        << L"    Name                            ;;;" << object.ident.typeName << L"\r\n"
        << L"    Serial Number                   ;;;" << object.ident.serialNumber << L"\r\n"
        << L"    Software Version                ;;;'" << object.ident.firmwareVersion << L"\r\n"
        << L"    Hardware Index                  ;;;" << object.ident.hardwareRevision << L"\r\n"
        << L"    Signature                       ;;;'" << object.ident.signature << L"\r\n"
        << L"\r\n";
    out << L"Settings\r\n"
        << L"    Regional                        ;;;" << regionalText << L"\r\n"
        << L"    Data Storage Mode               ;;;" << (object.storageMode == 0 ? L"Manual" : L"Auto")
        << L"\r\n"
        << L"    Raw Default Bar Diameter [mm]   ;;;'" << Decimal(object.rawDefaultBarDiameter) << L"\r\n"
        << barLabel << barPrefix << FormatBarDiameter(regional, object.rawDefaultBarDiameter) << L"\r\n"
        << correctionLabel << FormatCorrection(regional, object.neighbourCorrection) << L"\r\n"
        << L"\r\n";
    out << L"Comment\r\n"
        << L"    \"" << EscapeText(object.comment, true) << L"\"\r\n"
        << L"\r\n"
        << L"\r\n"
        << L"\r\nData\r\n";
    out << L"    Object Number                   ;;;" << Decimal(object.objectNumber) << L"\r\n"
        << L"    Object Name                     ;;;\"" << EscapeText(object.objectName, true) << L"\"\r\n"
        << L"    Date                            ;;;'" << date << L"\r\n"
        << L"    # of Measurements               ;;;"
        << Decimal(static_cast<long long>(object.readings.size())) << L"\r\n";
    out << table;
    for (const TKindravelMeas& meas : object.readings)
    {
        out << Padded(meas.number, 2) << L"                ;";
        if (meas.cover == TKindravelMeas::kCoverNotAvailable)
            out << L"n/a               ;";
        else if (regional == regionAstmInch)
            out << Fixed(meas.cover / 25.4, 2) << L"              ;";
        else
            out << Padded(meas.cover, 3) << L"               ;";
        if (meas.rawDiameter == 0)
        {
            out << L"n/a               ;";
        }
        else
        {
            const std::wstring bar = FormatBarDiameter(regional, meas.rawDiameter);
            if (regional == regionAstmInch || regional == regionAstmMm)
                out << L"#" << bar << (bar.size() == 1 ? L"                ;" : L"               ;");
            else
                out << (bar.size() == 1 ? L" " : L"") << bar << L"                ;";
        }
        if (meas.rawDiameter == 0)
            out << L"n/a\r\n";
        else
            out << Padded(meas.rawDiameter, 2) << L"\r\n";
    }
    if (needed != nullptr)
        *needed = out.Length();
    if (out.Overflow())
        return 0;
    return static_cast<int>(out.Length());
}

std::wstring CKindravelText::ExportObjectText(const TKindravelObject& object)
{
    std::size_t needed = 0;
    ExportInto(object, {}, &needed); // measures only
    std::wstring text(needed, L'\0');
    const int length = ExportInto(object, std::span<wchar_t>(text.data(), text.size()), nullptr);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

bool CKindravelText::ImportObjectText(TKindravelObject& object, std::wstring text)
{
    if (text.size() > kMaxObjectText)
        return false;
    text = Normalise(text);

    CTokens tokens(text);
    std::wstring token;
    if (!tokens.Next(token) || token.compare(0, kHeaderLabel.size(), kHeaderLabel) != 0 ||
        !tokens.Next(token))
        return false;
    object.formatVersion = CVersion(token);
    if (static_cast<std::uint16_t>(object.formatVersion.GetValue() >> 32) != 1)
        return false;

    std::wstring* const identFields[] = {&object.ident.typeName, &object.ident.serialNumber,
                                         &object.ident.firmwareVersion, &object.ident.hardwareRevision,
                                         &object.ident.signature};
    static constexpr std::wstring_view kIdentLabels[] = {L"Name", L"Serial Number", L"Software Version",
                                                         L"Hardware Index", L"Signature"};
    for (std::size_t i = 0; i < std::size(kIdentLabels); ++i)
        if (!tokens.Value(kIdentLabels[i], *identFields[i]))
            return false;

    if (!tokens.Value(L"Regional", token))
        return false;
    object.regional = regionNotSet;
    if (token == L"Metric")
        object.regional = regionMetric;
    else if (token == L"ASTM inch" || token == L"ASTM in")
        object.regional = regionAstmInch;
    else if (token == L"ASTM mm")
        object.regional = regionAstmMm;
    else if (token == L"Japanese")
        object.regional = regionJapanese;

    if (!tokens.Value(L"Data Storage Mode", token))
        return false;
    object.storageMode = -1;
    if (token == L"M" || token == L"Manual")
        object.storageMode = 0;
    else if (token == L"A" || token == L"Auto")
        object.storageMode = 1;

    long long number = 0;
    if (!tokens.Value(L"Raw Default Bar Diameter", token))
        return false;
    object.rawDefaultBarDiameter =
        ReadInt(token, number) && number >= 0 && number <= 100 ? static_cast<std::uint8_t>(number) : 0;

    if (!tokens.Value(L"Neighboring Bar Correction", token))
        return false;
    const int correction = ParseCorrectionText(object.regional, token);
    if (correction < 0)
        return false;
    object.neighbourCorrection = static_cast<std::uint8_t>(correction);

    object.comment.clear();
    const std::size_t beforeComment = tokens.Position();
    if (tokens.Find(L"Comment"))
    {
        const std::size_t open = text.find(L'"', tokens.Position());
        const std::size_t close = open == std::wstring::npos ? open : text.find(L'"', open + 1);
        if (close != std::wstring::npos)
        {
            object.comment = EscapeText(std::wstring_view(text).substr(open + 1, close - open - 1), false);
            tokens.SetPosition(close);
        }
    }
    else
    {
        tokens.SetPosition(beforeComment);
    }

    if (!tokens.Value(L"Object Number", token))
        return false;
    object.objectNumber = ReadInt(token, number) && number >= 0 && number <= 500
                              ? static_cast<std::uint16_t>(number)
                              : TKindravelObject::kInvalidObjectNumber;

    object.objectName.clear();
    const std::size_t beforeName = tokens.Position();
    if (tokens.Find(L"Object Name"))
    {
        if (tokens.Value(L"Object Name", token))
        {
            object.objectName = EscapeText(token, false);
            std::erase(object.objectName, L'"');
        }
        else
        {
            tokens.SetPosition(beforeName);
        }
    }

    if (tokens.Find(L"Date"))
    {
        if (!tokens.Value(L"Date", token))
            return false;
        object.date = ReadDate(token);
    }
    else
    {
        object.date = 0;
    }

    object.readings.clear();
    if (!tokens.Find(kTableRule))
        return true;
    bool have = tokens.Next(token);
    while (have && token == kTableRule)
        have = tokens.Next(token);
    std::wstring cover, diameter, raw;
    for (std::size_t row = 0; have && row < TKindravelObject::kMaxReadings; ++row)
    {
        long long readingNumber = 0;
        if (!ReadInt(token, readingNumber) || readingNumber < 0 || readingNumber > 99)
            break;
        if (!tokens.Next(cover))
            break;
        const int coverMm = ParseCoverText(object.regional, cover);
        if (coverMm < 0)
            return false;
        if (!tokens.Next(diameter) || !tokens.Next(raw))
            break;
        long long rawMm = 0;
        if (raw.find(L"n/a") != std::wstring::npos)
            rawMm = 0;
        else if (!ReadInt(raw, rawMm) || rawMm < 0 || rawMm > 60)
            break;
        object.readings.push_back({static_cast<std::uint8_t>(readingNumber),
                                   static_cast<std::uint8_t>(coverMm), static_cast<std::uint8_t>(rawMm)});
        have = tokens.Next(token);
    }
    return true;
}

} // namespace Device

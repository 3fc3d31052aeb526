// The cover meter's binary record and download replies, built byte by byte
// from their layout.

#include "device/others/KindravelCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace
{

using Device::CKindravelCodec;
using Device::TKindravelObject;
using Device::TKindravelObjectSet;
using TBytes = std::vector<std::uint8_t>;

void Put(TBytes& record, std::size_t offset, const std::string& text)
{
    std::memcpy(record.data() + offset, text.data(), text.size());
}

// One record: version 1.0, texts, ASTM mm, automatic, 20 mm default bar,
// 30 mm correction, object 0x0105, n readings with cover 10+i and raw 12+i.
TBytes Record(std::uint8_t readings)
{
    TBytes record(262, 0);
    record[0] = 1;
    record[1] = 0;
    Put(record, 2, "Saltrevane");
    Put(record, 18, "SV12-345-6789");
    Put(record, 34, "1.2.3");
    Put(record, 43, "B2");
    Put(record, 48, "06000001");
    record[57] = 2;
    record[58] = 'A';
    record[59] = 20;
    record[60] = 30;
    record[61] = 0x05;
    record[62] = 0x01;
    record[63] = readings;
    for (std::size_t i = 0; i < 99; ++i)
    {
        record[64 + i] = static_cast<std::uint8_t>(10 + i);
        record[163 + i] = static_cast<std::uint8_t>(12 + i % 40);
    }
    return record;
}

TBytes Reply(std::uint16_t count, std::uint16_t size, const std::vector<TBytes>& records)
{
    TBytes reply = {1, static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                    static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8)};
    for (const TBytes& record : records)
        reply.insert(reply.end(), record.begin(), record.end());
    return reply;
}

TEST(KindravelCodec, DecodesARecordFieldByField)
{
    const TBytes record = Record(99);
    TKindravelObject object;
    object.comment = L"kept";
    ASSERT_TRUE(
        CKindravelCodec::DecodeRecord(std::span<const std::uint8_t, 262>(record.data(), 262), object));
    EXPECT_EQ(object.formatVersion, CVersion(0, 1, 0, 0));
    EXPECT_EQ(object.ident.typeName, L"Saltrevane");
    EXPECT_EQ(object.ident.serialNumber, L"SV12-345-6789");
    EXPECT_EQ(object.ident.firmwareVersion, L"1.2.3");
    EXPECT_EQ(object.ident.hardwareRevision, L"B2");
    EXPECT_EQ(object.ident.signature, L"06000001");
    EXPECT_EQ(object.regional, 2);
    EXPECT_EQ(object.storageMode, 1);
    EXPECT_EQ(object.rawDefaultBarDiameter, 20);
    EXPECT_EQ(object.neighbourCorrection, 30);
    EXPECT_EQ(object.objectNumber, 0x0105);
    EXPECT_EQ(object.comment, L"kept");
    ASSERT_EQ(object.readings.size(), 99u);
    EXPECT_EQ(object.readings[0], (Device::TKindravelMeas{1, 10, 12}));
    EXPECT_EQ(object.readings[98],
              (Device::TKindravelMeas{99, 108, static_cast<std::uint8_t>(12 + 98 % 40)}));

    TBytes tooMany = Record(100);
    tooMany[58] = 'M';
    EXPECT_FALSE(
        CKindravelCodec::DecodeRecord(std::span<const std::uint8_t, 262>(tooMany.data(), 262), object));
    EXPECT_EQ(object.storageMode, 0);
}

TEST(KindravelCodec, BinaryReplyKeepsWhatDecodesAndNeverReadsPastTheReply)
{
    TKindravelObjectSet set;
    ASSERT_TRUE(CKindravelCodec::DecodeBinaryReply(Reply(2, 262, {Record(3), Record(0)}), set));
    ASSERT_EQ(set.objects.size(), 2u);
    EXPECT_EQ(set.formatVersion, CVersion(0, 1, 0, 0));
    EXPECT_EQ(set.objects[1].readings.size(), 0u);

    set = {};
    EXPECT_FALSE(CKindravelCodec::DecodeBinaryReply(Reply(2, 262, {Record(3), Record(100)}), set));
    EXPECT_EQ(set.objects.size(), 1u);

    set = {};
    EXPECT_FALSE(CKindravelCodec::DecodeBinaryReply(Reply(1, 261, {Record(3)}), set));
    set = {};
    EXPECT_TRUE(CKindravelCodec::DecodeBinaryReply(Reply(0, 262, {}), set));
    EXPECT_EQ(set.formatVersion, CVersion(0, 1, 0, 0));

    // A count of 500 with one record behind it: the one decodes, the rest fail.
    set = {};
    EXPECT_FALSE(CKindravelCodec::DecodeBinaryReply(Reply(500, 262, {Record(3)}), set));
    EXPECT_EQ(set.objects.size(), 1u);
}

TEST(KindravelCodec, TextReplyHeaderAndMarkers)
{
    const std::wstring object =
        L"Saltrevane+ Data File Version;1.0;Name;N;Serial Number;S;Software Version;1;"
        L"Hardware Index;H;Signature;06000001;Regional;Metric;Data Storage Mode;Auto;"
        L"Raw Default Bar Diameter;16;Neighboring Bar Correction;-;Object Number;4;";
    for (const std::wstring header : {L"1;0;", L"1;501;", L"2;1;", L"1;x;"})
    {
        TKindravelObjectSet set;
        EXPECT_FALSE(CKindravelCodec::DecodeTextReply(header + object + L"<eof>", set));
    }
    TKindravelObjectSet set;
    ASSERT_TRUE(CKindravelCodec::DecodeTextReply(L"1;2;" + object + L"<eof>" + object + L"<eof>", set));
    EXPECT_EQ(set.objects.size(), 2u);
    EXPECT_EQ(set.objects[0].objectNumber, 4);

    set = {};
    EXPECT_FALSE(CKindravelCodec::DecodeTextReply(L"1;2;" + object + L"<eof>", set));
    EXPECT_EQ(set.objects.size(), 1u);
}

// Separators by the ten thousand once took minutes: the import searched
// the text again from its start after every one it collapsed. The bound is
// far above what a linear import needs, even under the sanitizers.
TEST(KindravelCodec, TextReplyOfSeparatorsDecodesInBoundedTime)
{
    const std::wstring header = L"Saltrevane+ Data File Version;1.0;";
    std::wstring filler;
    for (int i = 0; i < 16000; ++i)
        filler += L"x;;";
    // One object of 200 kB, and four of 50 kB each (under the limit of one
    // object, so each is imported in full).
    const std::wstring whole = L"1;1;" + header + filler + filler + filler + filler + L"<eof>";
    std::wstring four = L"1;4;";
    for (int i = 0; i < 4; ++i)
        four += header + filler + L"<eof>";
    ASSERT_GT(whole.size(), 190000u);
    ASSERT_GT(four.size(), 190000u);
    const auto start = std::chrono::steady_clock::now();
    TKindravelObjectSet set;
    EXPECT_FALSE(CKindravelCodec::DecodeTextReply(whole, set));
    EXPECT_FALSE(CKindravelCodec::DecodeTextReply(four, set));
    EXPECT_TRUE(set.objects.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(KindravelCodec, HexTextSkipsMarkersAndStopsAtTheEnd)
{
    const std::string text = "a12b34cdAB\r";
    const TBytes bytes = CKindravelCodec::DecodeHexText(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_EQ(bytes, (TBytes{0x12, 0x34, 0xAB}));
}

} // namespace

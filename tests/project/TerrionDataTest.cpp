// The series container: statistics of new series, the twelve sort orders on a
// table with ties, invalid readings and empty series, removal, appending
// loads and the deep copy.

#include "ProjectFixtures.h"

#include "streams/StreamFactory.h"
#include "streams/VNArchive.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace TerrionTest;

namespace
{

TObject WithReadings(std::uint16_t number, std::vector<TMeas> readings)
{
    TObject o;
    o.objectNumber = number;
    o.readings = std::move(readings);
    return o;
}

TEST(TerrionDataStatistics, OverValidReadingsOnly)
{
    struct SCase
    {
        const char* what;
        std::vector<TMeas> readings;
        double mean, sd, min, max;
        int valid;
    } cases[] = {
        {"none", {}, 0, 0, 0, 0, 0},
        {"all invalid", {{5.0, 1, 0}, {7.0, 1, 0}}, 0, 0, 0, 0, 0},
        {"one valid", {{4.5, 1, 10}}, 4.5, 0, 4.5, 4.5, 1},
        {"invalid ignored", {{10.0, 1, 10}, {999.0, 1, 0}, {30.0, 1, 20}, {20.0, 1, 200}}, 20, 10, 10, 30, 3},
        {"equal values", {{3.0, 1, 10}, {3.0, 1, 10}}, 3, 0, 3, 3, 2},
        {"zero reading counts", {{0.0, 1, 10}, {8.0, 1, 10}}, 4, std::sqrt(32.0), 0, 8, 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CTerrionData data;
        ASSERT_TRUE(data.AddSeries({WithReadings(1, c.readings)}, false));
        double mean = -1, sd = -1, min = -1, max = -1;
        data.GetStatistics(0, &mean, &sd, &min, &max);
        EXPECT_DOUBLE_EQ(mean, c.mean);
        EXPECT_DOUBLE_EQ(sd, c.sd);
        EXPECT_DOUBLE_EQ(min, c.min);
        EXPECT_DOUBLE_EQ(max, c.max);
        EXPECT_EQ(data.GetReadingCount(0), static_cast<int>(c.readings.size()));
        EXPECT_EQ(data.GetValidReadingCount(0), c.valid);
    }
}

TEST(TerrionDataStatistics, MeanRangeAndSelectionOfDownloads)
{
    CTerrionData data;
    double smallest = -1, largest = -1;
    data.GetMeanRange(&smallest, &largest);
    EXPECT_EQ(smallest, 0.0);
    EXPECT_EQ(largest, 0.0);

    data.AddSeries({ObjectA(), ObjectB()}, false);
    data.GetMeanRange(&smallest, &largest);
    EXPECT_EQ(smallest, 6.0);
    EXPECT_EQ(largest, 20.0);
    // into an emptied container only the first is selected ...
    EXPECT_TRUE(data.IsSelected(0));
    EXPECT_FALSE(data.IsSelected(1));
    // ... appended, every new one is, and earlier selections stay
    data.AddSeries({ObjectC()}, true);
    EXPECT_TRUE(data.IsSelected(0));
    EXPECT_TRUE(data.IsSelected(2));
    data.GetMeanRange(&smallest, &largest);
    EXPECT_EQ(smallest, 0.0);
    EXPECT_NE(data.GetGuid(0), data.GetGuid(1));
}

// Series: object number, time, name, readings (mean, count, deviation).
struct SRow
{
    std::uint16_t number;
    std::int64_t time;
    const wchar_t* name;
    std::vector<TMeas> readings;
};

class TerrionDataSortTest : public ::testing::Test
{
protected:
    TerrionDataSortTest()
    {
        const SRow rows[] = {
            // mean 20, sd 10, count 3 (one invalid)
            {7, 300, L"beta", {{10.0, 1, 10}, {0.0, 1, 0}, {30.0, 1, 10}}},
            // no readings: mean 0, sd 0, count 0
            {2, 100, L"Zulu", {}},
            // mean 20 (tie with row 0), sd 0, count 2
            {9, 300, L"alpha", {{20.0, 1, 10}, {20.0, 1, 10}}},
            // only invalid readings: mean 0, count 2 (tie with row 2)
            {2, 200, L"Alpha", {{5.0, 1, 0}, {6.0, 1, 0}}},
            // mean 5, sd ~0.707, count 2
            {4, 50, L"beta", {{4.5, 1, 10}, {5.5, 1, 10}}},
        };
        for (const auto& row : rows)
        {
            data.AddSeries({WithReadings(row.number, row.readings)}, true);
            TMeasSeries* s = data.GetSeries(data.GetCount() - 1);
            s->nTime = row.time;
            s->strName = row.name;
            s->strComment = std::to_wstring(data.GetCount() - 1); // the row's number
        }
    }

    std::vector<int> Order() const
    {
        std::vector<int> rows;
        for (int i = 0; i < data.GetCount(); ++i)
            rows.push_back(std::stoi(data.GetComment(i)));
        return rows;
    }

    CTerrionData data;
};

TEST_F(TerrionDataSortTest, TwelveOrdersKeepTiesInTheirPlace)
{
    struct SCase
    {
        std::uint8_t order;
        std::vector<int> rows;
    } cases[] = {
        {SortIdAsc, {1, 3, 4, 0, 2}},     {SortIdDesc, {2, 0, 4, 1, 3}},    {SortTimeAsc, {4, 1, 3, 0, 2}},
        {SortTimeDesc, {0, 2, 3, 1, 4}},  {SortNameAsc, {3, 1, 2, 0, 4}},   {SortNameDesc, {0, 4, 2, 1, 3}},
        {SortMeanAsc, {1, 3, 4, 0, 2}},   {SortMeanDesc, {0, 2, 4, 1, 3}},  {SortCountAsc, {1, 2, 3, 4, 0}},
        {SortCountDesc, {0, 2, 3, 4, 1}}, {SortStdDevAsc, {1, 2, 3, 4, 0}}, {SortStdDevDesc, {0, 4, 1, 2, 3}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(static_cast<int>(c.order));
        CTerrionData sorted;
        sorted.CopyFrom(data); // the same table, in its original order, every time
        for (int i = 0; i < sorted.GetCount(); ++i)
            ASSERT_EQ(sorted.GetComment(i), std::to_wstring(i));
        sorted.Sort(c.order);
        std::vector<int> rows;
        for (int i = 0; i < sorted.GetCount(); ++i)
            rows.push_back(std::stoi(sorted.GetComment(i)));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(sorted.GetSortOrder(), c.order);
    }
}

TEST(TerrionDataSort, NamesCompareByUtf16CodeUnits)
{
    // Names are UTF-16 in project files and order unit by unit there: a
    // character beyond U+FFFF begins with a surrogate (0xD800-0xDBFF) and so
    // sorts before U+E000-U+FFFF, though its code point is larger.
    CTerrionData data;
    data.AddSeries({ObjectA(), ObjectA(), ObjectA(), ObjectA()}, false);
    const wchar_t* const names[] = {L"\uFF21", L"\U0001F600", L"\uD7FF", L"\uE000"};
    for (int i = 0; i < 4; ++i)
        data.SetName(i, names[i]);
    data.Sort(SortNameAsc);
    EXPECT_EQ(data.GetName(0), L"\uD7FF");
    EXPECT_EQ(data.GetName(1), L"\U0001F600");
    EXPECT_EQ(data.GetName(2), L"\uE000");
    EXPECT_EQ(data.GetName(3), L"\uFF21");
    data.Sort(SortNameDesc);
    EXPECT_EQ(data.GetName(0), L"\uFF21");
    EXPECT_EQ(data.GetName(3), L"\uD7FF");
}

TEST_F(TerrionDataSortTest, OrdersOutsideTheTwelveOnlyStoreTheValue)
{
    for (std::uint8_t order : {0, 13, 255})
    {
        data.Sort(order);
        EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(data.GetSortOrder(), order);
    }
}

TEST_F(TerrionDataSortTest, NotANumberMeansSortWithoutHarm)
{
    data.GetSeries(1)->dMean = std::nan("");
    data.GetSeries(3)->dStdDev = std::nan("");
    data.Sort(SortMeanAsc);
    EXPECT_EQ(Order(), (std::vector<int>{3, 4, 0, 2, 1}));
    data.Sort(SortStdDevDesc);
    EXPECT_EQ(data.GetCount(), 5);
}

TEST_F(TerrionDataSortTest, RemoveAtClosesTheGapAndUpdatesTheRange)
{
    data.RemoveAt(0);
    data.RemoveAt(1);
    EXPECT_EQ(Order(), (std::vector<int>{1, 3, 4}));
    double smallest, largest;
    data.GetMeanRange(&smallest, &largest);
    EXPECT_EQ(smallest, 0.0);
    EXPECT_EQ(largest, 5.0);
    EXPECT_THROW(data.RemoveAt(-1), std::out_of_range);
    EXPECT_THROW(data.GetSeries(-1), std::out_of_range);
    EXPECT_EQ(data.GetSeries(3), nullptr);
    EXPECT_EQ(data.GetObjectId(3), -1);
    EXPECT_EQ(data.GetName(3), L"");
    EXPECT_EQ(data.FormatReading(3, 0), L"--");
}

TEST_F(TerrionDataSortTest, DeepCopyHasEverythingButTheSelection)
{
    data.Sort(SortNameAsc);
    data.GetSeries(0)->bExpanded = true;
    data.GetSeries(2)->bInSummary = true;
    CTerrionData copy;
    copy.AddSeries({ObjectA()}, false); // replaced by the copy
    copy.CopyFrom(data);
    ASSERT_EQ(copy.GetCount(), data.GetCount());
    EXPECT_EQ(copy.GetSortOrder(), SortNameAsc);
    for (int i = 0; i < data.GetCount(); ++i)
    {
        const TMeasSeries& a = *data.GetSeries(i);
        const TMeasSeries& b = *copy.GetSeries(i);
        EXPECT_NE(&a, &b);
        EXPECT_EQ(a.guid, b.guid);
        EXPECT_EQ(a.strName, b.strName);
        EXPECT_EQ(a.nTime, b.nTime);
        EXPECT_EQ(a.dMean, b.dMean);
        EXPECT_EQ(a.dStdDev, b.dStdDev);
        EXPECT_EQ(a.bExpanded, b.bExpanded);
        EXPECT_EQ(a.bInSummary, b.bInSummary);
        EXPECT_EQ(a.object.readings, b.object.readings);
        EXPECT_EQ(a.object.settings, b.object.settings);
        EXPECT_FALSE(b.bSelected);
    }

    CTerrionData empty;
    empty.Sort(SortTimeDesc);
    copy.CopyFrom(empty);
    EXPECT_EQ(copy.GetCount(), 0);
    EXPECT_EQ(copy.GetSortOrder(), SortTimeDesc);
}

TEST(TerrionDataBlock, LoadingTwoIntoThreeGivesFiveNoneSelected)
{
    CTerrionData two;
    two.AddSeries({ObjectA(), ObjectB()}, true);
    two.Sort(SortCountDesc);
    CTerrionData three;
    three.AddSeries({ObjectC(), ObjectC(), ObjectC()}, true);
    ASSERT_TRUE(three.IsSelected(0));

    auto stream = StreamIO::CreateStream(L"RAM:DataBlockTest", 0x33);
    {
        StreamIO::CVNArchive store(stream->GetHandle(), StreamIO::CVNArchive::amStore, 64);
        two.Store(store, nullptr);
        store.Flush();
        StreamIO::CVNArchive load(stream->GetHandle(), StreamIO::CVNArchive::amLoad, 64);
        three.Load(load, CTerrionData::kCurrentFormat);
    }
    ASSERT_EQ(three.GetCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(three.IsSelected(i));
    EXPECT_EQ(three.GetSortOrder(), SortCountDesc); // stored, not applied
    EXPECT_EQ(three.GetObjectId(3), 3);
    double smallest, largest;
    three.GetMeanRange(&smallest, &largest);
    EXPECT_EQ(largest, 20.0);
}

TEST(TerrionDataBlock, StoringRejectsAShortSelectionAndAnOverlongCount)
{
    CTerrionData data;
    data.AddSeries({ObjectA(), ObjectB()}, false);
    auto stream = StreamIO::CreateStream(L"RAM:DataBlockTest", 0x33);
    StreamIO::CVNArchive store(stream->GetHandle(), StreamIO::CVNArchive::amStore, 64);
    const CTerrionData::TSelection shortSelection{1};
    EXPECT_THROW(data.Store(store, &shortSelection), std::invalid_argument);
    data.GetSeries(1)->nReadingCount = 3;
    EXPECT_THROW(data.Store(store, nullptr), std::invalid_argument);
    store.Abort();
}

TEST(TerrionDataFormat, ReadingsAndContactSpacing)
{
    CTerrionData data;
    data.AddSeries({ObjectA(), ObjectB()}, false);
    EXPECT_EQ(data.FormatReading(0, 0), L"10.0 k\u2126cm");
    EXPECT_EQ(data.FormatReading(0, 1), L"--"); // no current
    EXPECT_EQ(data.FormatReading(0, 9), L"--");
    EXPECT_EQ(data.FormatContactSpacing(0), L"38.0mm");
    EXPECT_EQ(data.FormatContactSpacing(1), L"--"); // bulk
    data.GetSeries(1)->object.settings.mode = Device::NMeasurementMode::Surface;
    EXPECT_EQ(data.FormatContactSpacing(1), L"50.0mm"); // 0xFFFF: the default spacing
    EXPECT_EQ(data.FormatContactSpacing(2), L"--");
}

} // namespace

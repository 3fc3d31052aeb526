#pragma once
// The fixed text report of one measurement series (instrument, comment,
// settings, readings and one summary line) that the CSV/text export and the
// text part of copy write, and the separator placed between two reports.
// Numbers never depend on the process locale; dates are local time.

#include <string>

class CTerrionDoc;

class CSeriesReport
{
public:
    /// Appends the report of project series index to out; returns the length
    /// of out afterwards, or 0 (appending nothing) for an index without series.
    static int GetSeriesReport(const CTerrionDoc& doc, int index, std::wstring& out);
    /// The 445 characters between two consecutive reports.
    static const std::wstring& Separator();
    /// The two heading lines of the summary line (236 characters).
    static const std::wstring& HeadingBlock();

    /// "%.1f" in the C locale's form, whatever the process locale is.
    static std::wstring FormatFixed1(double value);
};

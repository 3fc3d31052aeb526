#pragma once
// Texts of the views that come from the string table: one place for them
// until the string table itself is compiled in. Each carries its string id
// (0 where the text has none of its own).

namespace ViewTexts
{

struct SText
{
    unsigned id;
    const wchar_t* text;
};

// Date and time display patterns chosen by the "DTFormat" setting.
inline constexpr SText kDatePatterns[4] = {
    {1802, L"MM/dd/yyyy"}, {1803, L"dd-MM-yyyy"}, {1804, L"dd/MM/yyyy"}, {1805, L"dd.MM.yyyy"}};
inline constexpr SText kTimePatterns[4] = {
    {1806, L"h:mm tt"}, {1807, L"h:mmt"}, {1808, L"H:mm"}, {1809, L"HH:mm"}};

// Series text report.
inline constexpr SText kInstrumentData = {0, L"Instrument Data"};
inline constexpr SText kName = {0, L"    Name"};
inline constexpr SText kSerialNumber = {0, L"    Serial Number"};
inline constexpr SText kSoftwareVersion = {0, L"    Software Version"};
inline constexpr SText kHardwareRevision = {0, L"    Hardware Revision"};
inline constexpr SText kSignature = {0, L"    Signature"};
inline constexpr SText kComment = {0, L"Comment"};
inline constexpr SText kMeasurementData = {0, L"Measurement Data"};
inline constexpr SText kMeasurementMode = {0, L"Measurement Mode: "};
inline constexpr SText kContactSpacing = {0, L"Contact Spacing: "};
inline constexpr SText kDefaultSpacing = {0, L" (default) "};
inline constexpr SText kSpecimenShape = {0, L"Specimen Shape: "};
inline constexpr SText kSpecimenLength = {0, L"Specimen Length: "};
inline constexpr SText kSpecimenDiameter = {0, L"Specimen Diameter: "};
inline constexpr SText kSpecimenWidth = {0, L"Specimen Width: "};
inline constexpr SText kSpecimenDepth = {0, L"Specimen Depth: "};
inline constexpr SText kCorrection = {0, L"Correction: "};
inline constexpr SText kMeasurements = {0, L"Measurements: "};
inline constexpr SText kSummary = {0, L"Summary:"};
inline constexpr SText kHeadingId = {0, L"  ID"};
inline constexpr SText kHeadingName = {0, L"Name"};
inline constexpr SText kHeadingDateTime = {0, L"Date & Time"};
inline constexpr SText kHeadingMean = {0, L"Mean Value"};
inline constexpr SText kHeadingTotal = {0, L"Total"};
inline constexpr SText kHeadingStdDev = {0, L"Std. Deviation"};

// CSV/text export.
inline constexpr SText kExportDataName = {295, L"TerrionLink Data"};
inline constexpr SText kPreparingExport = {30321, L"Please wait while preparing for export..."};
inline constexpr SText kCreatingFile = {30326, L"Creating %s ..."};
/// Leads the message of a file that cannot be created ("<text> <path>!");
/// the string table holds no text of its own for it.
inline constexpr SText kCannotCreateFile = {30327, L"The file could not be created:"};

} // namespace ViewTexts

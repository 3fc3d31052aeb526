#pragma once
// A four-part version number (major.minor.build.revision, 16 bits each) held
// as one unsigned 64-bit value with the major part highest, so versions
// compare as plain numbers. Program, firmware and file-format versions all
// use it.

#include <cstdint>
#include <string>

class CVersion
{
public:
    CVersion() = default;
    CVersion(std::uint16_t major, std::uint16_t minor, std::uint16_t build, std::uint16_t revision);
    /// Parses "a.b.c.d": blanks are removed and commas read as points. Three or
    /// four numbers give the parts (each 0-65535), two numbers the upper and
    /// lower 32-bit halves, one number the whole value. Anything out of range,
    /// negative or unreadable gives 0.
    explicit CVersion(const std::wstring& text);
    /// A literal 0 would otherwise become a null text; CVersion() is version 0.
    CVersion(int) = delete;
    virtual ~CVersion() = default;

    CVersion(const CVersion&) = default;
    CVersion& operator=(const CVersion&) = default;

    bool operator>(const CVersion& other) const { return m_nValue > other.m_nValue; }
    bool operator<(const CVersion& other) const { return m_nValue < other.m_nValue; }
    bool operator==(const CVersion& other) const { return m_nValue == other.m_nValue; }
    bool operator!=(const CVersion& other) const { return m_nValue != other.m_nValue; }

    /// 0 major, 1 minor, 2 build, 3 revision; any other index 0.
    std::uint16_t GetPart(int index) const;
    std::uint64_t GetValue() const { return m_nValue; }
    bool IsZero() const { return m_nValue == 0; }

    /// 2: the upper and lower 32-bit halves ("65538.131072" for 1.2.2.0);
    /// 3: major.minor.build; 4: all four parts; otherwise the whole value
    /// as a signed number.
    std::wstring ToString(int parts) const;

    /// The version in an installer name such as "TerrionLink_V_1_2_3_0.exe":
    /// the text between the first "_V_" and the first "." with '_' read as
    /// '.'. Names that do not end in ".exe" (exact case), are not longer than
    /// five characters, or lack "_V_" or "." give 0.
    static CVersion FromInstallerFileName(const std::wstring& fileName);

    /// Content types of firmware files.
    enum NContentType : int
    {
        ctFirmware = 1,
        ctOperatingSystem = 2,
    };

    /// The version in a firmware file name such as "X-V1.2.3_FW.lod": the
    /// digit groups after the first "-V", up to a tag group. The tags "FW" and
    /// "APP" fit firmware, "OS" the operating system, no tag every type; any
    /// other tag, or a name that does not end in "lod" or lacks "-V", gives 0.
    static CVersion FromFirmwareFileName(const std::wstring& fileName, int contentType);

private:
    std::uint64_t m_nValue = 0;
};

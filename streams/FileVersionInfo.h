#pragma once
// The version information of a built program or library: the fixed file and
// product version numbers and the thirteen version strings. Every binary the
// project builds carries them in a version record of our own (see
// platform/TerrionVersionRecord.cmake); Create finds that record in any file
// and reads the translation that fits the user's language best.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CFileVersionInfo
{
public:
    /// The fixed version block, laid out as Windows' VS_FIXEDFILEINFO.
    struct SFixedFileInfo
    {
        std::uint32_t signature;
        std::uint32_t structureVersion;
        std::uint32_t fileVersionMS;
        std::uint32_t fileVersionLS;
        std::uint32_t productVersionMS;
        std::uint32_t productVersionLS;
        std::uint32_t fileFlagsMask;
        std::uint32_t fileFlags;
        std::uint32_t fileOS;
        std::uint32_t fileType;
        std::uint32_t fileSubtype;
        std::uint32_t fileDateMS;
        std::uint32_t fileDateLS;
    };

    /// The version strings, in their stored order.
    enum NString : int
    {
        vsCompanyName = 0,
        vsFileDescription = 1,
        vsFileVersion = 2,
        vsInternalName = 3,
        vsLegalCopyright = 4,
        vsOriginalFileName = 5,
        vsProductName = 6,
        vsProductVersion = 7,
        vsComments = 8,
        vsLegalTrademarks = 9,
        vsPrivateBuild = 10,
        vsSpecialBuild = 11,
        vsRequiredOSVersion = 12,
        vsCount = 13,
    };

    CFileVersionInfo();
    virtual ~CFileVersionInfo() = default;
    CFileVersionInfo(const CFileVersionInfo&) = default;
    CFileVersionInfo& operator=(const CFileVersionInfo&) = default;

    /// Zeroes the fixed block and empties the strings.
    virtual void Reset();

    /// Reads the version record of the file at path; false (everything reset)
    /// when the file cannot be read or carries no record.
    bool Create(const std::wstring& path);
    /// Reads the record of a loaded library (a dlopen handle); null is the
    /// running program itself.
    bool Create(void* module);
    /// Reads the version record found in a file's bytes held in memory.
    bool CreateFromMemory(std::span<const std::uint8_t> bytes);

    /// 0 revision, 1 build, 2 minor, 3 major; any other index 0.
    std::uint16_t GetFileVersionPart(int index) const;
    std::uint16_t GetProductVersionPart(int index) const;

    std::wstring GetFileDescription() const { return m_strings[vsFileDescription]; }
    std::wstring GetFileVersion() const { return m_strings[vsFileVersion]; }
    std::wstring GetInternalName() const { return m_strings[vsInternalName]; }
    std::wstring GetLegalCopyright() const { return m_strings[vsLegalCopyright]; }
    std::wstring GetOriginalFileName() const { return m_strings[vsOriginalFileName]; }
    std::wstring GetProductName() const { return m_strings[vsProductName]; }
    std::wstring GetProductVersion() const { return m_strings[vsProductVersion]; }
    std::wstring GetComments() const { return m_strings[vsComments]; }

    /// The entry of translations (language in the low 16 bits) to read: the
    /// user's language exactly, then the same primary language (low 8 bits),
    /// then neutral (0, then primary 0), then English (9, then primary 9),
    /// else the first. translations must not be empty.
    static std::size_t ChooseTranslation(const std::vector<std::uint32_t>& translations,
                                         std::uint16_t userLanguage);
    /// The Windows language id of the user's language, from LC_ALL,
    /// LC_MESSAGES or LANG (US English when none is set or known).
    static std::uint16_t GetUserDefaultLanguage();

private:
    bool ReadRecord(const std::vector<std::uint8_t>& record);

    SFixedFileInfo m_fixed;
    std::wstring m_strings[vsCount];
};

#pragma once
// A JPEG file as its marker sections: read through a CPicFile (with the EXIF
// block and the comment decoded into an SExifInfo), trimmed to the EXIF and
// comment sections, and written back as a JPEG file. The JPEG encoder uses
// one, when attached, to put an EXIF block into what it writes.
//
// The bytes come from files a user opens: a section table of fixed size, a
// truncated file refused with an error, and the EXIF block checked throughout
// (CExifDecoder).

#include "export/ExifInfo.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CPicFile;

class CPicJpegSections
{
public:
    /// DecodeExif flags.
    enum NReadFlags : int
    {
        /// Decode the EXIF block and the first comment (and keep them).
        READ_EXIF = 0x1,
        /// Read the image data after the start-of-scan marker as one more section.
        READ_IMAGE = 0x2,
    };
    /// Section type of the image data.
    static constexpr int kImageData = 0x123;
    /// Sections held at most, the image data included.
    static constexpr std::size_t kMaxSections = 20;

    /// Fills the given record (zeroed here), or a record of its own when null.
    explicit CPicJpegSections(SExifInfo* info = nullptr);
    /// Frees the sections; a record not owned loses its thumbnail pointer,
    /// which pointed into them.
    ~CPicJpegSections();
    CPicJpegSections(const CPicJpegSections&) = delete;
    CPicJpegSections& operator=(const CPicJpegSections&) = delete;

    /// Reads sections from the file's position up to and including the start
    /// of scan, adding them to those held. False with a last-error text for a
    /// malformed or truncated file; false without one when the file does not
    /// start with FF D8. A malformed EXIF block only clears the record's
    /// is-EXIF flag.
    bool DecodeExif(CPicFile* file, int flags);
    /// Writes the sections as a JPEG file: FF D8, a JFIF header unless the
    /// first section is APP0 or APP1, the sections, the image data. Needs the
    /// image data read (READ_IMAGE).
    bool EncodeExif(CPicFile* file);
    /// Keeps only the first APP1 section and the first comment, in that order.
    void DiscardAllButExif();
    /// True when the record holds a decoded EXIF block whose APP1 section is held.
    bool HasExifBlock() const;

    const SExifInfo& GetInfo() const { return *m_info; }
    const char* GetLastError() const { return m_lastError; }
    std::size_t GetSectionCount() const { return m_sections.size(); }
    /// Marker byte of a section (kImageData for the image data); 0 beyond the last.
    int GetSectionType(std::size_t index) const
    {
        return index < m_sections.size() ? m_sections[index].type : 0;
    }
    /// A section's bytes after its marker: the 16-bit length first, except for
    /// the image data. Empty beyond the last.
    std::span<const std::uint8_t> GetSectionData(std::size_t index) const
    {
        if (index >= m_sections.size())
            return {};
        return m_sections[index].data;
    }

private:
    struct SSection
    {
        std::vector<std::uint8_t> data;
        int type = 0;
    };

    bool ReadSections(CPicFile& file, int flags);
    bool ReadImageData(CPicFile& file);
    void DecodeComment(const SSection& section);
    void DecodeFrame(const SSection& section);
    /// Clears the record's thumbnail pointer unless it points into a held section.
    void CheckThumbnail();
    bool Fail(const char* text);

    std::unique_ptr<SExifInfo> m_ownInfo;
    SExifInfo* m_info;
    char m_lastError[256] = {};
    std::vector<SSection> m_sections;
};

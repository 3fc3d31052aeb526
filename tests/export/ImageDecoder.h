#pragma once
// Runs Debian's PIL (/usr/bin/python3) on an encoded image and parses what it
// reports: an independent decoder for the export tests.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace TerrionTest
{

class CImageDecoder
{
public:
    /// Decodes the file; false (with Error()) when PIL cannot read it.
    bool Decode(const std::filesystem::path& file);
    /// Decodes bytes by writing them to a temporary file first.
    bool Decode(const std::vector<std::uint8_t>& bytes, const std::string& extension);

    /// One reported item ("mode", "size", "dpi", ...); empty when absent.
    std::string Item(const std::string& key) const;
    /// Pixels top row first in the reported pixel mode (RGB or L or RGBA).
    const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }
    const std::string& Error() const { return m_error; }

    /// Output of a command line (stdout and stderr), and its exit status.
    static int Run(const std::string& command, std::string* output);

private:
    std::map<std::string, std::string> m_items;
    std::vector<std::uint8_t> m_pixels;
    std::string m_error;
};

} // namespace TerrionTest

#pragma once
// A whole file written from or read into a string, byte for byte.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace TerrionTest
{

inline void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

/// Empty when the file cannot be read.
inline std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace TerrionTest

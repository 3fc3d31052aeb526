#pragma once
// A fresh folder below the system's temporary folder, removed with everything
// in it when the object goes.

#include <filesystem>
#include <string>

namespace TerrionTest
{

class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    /// The path of name inside the folder.
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace TerrionTest

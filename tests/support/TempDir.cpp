#include "tests/support/TempDir.h"

#include <cstdlib>
#include <stdexcept>

namespace TerrionTest
{

CTempDir::CTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "terrion-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

CTempDir::~CTempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace TerrionTest

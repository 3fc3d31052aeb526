#include "tests/export/ImageDecoder.h"

#include "tests/support/TempDir.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace TerrionTest
{

int CImageDecoder::Run(const std::string& command, std::string* output)
{
    output->clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        output->append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool CImageDecoder::Decode(const std::filesystem::path& file)
{
    m_items.clear();
    m_pixels.clear();
    const std::string script = std::string(TERRION_TEST_DATA_DIR) + "/export/decode_image.py";
    std::string output;
    if (Run("/usr/bin/python3 '" + script + "' '" + file.string() + "'", &output) != 0)
    {
        m_error = output;
        return false;
    }
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
    {
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (key == "pixels")
        {
            for (std::size_t i = 0; i + 1 < value.size(); i += 2)
                m_pixels.push_back(static_cast<std::uint8_t>(std::stoi(value.substr(i, 2), nullptr, 16)));
        }
        else
            m_items[key] = value;
    }
    return true;
}

bool CImageDecoder::Decode(const std::vector<std::uint8_t>& bytes, const std::string& extension)
{
    CTempDir dir;
    const auto path = dir / ("image" + extension);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Decode(path);
}

std::string CImageDecoder::Item(const std::string& key) const
{
    auto it = m_items.find(key);
    return it == m_items.end() ? std::string() : it->second;
}

} // namespace TerrionTest

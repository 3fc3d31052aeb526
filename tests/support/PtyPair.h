#pragma once
// A pseudo-terminal for tests: the test holds the master side and plays the
// other end of a serial line; the program opens the slave as its COM port.
// Map() points "COMn:" at the slave for the lifetime of the pair.

#include <cstdint>
#include <string>
#include <vector>

namespace TerrionTest
{

class CPtyPair
{
public:
    CPtyPair();
    ~CPtyPair();
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    int MasterFd() const { return m_nMaster; }
    const std::string& SlavePath() const { return m_strSlavePath; }

    /// Maps "COM<port>:" to the slave until the pair is destroyed.
    void Map(int port);
    /// Closes the master side: the slave is hung up, as a serial line whose
    /// adapter is pulled out. MasterFd() is -1 afterwards.
    void HangUp();

    /// Writes every byte to the master side.
    void Write(const std::vector<std::uint8_t>& bytes);
    void Write(const std::string& text);
    /// Reads up to count bytes, waiting at most timeoutMs for all of them.
    std::vector<std::uint8_t> Read(std::size_t count, int timeoutMs);
    /// Reads whatever arrives until the line is quiet for quietMs.
    std::vector<std::uint8_t> ReadUntilQuiet(int quietMs);
    /// After a poll() on the master gave revents: reads what the host sent
    /// into buffer. The count, 0 when nothing came, -1 when no host has the
    /// slave open.
    int ReadFromHost(short revents, std::uint8_t* buffer, std::size_t size);

private:
    int m_nMaster = -1;
    int m_nMappedPort = 0;
    std::string m_strSlavePath;
};

} // namespace TerrionTest

#pragma once
// A real FTP server for the update tests: Debian's pyftpdlib started with
// /usr/bin/python3 on 127.0.0.1 over a temporary folder laid out as the
// update server, stopped (the process this fixture started) when it goes.

#include "tests/support/TempDir.h"

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace TerrionTest
{

class CFtpServerFixture
{
public:
    CFtpServerFixture();
    ~CFtpServerFixture();
    CFtpServerFixture(const CFtpServerFixture&) = delete;
    CFtpServerFixture& operator=(const CFtpServerFixture&) = delete;

    /// The folder the server offers as the login folder.
    const std::filesystem::path& Root() const { return m_root.Path(); }
    /// Writes a file below the root (folders made as needed).
    void AddFile(const std::string& relativePath, const std::vector<std::uint8_t>& bytes);
    void AddFile(const std::string& relativePath, std::size_t size);
    static std::vector<std::uint8_t> Pattern(std::size_t size);

    /// Starts the server; extra arguments: "--lie", "name=size", "--throttle", "n".
    /// Points the update client at it. False when it did not come up.
    bool Start(const std::vector<std::string>& extra = {});
    void Stop();
    int Port() const { return m_port; }

    /// A loopback port where nothing listens.
    static int ClosedPort();

private:
    CTempDir m_root;
    pid_t m_pid = -1;
    int m_port = 0;
};

} // namespace TerrionTest

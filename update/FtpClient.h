#pragma once
// The connection to the maker's download server: one passive FTP connection
// on libcurl, logged in with the update account and changed into a product's
// or an instrument's folder below "./VnUpgrade/". Listings and file reads run
// on that connection. Every call blocks its thread, so only worker threads
// (or tests) call it; Cancel() from any thread ends a running call soon.

#include "update/UpdateUi.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Update
{

/// One file of a folder listing.
struct SFtpEntry
{
    std::wstring name;
    std::uint64_t size = 0;
};

/// Why the last call failed.
enum class NFtpFailure : int
{
    None = 0,
    Session = 1,   ///< libcurl could not be set up
    Server = 2,    ///< the server was not reached or refused the login
    Folder = 3,    ///< the server was reached but the folder is missing
    Transfer = 4,  ///< a listing or a file read failed
    Cancelled = 5, ///< Cancel() ended the call
    NoServer = 6,  ///< no server is configured: nothing was tried
};

class CFtpClient
{
public:
    static constexpr const wchar_t* kUser = L"vncust";
    static constexpr const wchar_t* kPassword = L"hwelnaDKR";

    CFtpClient();
    ~CFtpClient();
    CFtpClient(const CFtpClient&) = delete;
    CFtpClient& operator=(const CFtpClient&) = delete;

    /// The server as "host" or "host:port" (default port 21). Read at every
    /// connection: the environment variable TERRIONLINK_UPDATE_SERVER, else
    /// what SetServer() set, else the build's configured server. An empty
    /// server fails every connection at once (NFtpFailure::NoServer), before
    /// any session or connection is set up.
    static void SetServer(const std::string& hostAndPort);
    static std::string GetServer();

    /// Message boxes for connection failures go to ui while on (the default).
    void SetShowMessages(bool show);
    void SetMessageSink(std::shared_ptr<CUpdateUi> ui);

    void GetLastErrorText(std::wstring& text) const;
    std::wstring GetLastErrorText() const;
    NFtpFailure GetLastFailure() const { return m_nFailure; }

    /// Whether the connection is there and still answers; a connection that
    /// does not answer is dropped.
    bool IsConnected();
    void Disconnect();

    /// Logs in and changes into folder ("./VnUpgrade/x/"); every call starts
    /// a new connection. False with the error text set on failure.
    bool Connect(const std::wstring& user, const std::wstring& password, const std::wstring& folder);
    /// Connect to "./VnUpgrade/" + name + "/" with the update account; an
    /// empty name is the program's product name.
    bool ConnectUpgradeFolder(const std::wstring& name);

    /// The files of the folder whose names match pattern ("*", "*.lod", or a
    /// plain name), in the server's order. Names that could lead out of the
    /// folder (a path separator, "..") or carry control characters are left out.
    bool List(const std::wstring& pattern, std::vector<SFtpEntry>& entries);

    /// Reads a file of the folder in binary mode; sink gets the bytes as they
    /// come and may return false to stop the transfer.
    bool Download(const std::wstring& name, const std::function<bool(const char*, std::size_t)>& sink);

    /// Ends a running or the next call of this client; thread-safe.
    void Cancel() { m_bCancel = true; }
    void ResetCancel() { m_bCancel = false; }
    bool IsCancelled() const { return m_bCancel; }

    /// Seconds a connection attempt, and a transfer that moves no byte, may take.
    void SetTimeouts(long connectSeconds, long stallSeconds);

    /// Whether a name from the server may be used as a local file name.
    static bool IsSafeFileName(const std::wstring& name);

    /// The program's product name from its version record ("TerrionLink" when
    /// the record cannot be read).
    static std::wstring ProgramProductName();

private:
    struct SHandle;

    bool Perform(const std::string& url, int mode, std::string* body,
                 const std::function<bool(const char*, std::size_t)>* sink);
    void Fail(NFtpFailure failure, const std::wstring& text);
    std::string FolderUrl() const;
    bool ListWith(const char* command, std::string& body);

    std::wstring m_strLastError;
    bool m_bShowMessages = true;
    std::shared_ptr<CUpdateUi> m_ui;
    std::unique_ptr<SHandle> m_handle; ///< the connection; null when not connected
    bool m_bSession = false;
    std::string m_server;
    std::string m_user;
    std::string m_password;
    std::string m_folder; ///< below the login folder, without "./", ending in '/'
    NFtpFailure m_nFailure = NFtpFailure::None;
    std::atomic<bool> m_bCancel{false};
    long m_nConnectSeconds = 15;
    long m_nStallSeconds = 30;
};

} // namespace Update

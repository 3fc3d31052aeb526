#include "update/FtpClient.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileVersionInfo.h"
#include "streams/TextCodec.h"
#include "update/FtpListing.h"
#include "update/TextFormat.h"

#include <curl/curl.h>

#include <cstdlib>

#ifndef TERRION_UPDATE_SERVER
#define TERRION_UPDATE_SERVER ""
#endif

namespace Update
{
namespace
{

enum NMode : int
{
    kModeFolder = 0, ///< log in and change into the folder, nothing more
    kModeList = 1,
    kModeRead = 2,
};

std::mutex g_serverLock;
std::string g_server = TERRION_UPDATE_SERVER;

bool InitCurl()
{
    static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ok;
}

/// Percent-escapes each segment of a path, keeping its slashes.
std::string EscapePath(CURL* curl, const std::string& path)
{
    std::string out;
    std::size_t start = 0;
    while (start <= path.size())
    {
        std::size_t slash = path.find('/', start);
        std::string segment =
            path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!segment.empty())
        {
            char* escaped = curl_easy_escape(curl, segment.c_str(), static_cast<int>(segment.size()));
            if (escaped != nullptr)
            {
                out += escaped;
                curl_free(escaped);
            }
        }
        if (slash == std::string::npos)
            break;
        out += '/';
        start = slash + 1;
    }
    return out;
}

} // namespace

struct CFtpClient::SHandle
{
    CURL* curl = nullptr;
    char error[CURL_ERROR_SIZE] = {};

    ~SHandle()
    {
        if (curl != nullptr)
            curl_easy_cleanup(curl);
    }
};

CFtpClient::CFtpClient() = default;

CFtpClient::~CFtpClient()
{
    Disconnect();
}

void CFtpClient::SetServer(const std::string& hostAndPort)
{
    std::lock_guard lock(g_serverLock);
    g_server = hostAndPort;
}

std::string CFtpClient::GetServer()
{
    if (const char* env = std::getenv("TERRIONLINK_UPDATE_SERVER"); env != nullptr)
        return env;
    std::lock_guard lock(g_serverLock);
    return g_server;
}

void CFtpClient::SetShowMessages(bool show)
{
    m_bShowMessages = show;
}

void CFtpClient::SetMessageSink(std::shared_ptr<CUpdateUi> ui)
{
    m_ui = std::move(ui);
}

void CFtpClient::GetLastErrorText(std::wstring& text) const
{
    text = m_strLastError;
}

std::wstring CFtpClient::GetLastErrorText() const
{
    return m_strLastError;
}

void CFtpClient::SetTimeouts(long connectSeconds, long stallSeconds)
{
    m_nConnectSeconds = connectSeconds;
    m_nStallSeconds = stallSeconds;
}

void CFtpClient::Fail(NFtpFailure failure, const std::wstring& text)
{
    m_nFailure = failure;
    m_strLastError = text;
    if (m_bShowMessages && m_ui && failure != NFtpFailure::Cancelled)
        m_ui->ShowMessage(text, failure == NFtpFailure::NoServer ? Resources::NMessageKind::Information
                                                                 : Resources::NMessageKind::Error);
}

std::string CFtpClient::FolderUrl() const
{
    return "ftp://" + m_server + "/" + EscapePath(m_handle->curl, m_folder);
}

bool CFtpClient::IsConnected()
{
    if (!m_handle)
        return false;
    bool shown = m_bShowMessages;
    m_bShowMessages = false;
    bool ok = Perform(FolderUrl(), kModeFolder, nullptr, nullptr);
    m_bShowMessages = shown;
    if (!ok)
        Disconnect();
    return ok;
}

void CFtpClient::Disconnect()
{
    m_handle.reset();
}

bool CFtpClient::ConnectUpgradeFolder(const std::wstring& name)
{
    std::wstring folder = L"./VnUpgrade/" + (name.empty() ? ProgramProductName() : name) + L"/";
    return Connect(kUser, kPassword, folder);
}

bool CFtpClient::Connect(const std::wstring& user, const std::wstring& password, const std::wstring& folder)
{
    if (m_handle)
        Disconnect();
    m_nFailure = NFtpFailure::None;
    // Without a server there is nothing to try, and no failure to connect to report.
    const std::string server = GetServer();
    if (server.empty())
    {
        Fail(NFtpFailure::NoServer, Resources::CStringTable::Text(Resources::Ids::kUpdateNoServer));
        return false;
    }
    if (!m_bSession)
    {
        m_bSession = InitCurl();
        if (!m_bSession)
        {
            Fail(NFtpFailure::Session, Resources::CStringTable::Text(Resources::Ids::kUpdateFtpNoSession));
            return false;
        }
    }
    m_strLastError.clear();

    auto handle = std::make_unique<SHandle>();
    handle->curl = curl_easy_init();
    if (handle->curl == nullptr)
    {
        Fail(NFtpFailure::Session, Resources::CStringTable::Text(Resources::Ids::kUpdateFtpNoSession));
        return false;
    }
    m_server = server;
    m_user = StreamIO::CTextCodec::ToUtf8(user);
    m_password = StreamIO::CTextCodec::ToUtf8(password);
    std::string path = StreamIO::CTextCodec::ToUtf8(folder);
    if (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    if (path.empty() || path.back() != '/')
        path += '/';
    m_folder = path;
    m_handle = std::move(handle);

    if (!Perform(FolderUrl(), kModeFolder, nullptr, nullptr))
    {
        if (m_nFailure == NFtpFailure::Folder)
            Fail(NFtpFailure::Folder, CTextFormat::Text(Resources::Ids::kUpdateFtpNoFolder, {folder}));
        Disconnect();
        return false;
    }
    return true;
}

bool CFtpClient::ListWith(const char* command, std::string& body)
{
    body.clear();
    curl_easy_setopt(m_handle->curl, CURLOPT_CUSTOMREQUEST, command);
    bool ok = Perform(FolderUrl(), kModeList, &body, nullptr);
    curl_easy_setopt(m_handle->curl, CURLOPT_CUSTOMREQUEST, nullptr);
    return ok;
}

bool CFtpClient::List(const std::wstring& pattern, std::vector<SFtpEntry>& entries)
{
    entries.clear();
    if (!m_handle)
    {
        Fail(NFtpFailure::Server, Resources::CStringTable::Text(Resources::Ids::kUpdateFtpNoConnection));
        return false;
    }
    std::string body;
    // Servers without MLSD get LIST; only a failure of that is shown.
    bool shown = m_bShowMessages;
    m_bShowMessages = false;
    bool machine = ListWith("MLSD", body);
    m_bShowMessages = shown;
    if (!machine)
    {
        if (m_nFailure == NFtpFailure::Cancelled || !m_handle)
            return false;
        if (!ListWith("LIST", body))
            return false;
    }

    entries = CFtpListing::Parse(body, machine, pattern);
    return true;
}

bool CFtpClient::Download(const std::wstring& name, const std::function<bool(const char*, std::size_t)>& sink)
{
    if (!m_handle)
    {
        Fail(NFtpFailure::Server, Resources::CStringTable::Text(Resources::Ids::kUpdateFtpNoConnection));
        return false;
    }
    if (!IsSafeFileName(name))
    {
        Fail(NFtpFailure::Transfer, Resources::CStringTable::Text(Resources::Ids::kUpdateDownloadError));
        return false;
    }
    std::string url = FolderUrl() + EscapePath(m_handle->curl, StreamIO::CTextCodec::ToUtf8(name));
    return Perform(url, kModeRead, nullptr, &sink);
}

bool CFtpClient::IsSafeFileName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name.find(L"..") != std::wstring::npos)
        return false;
    for (wchar_t c : name)
        if (c == L'/' || c == L'\\' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}

std::wstring CFtpClient::ProgramProductName()
{
    CFileVersionInfo info;
    if (info.Create(static_cast<void*>(nullptr)) && !info.GetProductName().empty())
        return info.GetProductName();
    return L"TerrionLink";
}

bool CFtpClient::Perform(const std::string& url, int mode, std::string* body,
                         const std::function<bool(const char*, std::size_t)>* sink)
{
    struct SContext
    {
        CFtpClient* self;
        std::string* body;
        const std::function<bool(const char*, std::size_t)>* sink;
    } context{this, body, sink};

    CURL* curl = m_handle->curl;
    m_handle->error[0] = '\0';
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_handle->error);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, m_nConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_FTP_RESPONSE_TIMEOUT, m_nStallSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_nStallSeconds);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl, CURLOPT_NOBODY, mode == kModeFolder ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(
        curl, CURLOPT_XFERINFOFUNCTION,
        +[](void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t) -> int
        { return static_cast<CFtpClient*>(data)->m_bCancel ? 1 : 0; });
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &context);
    curl_easy_setopt(
        curl, CURLOPT_WRITEFUNCTION,
        +[](char* data, std::size_t size, std::size_t count, void* user) -> std::size_t
        {
            auto* ctx = static_cast<SContext*>(user);
            std::size_t n = size * count;
            if (ctx->self->m_bCancel)
                return 0;
            if (ctx->body != nullptr)
            {
                if (ctx->body->size() + n > 16u * 1024u * 1024u) // a listing, not a flood
                    return 0;
                ctx->body->append(data, n);
            }
            else if (ctx->sink != nullptr && !(*ctx->sink)(data, n))
                return 0;
            return n;
        });

    CURLcode code = m_bCancel ? CURLE_ABORTED_BY_CALLBACK : curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    if (code == CURLE_OK)
    {
        m_nFailure = NFtpFailure::None;
        return true;
    }
    if (m_bCancel || code == CURLE_ABORTED_BY_CALLBACK)
    {
        m_nFailure = NFtpFailure::Cancelled;
        m_strLastError = Resources::CStringTable::Text(Resources::Ids::kUpdateDownloadError);
        return false;
    }

    std::wstring message = StreamIO::CTextCodec::FromUtf8(
        m_handle->error[0] != '\0' ? m_handle->error : curl_easy_strerror(code));
    std::wstring text =
        message + L" " +
        CTextFormat::Text(Resources::Ids::kUpdateFtpErrorCode, {std::to_wstring(static_cast<int>(code))});
    NFtpFailure failure = NFtpFailure::Transfer;
    if (mode == kModeFolder)
        failure = code == CURLE_REMOTE_ACCESS_DENIED ? NFtpFailure::Folder : NFtpFailure::Server;
    else if (code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST ||
             code == CURLE_LOGIN_DENIED)
        failure = NFtpFailure::Server;
    if (failure == NFtpFailure::Folder)
    {
        // the caller names the folder
        m_nFailure = failure;
        m_strLastError = text;
        return false;
    }
    Fail(failure, text);
    return false;
}

} // namespace Update

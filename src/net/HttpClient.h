#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// The HTTP proxy of the client; an empty server means none.
struct HttpProxySettings {
    QString server;
    int port = 0;
    QString user;
    QString password;
};

enum class SocksVersion { None, Socks4, Socks4A, Socks5 };
enum class SocksAuthentication { None, UserPassword };

// The SOCKS server of the client; version None means none.
struct SocksInfo {
    SocksVersion version = SocksVersion::None;
    QString host;
    int port = 0;
    SocksAuthentication authentication = SocksAuthentication::None;
    QString user;
    QString password;
};

// How the client reaches the service: directly, through an HTTP proxy or through a SOCKS server. A SOCKS
// version set wins over an HTTP proxy server.
struct ConnectionSettings {
    HttpProxySettings proxy;
    SocksInfo socks;
    bool operator==(const ConnectionSettings&) const;
};
bool operator==(const HttpProxySettings& a, const HttpProxySettings& b);
bool operator==(const SocksInfo& a, const SocksInfo& b);

// One GET. The limits are settable so that tests of network faults stay fast.
struct DownloadRequest {
    QString url;
    int connectTimeoutMs = 30'000; // connecting, proxy and SOCKS negotiation included
    int stallTimeoutMs = 60'000;   // no data at all for this long
    int totalTimeoutMs = 600'000;  // the whole transfer: a server that drips its answer never holds the command
    qint64 maxSize = 32 * 1024 * 1024;
    int maxRedirects = 5;
    // Read on the transfer's thread: once true, the transfer stops within the next progress call.
    const std::atomic<bool>* cancel = nullptr;
    // Bytes received so far and announced in all (0 while unknown), called on the transfer's thread.
    std::function<void(qint64 received, qint64 total)> progress;
};

struct DownloadResult {
    enum class Status { Success, ConnectionFailed, Timeout, Stalled, TooLarge, TooManyRedirects, HttpError, Cancelled };
    Status status = Status::ConnectionFailed;
    int httpStatus = 0;
    QByteArray data; // the body, only on success
    QString errorString;
    bool ok() const { return status == Status::Success; }
};

// The program's HTTP client: GET of a URL giving the body or a failure, with the client settings of the rate
// service (accept, user agent, cookies kept for the client's life, credentials only when asked).
// get() may run on a worker thread while the owner keeps the client; settings changes are guarded.
class HttpClient {
public:
    static const char* userAgent();
    static const char* acceptValue();

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    ConnectionSettings connectionSettings() const;
    void setConnectionSettings(const ConnectionSettings& settings);

    DownloadResult get(const DownloadRequest& request) const;

private:
    struct Shared;
    std::unique_ptr<Shared> m_shared; // cookies across requests
    mutable std::mutex m_mutex;
    ConnectionSettings m_settings;
};

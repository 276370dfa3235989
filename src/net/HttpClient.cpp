#include "HttpClient.h"

#include <curl/curl.h>

#include <array>
#include <chrono>
#include <cstring>

namespace {
using SteadyClock = std::chrono::steady_clock;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    QByteArray body;
    qint64 maxSize = 0;
    bool tooLarge = false;
    bool stalled = false;
    SteadyClock::time_point lastActivity;
    std::chrono::milliseconds stallLimit{0};
    const std::atomic<bool>* cancel = nullptr;
    bool cancelled = false;
    const std::function<void(qint64, qint64)>* progress = nullptr;
    curl_off_t reported = -1;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t length = size * count;
    t->lastActivity = SteadyClock::now();
    if (t->body.size() + qint64(length) > t->maxSize) {
        t->tooLarge = true;
        return 0; // makes libcurl stop with a write error
    }
    t->body.append(data, qsizetype(length));
    return length;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t length = size * count;
    t->lastActivity = SteadyClock::now();
    // A status line starts a new response (after a redirect or an authentication round): the body is the last
    // response's alone.
    if (length >= 5 && std::memcmp(data, "HTTP/", 5) == 0)
        t->body.clear();
    return length;
}

int onProgress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (t->cancel && t->cancel->load()) {
        t->cancelled = true;
        return 1;
    }
    if (t->progress && *t->progress && received != t->reported) {
        t->reported = received;
        (*t->progress)(qint64(received), qint64(total));
    }
    if (SteadyClock::now() - t->lastActivity > t->stallLimit) {
        t->stalled = true;
        return 1;
    }
    return 0;
}

QByteArray proxyUrl(const char* scheme, const QString& host) {
    QString h = host;
    if (h.contains(QLatin1Char(':')) && !h.startsWith(QLatin1Char('[')))
        h = QLatin1Char('[') + h + QLatin1Char(']'); // an IPv6 address
    return QByteArray(scheme) + QByteArray("://") + h.toUtf8();
}

// Keeps the byte arrays alive for as long as the easy handle uses them.
struct Options {
    CURL* handle;
    std::array<QByteArray, 8> keep;
    size_t used = 0;
    void text(CURLoption option, const QByteArray& value) {
        keep.at(used) = value;
        curl_easy_setopt(handle, option, keep.at(used).constData());
        ++used;
    }
};

void applyConnection(Options& o, const ConnectionSettings& c) {
    CURL* h = o.handle;
    if (c.socks.version != SocksVersion::None) {
        const char* scheme = "socks5h";
        long type = CURLPROXY_SOCKS5_HOSTNAME; // the name is resolved behind the server, as a proxy user expects
        if (c.socks.version == SocksVersion::Socks4)
            scheme = "socks4", type = CURLPROXY_SOCKS4;
        else if (c.socks.version == SocksVersion::Socks4A)
            scheme = "socks4a", type = CURLPROXY_SOCKS4A;
        o.text(CURLOPT_PROXY, proxyUrl(scheme, c.socks.host));
        curl_easy_setopt(h, CURLOPT_PROXYTYPE, type);
        curl_easy_setopt(h, CURLOPT_PROXYPORT, long(c.socks.port));
        if (c.socks.authentication == SocksAuthentication::UserPassword) {
            o.text(CURLOPT_PROXYUSERNAME, c.socks.user.toUtf8());
            o.text(CURLOPT_PROXYPASSWORD, c.socks.password.toUtf8());
            curl_easy_setopt(h, CURLOPT_SOCKS5_AUTH, long(CURLAUTH_BASIC));
        } else {
            curl_easy_setopt(h, CURLOPT_SOCKS5_AUTH, long(CURLAUTH_NONE));
        }
    } else if (!c.proxy.server.isEmpty()) {
        o.text(CURLOPT_PROXY, proxyUrl("http", c.proxy.server));
        curl_easy_setopt(h, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
        curl_easy_setopt(h, CURLOPT_PROXYPORT, long(c.proxy.port));
        if (!c.proxy.user.isEmpty() || !c.proxy.password.isEmpty()) {
            o.text(CURLOPT_PROXYUSERNAME, c.proxy.user.toUtf8());
            o.text(CURLOPT_PROXYPASSWORD, c.proxy.password.toUtf8());
            // More than one method: the first request goes without credentials and they follow only when
            // the proxy asks.
            curl_easy_setopt(h, CURLOPT_PROXYAUTH, long(CURLAUTH_ANY));
        }
    } else {
        // Direct, whatever proxy the environment names.
        o.text(CURLOPT_PROXY, QByteArray(""));
    }
}
} // namespace

bool operator==(const HttpProxySettings& a, const HttpProxySettings& b) {
    return a.server == b.server && a.port == b.port && a.user == b.user && a.password == b.password;
}

bool operator==(const SocksInfo& a, const SocksInfo& b) {
    return a.version == b.version && a.host == b.host && a.port == b.port && a.authentication == b.authentication &&
           a.user == b.user && a.password == b.password;
}

bool ConnectionSettings::operator==(const ConnectionSettings& o) const {
    return proxy == o.proxy && socks == o.socks;
}

struct HttpClient::Shared {
    CURLSH* share = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* user) {
        static_cast<Shared*>(user)->locks.at(size_t(data)).lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* user) {
        static_cast<Shared*>(user)->locks.at(size_t(data)).unlock();
    }
};

const char* HttpClient::userAgent() {
    return "Mozilla/3.0 (compatible; Indy Library)";
}

const char* HttpClient::acceptValue() {
    return "text/html, */*";
}

HttpClient::HttpClient() : m_shared(std::make_unique<Shared>()) {
    initialiseCurlOnce();
    m_shared->share = curl_share_init();
    curl_share_setopt(m_shared->share, CURLSHOPT_LOCKFUNC, &Shared::lock);
    curl_share_setopt(m_shared->share, CURLSHOPT_UNLOCKFUNC, &Shared::unlock);
    curl_share_setopt(m_shared->share, CURLSHOPT_USERDATA, m_shared.get());
    curl_share_setopt(m_shared->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
}

HttpClient::~HttpClient() {
    curl_share_cleanup(m_shared->share);
}

ConnectionSettings HttpClient::connectionSettings() const {
    std::lock_guard guard(m_mutex);
    return m_settings;
}

void HttpClient::setConnectionSettings(const ConnectionSettings& settings) {
    std::lock_guard guard(m_mutex);
    m_settings = settings;
}

DownloadResult HttpClient::get(const DownloadRequest& request) const {
    const ConnectionSettings connection = connectionSettings();
    DownloadResult result;
    CURL* h = curl_easy_init();
    if (!h) {
        result.errorString = QStringLiteral("libcurl could not start a transfer");
        return result;
    }
    Transfer t;
    t.maxSize = request.maxSize;
    t.stallLimit = std::chrono::milliseconds(request.stallTimeoutMs);
    t.lastActivity = SteadyClock::now();
    t.cancel = request.cancel;
    t.progress = &request.progress;

    char errorBuffer[CURL_ERROR_SIZE] = {};
    Options o{h, {}};
    o.text(CURLOPT_URL, request.url.toUtf8());
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, long(request.maxRedirects));
    curl_easy_setopt(h, CURLOPT_USERAGENT, userAgent());
    const QByteArray accept = QByteArray("Accept: ") + acceptValue();
    curl_slist* headers = curl_slist_append(nullptr, accept.constData());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(h, CURLOPT_SHARE, m_shared->share);
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, ""); // cookie engine on, in memory
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, long(request.connectTimeoutMs));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, long(request.totalTimeoutMs));
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.maxSize));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
#ifdef Q_OS_WIN
    curl_easy_setopt(h, CURLOPT_SSL_OPTIONS, long(CURLSSLOPT_NATIVE_CA));
#endif
    applyConnection(o, connection);

    const CURLcode code = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    result.httpStatus = int(status);
    result.errorString = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
    curl_slist_free_all(headers);
    curl_easy_cleanup(h);

    using S = DownloadResult::Status;
    if (code == CURLE_OK) {
        if (status >= 200 && status < 300) {
            result.status = S::Success;
            result.data = std::move(t.body);
            result.errorString.clear();
        } else {
            result.status = S::HttpError;
            result.errorString = QStringLiteral("HTTP status %1").arg(status);
        }
    } else if (t.cancelled) {
        result.status = S::Cancelled;
    } else if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.status = S::TooLarge;
    } else if (t.stalled) {
        result.status = S::Stalled;
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        result.status = S::Timeout;
    } else if (code == CURLE_TOO_MANY_REDIRECTS) {
        result.status = S::TooManyRedirects;
    } else {
        result.status = S::ConnectionFailed;
    }
    return result;
}

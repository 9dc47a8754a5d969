#include "app/HttpGet.h"

#include <curl/curl.h>

#include <mutex>

namespace glypharo {

namespace {

constexpr const char* kUserAgent = "Mozilla/3.0 (compatible)";
constexpr const char* kAccept = "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct UrlParts {
    QString scheme;
    QString host;
    bool valid = false;
};

// Parsed by curl itself, so the check below sees the very host curl will
// connect to.
UrlParts parseUrl(const QString& address)
{
    UrlParts parts;
    CURLU* url = curl_url();
    if (!url)
        return parts;
    const QByteArray utf8 = address.toUtf8();
    if (curl_url_set(url, CURLUPART_URL, utf8.constData(), 0) == CURLUE_OK) {
        char* scheme = nullptr;
        char* host = nullptr;
        if (curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK
            && curl_url_get(url, CURLUPART_HOST, &host, 0) == CURLUE_OK) {
            parts.scheme = QString::fromUtf8(scheme).toLower();
            parts.host = QString::fromUtf8(host).toLower();
            parts.valid = true;
        }
        curl_free(scheme);
        curl_free(host);
    }
    curl_url_cleanup(url);
    return parts;
}

QString failureText(CURLcode code, const char* errorText, long status)
{
    // A refused body (CURLE_WRITE_ERROR) means the status was not 200.
    if (code == CURLE_OK || (code == CURLE_WRITE_ERROR && status != 200))
        return QStringLiteral("HTTP status %1").arg(status);
    if (errorText[0] != '\0')
        return QString::fromUtf8(errorText);
    return QString::fromUtf8(curl_easy_strerror(code));
}

} // namespace

struct HttpGet::Transfer {
    HttpRequest request;
    BodySink sink;
    std::atomic<bool> aborted{false};
    HttpGet* owner = nullptr;
    CURL* curl = nullptr;
    bool bodyStarted = false;
    bool sinkFailed = false;
    qint64 received = 0;

    template <typename F> void post(F&& f)
    {
        QMetaObject::invokeMethod(owner, std::forward<F>(f), Qt::QueuedConnection);
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto* t = static_cast<Transfer*>(self);
        const std::size_t n = size * count;
        if (t->aborted)
            return 0;
        QByteArray line(data, static_cast<qsizetype>(n));
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty()) {
            HttpGet* owner = t->owner;
            t->post([owner, line] { Q_EMIT owner->headerData(line); });
            return n;
        }
        // The blank line ends one response's headers. Only a 200 carries the
        // installer; a redirect's headers are followed by the next response's.
        long status = 0;
        curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
        if (status == 200 && !t->bodyStarted) {
            t->bodyStarted = true;
            HttpGet* owner = t->owner;
            t->post([owner] { Q_EMIT owner->docBegin(); });
        }
        return n;
    }

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto* t = static_cast<Transfer*>(self);
        const std::size_t n = size * count;
        // The body of anything but a 200 (an error page, a redirect that is
        // not followed) is never stored.
        if (t->aborted || !t->bodyStarted)
            return 0;
        if (!t->sink(data, n)) {
            t->sinkFailed = true;
            return 0;
        }
        t->received += static_cast<qint64>(n);
        HttpGet* owner = t->owner;
        const qint64 received = t->received;
        t->post([owner, received] { Q_EMIT owner->docData(received); });
        return n;
    }

    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<Transfer*>(self)->aborted ? 1 : 0;
    }
};

HttpGet::HttpGet(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<glypharo::HttpResult>();
}

HttpGet::~HttpGet()
{
    abort();
    if (worker_.joinable())
        worker_.join();
}

QString HttpGet::refusal(const HttpRequest& request)
{
    const UrlParts parts = parseUrl(request.address);
    if (!parts.valid)
        return QStringLiteral("Not a download address: ") + request.address;
    if (parts.scheme == QLatin1String("https"))
        return {};
    if (request.insecureLoopback && parts.scheme == QLatin1String("http")
        && parts.host == QLatin1String("127.0.0.1"))
        return {};
    return QStringLiteral("Refusing to download over an insecure connection: ") + request.address;
}

bool HttpGet::start(const HttpRequest& request, BodySink sink)
{
    if (running_)
        return false;
    running_ = true;
    auto transfer = std::make_shared<Transfer>();
    transfer->request = request;
    transfer->sink = std::move(sink);
    transfer->owner = this;
    transfer_ = transfer;
    const QString refused = refusal(request);
    if (!refused.isEmpty()) {
        // Reported like any other failure, through the queue, so callers see
        // one shape of ending.
        HttpResult result;
        result.error = refused;
        QMetaObject::invokeMethod(
            this, [this, result] { finish(result); }, Qt::QueuedConnection);
        return true;
    }
    initCurlOnce();
    worker_ = std::thread([this, transfer] { run(transfer); });
    return true;
}

void HttpGet::abort()
{
    if (transfer_)
        transfer_->aborted = true;
}

void HttpGet::run(std::shared_ptr<Transfer> t)
{
    HttpResult result;
    CURL* curl = curl_easy_init();
    if (!curl) {
        result.error = QStringLiteral("The HTTP client could not be started.");
        QMetaObject::invokeMethod(
            this, [this, result] { finish(result); }, Qt::QueuedConnection);
        return;
    }
    t->curl = curl;
    const bool plain = t->request.insecureLoopback;
    const QByteArray url = t->request.address.toUtf8();
    curl_slist* headers = curl_slist_append(nullptr, kAccept);
    char errorText[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROXY, ""); // no proxy, not even from the environment
    // No CURLOPT_INTERFACE: any local address.
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, plain ? "http,https" : "https");
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    // Redirects are followed only to https, and not at all on the test loopback.
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, plain ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    // A stalled server must not hold the window for ever.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, t.get());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, t.get());
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, t.get());

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    result.bytes = t->received;
    if (t->aborted) {
        result.outcome = HttpOutcome::Aborted;
        result.error = QStringLiteral("Download aborted");
    } else if (t->sinkFailed) {
        result.outcome = HttpOutcome::SinkFailed;
        result.error = QStringLiteral("The download could not be saved.");
    } else if (code == CURLE_OK && result.status == 200 && t->bodyStarted) {
        result.outcome = HttpOutcome::Complete;
    } else {
        result.outcome = HttpOutcome::HttpError;
        result.error = failureText(code, errorText, result.status);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    QMetaObject::invokeMethod(
        this, [this, result] { finish(result); }, Qt::QueuedConnection);
}

void HttpGet::finish(const HttpResult& result)
{
    if (worker_.joinable())
        worker_.join();
    transfer_.reset();
    running_ = false;
    Q_EMIT requestDone(result);
}

} // namespace glypharo

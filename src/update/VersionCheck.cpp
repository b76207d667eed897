#include "update/VersionCheck.h"

#include "update/VersionBody.h"

#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <curl/curl.h>
#include <mutex>

// What the worker and the object share. The worker keeps it alive past the object when it has to be left behind.
struct VersionCheck::Fetch {
    std::mutex mutex;
    std::condition_variable ended;
    bool receiverAlive = true; // under mutex: the worker may post its outcome to the object
    bool done = false;         // under mutex: the worker has nothing left to do
    std::atomic<bool> abort{false};
};

struct VersionCheck::Outcome {
    std::optional<QString> text; // nothing: the fetch failed
};

namespace {

// libcurl's global set-up is not thread-safe; it runs once, on the thread that makes the first checker.
bool curlReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

size_t receive(char* data, size_t size, size_t count, void* userData) {
    auto* body = static_cast<QByteArray*>(userData);
    const size_t length = size * count;
    const auto keep = static_cast<size_t>(update::bytesToKeep(body->size(), static_cast<qsizetype>(length)));
    body->append(data, static_cast<qsizetype>(keep));
    return keep; // less than offered ends the transfer: the rest cannot change the answer
}

int progress(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<std::atomic<bool>*>(userData)->load() ? 1 : 0;
}

} // namespace

VersionCheck::VersionCheck(QObject* parent) : QObject(parent), m_host(QStringLiteral(SLANTVIS_UPDATE_HOST)) {
    curlReady();
}

VersionCheck::~VersionCheck() {
    if (!m_fetch)
        return;
    bool done = false;
    {
        std::unique_lock lock(m_fetch->mutex);
        m_fetch->receiverAlive = false;
        m_fetch->abort = true;
        // The abort is seen within about a second; a resolver that will not return is left behind rather than
        // holding up the exit.
        done = m_fetch->ended.wait_for(lock, std::chrono::seconds(3), [this] { return m_fetch->done; });
    }
    if (done)
        m_worker.join();
    else
        m_worker.detach();
}

void VersionCheck::setServer(const QString& host, quint16 port) {
    m_host = host;
    m_port = port;
}

QString VersionCheck::url() const {
    return QStringLiteral("http://%1:%2%3").arg(m_host).arg(m_port).arg(QLatin1String(versionPath));
}

QUrl VersionCheck::updatePage() {
    return QUrl::fromUserInput(QStringLiteral(SLANTVIS_UPDATE_PAGE));
}

void VersionCheck::setTimeLimits(std::chrono::milliseconds connect, std::chrono::milliseconds total) {
    m_connectLimit = connect;
    m_totalLimit = total;
}

bool VersionCheck::start() {
    if (m_fetch)
        return false;
    m_fetch = std::make_shared<Fetch>();
    m_worker = std::thread(&VersionCheck::run, m_fetch, url().toStdString(), m_connectLimit, m_totalLimit, this);
    return true;
}

void VersionCheck::run(std::shared_ptr<Fetch> fetch, std::string url, std::chrono::milliseconds connectLimit,
                       std::chrono::milliseconds totalLimit, VersionCheck* receiver) {
    Outcome outcome;
    if (curlReady()) {
        if (CURL* curl = curl_easy_init()) {
            curl_slist* headers = nullptr;
            // The Accept line and the no-cache lines keep every proxy and cache on the way from answering.
            for (const char* line : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"})
                if (curl_slist* more = curl_slist_append(headers, line))
                    headers = more;
            QByteArray body;
            curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
            curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
            curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
            curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
            curl_easy_setopt(curl, CURLOPT_USERAGENT, agent);
            curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
            curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
            curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
            curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectLimit.count()));
            curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(totalLimit.count()));
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receive);
            curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
            curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
            curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
            curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &fetch->abort);
            const CURLcode result = curl_easy_perform(curl);
            curl_easy_cleanup(curl);
            curl_slist_free_all(headers);
            if (!fetch->abort)
                outcome.text = update::bodyText(body, result == CURLE_OK);
        }
    }
    std::lock_guard lock(fetch->mutex);
    if (fetch->receiverAlive)
        QMetaObject::invokeMethod(
            receiver, [receiver, outcome] { receiver->finish(outcome); }, Qt::QueuedConnection);
    fetch->done = true;
    fetch->ended.notify_all();
}

void VersionCheck::finish(const Outcome& outcome) {
    if (m_worker.joinable())
        m_worker.join(); // it has posted this call as its last act
    m_fetch.reset();
    if (outcome.text)
        emit doneString(*outcome.text);
    else
        emit failed();
}

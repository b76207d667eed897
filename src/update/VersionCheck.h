#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <memory>
#include <thread>

// Fetches the version file from the maker's web server, one fetch at a time, on a worker thread of its own.
// The outcome arrives on the thread this object lives in: doneString with the body text when the server sent at
// least one byte (whatever the HTTP status), otherwise failed. The worker never touches this object after it
// has been destroyed: destruction aborts a running fetch.
class VersionCheck final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VersionCheck)
public:
    static constexpr const char* versionPath = "/software/SVversion.txt";
    static constexpr const char* agent = "UtilMind HTTPGet";

    explicit VersionCheck(QObject* parent = nullptr);
    ~VersionCheck() override;

    // The server asked, port 80 of the maker's host unless changed.
    void setServer(const QString& host, quint16 port);
    QString url() const;
    // The web page to open when a newer version exists.
    static QUrl updatePage();

    // Limits for making the connection and for the whole fetch; past either the fetch fails.
    void setTimeLimits(std::chrono::milliseconds connect, std::chrono::milliseconds total);

    // Starts a fetch and returns at once; false (and nothing happens) while one is still running.
    bool start();
    bool isRunning() const { return m_fetch != nullptr; }

signals:
    void doneString(const QString& text);
    void failed();

private:
    struct Fetch;
    struct Outcome;
    static void run(std::shared_ptr<Fetch> fetch, std::string url, std::chrono::milliseconds connectLimit,
                    std::chrono::milliseconds totalLimit, VersionCheck* receiver);
    void finish(const Outcome& outcome);

    QString m_host;
    quint16 m_port = 80;
    std::chrono::milliseconds m_connectLimit{10000};
    std::chrono::milliseconds m_totalLimit{30000};
    std::shared_ptr<Fetch> m_fetch; // present while a fetch runs
    std::thread m_worker;
};

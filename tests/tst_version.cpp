// "Ny version ?" against a server the test runs on 127.0.0.1.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "update/VersionCheck.h"

#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QString latest = QStringLiteral("Ni har den senaste versionen av Slantvis.");
const QString newer = QStringLiteral("Finns ny version av Slantvis.\rÖppnar sidan där uppdateringen kan hämtas.");
const QString failure = QStringLiteral("Ett fel inträffade, försök igen senare.");

// Answers every request with the same bytes and closes the connection, or stays silent. Records each request.
class LocalServer final : public QObject {
public:
    enum class Mode { Reply, Silent };

    explicit LocalServer(Mode mode, QByteArray reply = {}) : m_mode(mode), m_reply(std::move(reply)) {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                sockets.append(socket);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            }
        });
    }

    quint16 port() const { return m_server.serverPort(); }

    QList<QByteArray> requests;
    QList<QPointer<QTcpSocket>> sockets;

private:
    void readFrom(QTcpSocket* socket) {
        QByteArray& pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        requests.append(pending);
        pending.clear();
        if (m_mode == Mode::Silent)
            return;
        socket->write(m_reply);
        socket->disconnectFromHost();
    }

    Mode m_mode;
    QByteArray m_reply;
    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

// A free port: listened on once, then let go.
quint16 closedPort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return 0;
    return server.serverPort();
}

} // namespace

class VersionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fetchedText_decidesMessageAndPage_data();
    void fetchedText_decidesMessageAndPage();
    void refusedConnection_showsErrorAndOpensNothing();
    void silentServer_showsErrorAfterTimeLimit();
    void request_isHttp10GetWithAcceptAndAgent();
    void twoQuickPresses_fetchOnceAndShowOneMessage();
    void quittingDuringFetch_abortsWithoutHangingOrMessage();
};

void VersionTest::initTestCase() {
    // Requests to 127.0.0.1 must not take a detour through a proxy of the machine running the tests.
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
}

void VersionTest::fetchedText_decidesMessageAndPage_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pagesOpened");
    const QByteArray ok = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
    const QByteArray notFound = "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n";
    const QString information = QStringLiteral("information");
    const QString error = QStringLiteral("error");
    QTest::newRow("203") << ok + "Content-Length: 3\r\n\r\n203" << information << latest << 0;
    QTest::newRow("203 ended by the close") << ok + "\r\n203" << information << latest << 0;
    QTest::newRow("203 on a not-found page") << notFound + "\r\n203" << information << latest << 0;
    QTest::newRow("203 and a line break") << ok + "\r\n203\r\n" << information << newer << 1;
    QTest::newRow("203 after a byte-order mark") << ok + "\r\n\xEF\xBB\xBF"
                                                         "203"
                                                 << information << newer << 1;
    QTest::newRow("older 202") << ok + "\r\n202" << information << newer << 1;
    QTest::newRow("203 after a space") << ok + "\r\n 203" << information << newer << 1;
    QTest::newRow("not-found page") << notFound + "\r\n<html><body><h1>404 Not Found</h1></body></html>" << information
                                    << newer << 1;
    QTest::newRow("body far beyond the limit")
        << ok + "\r\n203" + QByteArray(1 << 20, '\n') << information << newer << 1;
    QTest::newRow("empty body") << ok + "Content-Length: 0\r\n\r\n" << error << failure << 0;
    QTest::newRow("empty not-found page") << notFound + "\r\n" << error << failure << 0;
    QTest::newRow("body cut short of its length") << ok + "Content-Length: 40\r\n\r\n20" << error << failure << 0;
    QTest::newRow("closed without a reply") << QByteArray() << error << failure << 0;
}

void VersionTest::fetchedText_decidesMessageAndPage() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, pagesOpened);
    LocalServer server(LocalServer::Mode::Reply, reply);
    TestProgram t;
    t.start();
    t.form1().HTTPGetstring->setServer(QStringLiteral("127.0.0.1"), server.port());

    t.form1().AdvGlowButton14->click();
    QTRY_COMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, kind);
    QCOMPARE(t.dialogs.messages[0].text, text);
    QCOMPARE(int(t.urlOpener.opened.size()), pagesOpened);
    if (pagesOpened)
        QCOMPARE(t.urlOpener.opened[0], VersionCheck::updatePage());
    QVERIFY(!t.form1().HTTPGetstring->isRunning());
}

void VersionTest::refusedConnection_showsErrorAndOpensNothing() {
    TestProgram t;
    t.start();
    const quint16 port = closedPort();
    QVERIFY(port != 0);
    t.form1().HTTPGetstring->setServer(QStringLiteral("127.0.0.1"), port);

    t.form1().AdvGlowButton14Click();
    QTRY_COMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("error"));
    QCOMPARE(t.dialogs.last(), failure);
    QVERIFY(t.urlOpener.opened.empty());
}

void VersionTest::silentServer_showsErrorAfterTimeLimit() {
    LocalServer server(LocalServer::Mode::Silent);
    TestProgram t;
    t.start();
    VersionCheck& check = *t.form1().HTTPGetstring;
    check.setServer(QStringLiteral("127.0.0.1"), server.port());
    check.setTimeLimits(std::chrono::milliseconds(200), std::chrono::milliseconds(400));

    t.form1().AdvGlowButton14Click();
    QTRY_COMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.last(), failure);
    QCOMPARE(server.requests.size(), 1);
    QVERIFY(t.urlOpener.opened.empty());
}

void VersionTest::request_isHttp10GetWithAcceptAndAgent() {
    LocalServer server(LocalServer::Mode::Reply, "HTTP/1.0 200 OK\r\n\r\n203");
    TestProgram t;
    t.start();
    t.form1().HTTPGetstring->setServer(QStringLiteral("127.0.0.1"), server.port());

    t.form1().AdvGlowButton14Click();
    QTRY_COMPARE(server.requests.size(), 1);
    const QList<QByteArray> lines = server.requests[0].split('\n');
    QCOMPARE(lines[0], QByteArray("GET /software/SVversion.txt HTTP/1.0\r"));
    QVERIFY(lines.contains("Accept: */*\r"));
    QVERIFY(lines.contains("User-Agent: UtilMind HTTPGet\r"));
    QVERIFY(lines.contains("Pragma: no-cache\r"));
    QTRY_COMPARE(t.dialogs.messages.size(), size_t(1));
}

void VersionTest::twoQuickPresses_fetchOnceAndShowOneMessage() {
    LocalServer server(LocalServer::Mode::Reply, "HTTP/1.0 200 OK\r\n\r\n202");
    TestProgram t;
    t.start();
    t.form1().HTTPGetstring->setServer(QStringLiteral("127.0.0.1"), server.port());

    t.form1().AdvGlowButton14->click();
    t.form1().AdvGlowButton14->click();
    QTRY_COMPARE(t.dialogs.messages.size(), size_t(1));
    // Idle again with one request served: no second answer can follow.
    QVERIFY(!t.form1().HTTPGetstring->isRunning());
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(t.urlOpener.opened.size(), size_t(1));

    // Nothing is kept: the next press asks the server again.
    t.form1().AdvGlowButton14->click();
    QTRY_COMPARE(t.dialogs.messages.size(), size_t(2));
    QCOMPARE(server.requests.size(), 2);
}

void VersionTest::quittingDuringFetch_abortsWithoutHangingOrMessage() {
    LocalServer server(LocalServer::Mode::Silent);
    auto t = std::make_unique<TestProgram>();
    t->start();
    t->form1().HTTPGetstring->setServer(QStringLiteral("127.0.0.1"), server.port());
    t->form1().AdvGlowButton14Click();
    QTRY_COMPARE(server.requests.size(), 1);
    QVERIFY(t->dialogs.messages.empty());

    t.reset();
    // The worker gave up its connection instead of being left waiting on the server.
    QTRY_VERIFY(server.sockets[0] && server.sockets[0]->state() == QAbstractSocket::UnconnectedState);
}

QTEST_MAIN(VersionTest)
#include "tst_version.moc"

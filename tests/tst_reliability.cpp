// One program per database, daily backups, private files.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "store/Backup.h"
#include "store/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class ReliabilityTest : public QObject {
    Q_OBJECT
private slots:
    void secondStart_onSameDatabase_saysSoAndTouchesNothing();
    void lockOfKilledProcess_doesNotBlockNextStart();
    void startup_backsUpOncePerDayAndKeepsTen();
    void failedBackup_isReportedAndProgramRuns();
    void databaseFiles_areReadableByOwnerOnly();
};

namespace {

void addAccount(TestProgram& t) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 10000, 'D')"));
}

} // namespace

void ReliabilityTest::secondStart_onSameDatabase_saysSoAndTouchesNothing() {
    TestProgram first;
    addAccount(first);
    first.start();
    QVERIFY(first.program().started);
    const QByteArray before = [&] {
        QFile file(first.dbDir() + QStringLiteral("/slantvis.db"));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();

    RecordingDialogs dialogs;
    FakeClock clock;
    ProgramOptions options;
    options.databaseDirectory = first.dbDir();
    options.splashMilliseconds = 1;
    options.dialogs = &dialogs;
    options.clock = &clock;
    Program second(options);
    second.createWindows();
    second.form1->show();
    QVERIFY(!second.started);
    QVERIFY(!second.form1->isVisible());
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QVERIFY2(dialogs.last().contains(QStringLiteral("redan igång")), qPrintable(dialogs.last()));
    QFile file(first.dbDir() + QStringLiteral("/slantvis.db"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void ReliabilityTest::lockOfKilledProcess_doesNotBlockNextStart() {
    QTemporaryDir dir;
    int ready[2];
    QVERIFY(pipe(ready) == 0);
    const pid_t child = fork();
    if (child == 0) {
        store::InstanceLock lock;
        lock.acquire(dir.path());
        const char ok = 'x';
        [[maybe_unused]] auto written = write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    QCOMPARE(read(ready[0], &byte, 1), ssize_t(1));
    store::InstanceLock blocked;
    QVERIFY_THROWS_EXCEPTION(store::Error, blocked.acquire(dir.path()));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    store::InstanceLock next;
    next.acquire(dir.path());
    QVERIFY(next.isHeld());
    close(ready[0]);
    close(ready[1]);
}

void ReliabilityTest::startup_backsUpOncePerDayAndKeepsTen() {
    TestProgram t;
    addAccount(t);
    const QString backups = t.dbDir() + QStringLiteral("/Backup");
    QDir().mkpath(backups);
    for (int day = 1; day <= 12; ++day) {
        QFile old(backups + QStringLiteral("/slantvis-2026-02-%1.db").arg(day, 2, 10, QLatin1Char('0')));
        QVERIFY(old.open(QIODevice::WriteOnly));
    }
    t.start();
    const QString today = backups + QStringLiteral("/slantvis-2026-03-10.db");
    QVERIFY(QFileInfo::exists(today));
    const QStringList kept = QDir(backups).entryList({QStringLiteral("slantvis-*.db")}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 10);
    QCOMPARE(kept.last(), QStringLiteral("slantvis-2026-03-10.db"));
    QCOMPARE(kept.first(), QStringLiteral("slantvis-2026-02-04.db"));
    QCOMPARE(QFileInfo(today).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    // The copy is a whole database holding the account.
    QCOMPARE(store::backupOncePerDay(t.program().database, QDate(2026, 3, 10)), QString());
}

void ReliabilityTest::failedBackup_isReportedAndProgramRuns() {
    TestProgram t;
    addAccount(t);
    QFile blocker(t.dbDir() + QStringLiteral("/Backup"));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    t.start();
    QVERIFY(t.program().started);
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QVERIFY(t.form1().isVisible());
}

void ReliabilityTest::databaseFiles_areReadableByOwnerOnly() {
    TestProgram t;
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(t.dbDir()).permissions() & others, QFile::Permissions());
    QCOMPARE(QFileInfo(t.dbDir() + QStringLiteral("/slantvis.db")).permissions() & others, QFile::Permissions());
    QCOMPARE(QFileInfo(t.dbDir() + QStringLiteral("/data.ini")).permissions() & others, QFile::Permissions());
}

QTEST_MAIN(ReliabilityTest)
#include "tst_reliability.moc"

// Damaged databases and settings files at start-up, unreadable money boxes and hostile names.
#include "TestProgram.h"
#include "accounts/TForm6.h"
#include "accounts/TForm7.h"
#include "app/TForm1.h"
#include "store/Error.h"
#include "store/Settings.h"
#include "widgets/MoneyEdit.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSpinBox>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QString kLockFile = QStringLiteral(".slantvis.lock");

QString dbFile(TestProgram& t) {
    return t.dbDir() + QStringLiteral("/slantvis.db");
}

// Every file under the database directory (the lock file aside) with its bytes.
QMap<QString, QByteArray> snapshot(const QString& directory) {
    QMap<QString, QByteArray> files;
    QDirIterator it(directory, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() == kLockFile)
            continue;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(QDir(directory).relativeFilePath(path), file.readAll());
    }
    return files;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// The database made read-only for this process: immutable where the file system allows it, else by its mode
// (which binds every user but root). False when neither works here.
bool makeReadOnly(const QString& path, bool* immutable) {
    *immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
    if (!*immutable)
        QFile::setPermissions(path, QFile::ReadOwner);
    QFile probe(path);
    return !probe.open(QIODevice::ReadWrite);
}

// The number of rows the program's own connection has written since it opened.
int rowsWritten(TestProgram& t) {
    return sqlite3_total_changes(t.program().database.handle());
}

void pick(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// Types `text` into the money box of `window` and presses its button: "income" and "expense" on the main window
// with the first account and category, "create" saves an account "Ny", "transfer" moves from the first account
// to the second.
void pressWithAmount(TestProgram& t, const QString& window, const QString& text) {
    TForm1& f = t.form1();
    if (window == QLatin1String("income")) {
        pick(f.ComboBox13, 0);
        pick(f.ComboBox10, 0);
        f.InAdvMoneyEdit1->setText(text);
        f.AdvGlowButton4->click();
    } else if (window == QLatin1String("expense")) {
        pick(f.ComboBox14, 0);
        pick(f.ComboBox8, 0);
        f.UtAdvMoneyEdit1->setText(text);
        f.AdvGlowButton8->click();
    } else if (window == QLatin1String("create")) {
        TForm6* form = t.program().form6;
        whenModalShows([=](QWidget*) {
            form->Edit2->setText(QStringLiteral("Ny"));
            form->ComboBox3->setEditText(QStringLiteral("Sparkonto"));
            form->DBAdvMoneyEdit1->setText(text);
            form->AdvGlowButton5->click();
            if (form->isVisible())
                form->AdvGlowButton1->click();
        });
        f.AdvGlowButton1Click();
    } else {
        TForm7* form = t.program().form7;
        whenModalShows([=](QWidget*) {
            pick(form->ComboBox6, 0);
            pick(form->ComboBox12, 1);
            form->DBAdvMoneyEdit1->setText(text);
            form->AdvGlowButton7->click();
            if (form->isVisible())
                form->AdvGlowButton1->click();
        });
        f.AdvGlowButton7Click();
    }
}

// The amount the press stored: the new row's sum, the new account's balance, or what the second account received.
QVariant storedAmount(TestProgram& t, const QString& window) {
    if (window == QLatin1String("income"))
        return t.scalar(QStringLiteral("SELECT InSumma FROM Inkomst"));
    if (window == QLatin1String("expense"))
        return t.scalar(QStringLiteral("SELECT UtSumma FROM Utgift"));
    if (window == QLatin1String("create"))
        return t.scalar(QStringLiteral("SELECT Ksumma FROM Konto2 WHERE Knamn = 'Ny'"));
    return t.scalar(QStringLiteral("SELECT Ksumma FROM Konto2 WHERE Konto = 2"));
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSwedishLocale(); }
    void damagedDatabase_stopsStartWithOneMessageAndTouchesNoFile_data();
    void damagedDatabase_stopsStartWithOneMessageAndTouchesNoFile();
    void unreadableSettings_startWithBreakDay25AndKeepEveryByte_data();
    void unreadableSettings_startWithBreakDay25AndKeepEveryByte();
    void oversizedSettings_refusesWriteAndKeepsFile();
    void moneyBox_readsExactlyOrRefusesWithoutWriting_data();
    void moneyBox_readsExactlyOrRefusesWithoutWriting();
    void hostileText_isStoredAndReadBackExactly_data();
    void hostileText_isStoredAndReadBackExactly();
};

void BadInputTest::damagedDatabase_stopsStartWithOneMessageAndTouchesNoFile_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");   // what the message says is wrong
    QTest::addColumn<bool>("copiedToday"); // a later start of the day reads less of the file for damage
    QTest::newRow("Db missing") << QStringLiteral("no directory") << QStringLiteral("finns inte") << false;
    QTest::newRow("database file missing") << QStringLiteral("no file") << QStringLiteral("saknas") << false;
    QTest::newRow("Konto2 dropped") << QStringLiteral("drop Konto2") << QStringLiteral("Tabellen Konto2 finns inte")
                                    << false;
    QTest::newRow("Period dropped") << QStringLiteral("drop Period") << QStringLiteral("Tabellen Period finns inte")
                                    << false;
    QTest::newRow("random bytes over all") << QStringLiteral("random all") << QStringLiteral("skadad") << false;
    QTest::newRow("random bytes over one page") << QStringLiteral("random page") << QStringLiteral("skadad") << false;
    QTest::newRow("truncated to half") << QStringLiteral("half") << QStringLiteral("skadad") << false;
    QTest::newRow("truncated to 0 bytes") << QStringLiteral("empty") << QStringLiteral("tom") << false;
    QTest::newRow("read-only") << QStringLiteral("read-only") << QStringLiteral("skrivskyddad") << false;
    QTest::newRow("random bytes over all, copied today")
        << QStringLiteral("random all") << QStringLiteral("skadad") << true;
    QTest::newRow("truncated to half, copied today") << QStringLiteral("half") << QStringLiteral("skadad") << true;
    QTest::newRow("Konto2 page damaged, copied today")
        << QStringLiteral("Konto2 page") << QStringLiteral("skadad") << true;
}

void BadInputTest::damagedDatabase_stopsStartWithOneMessageAndTouchesNoFile() {
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    QFETCH(bool, copiedToday);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 5000000, 'D')"));
    const QString path = dbFile(t);
    const QByteArray healthy = readAll(path);
    const qint64 kontoPage =
        t.scalar(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = 'Konto2'")).toLongLong();
    if (copiedToday) {
        QVERIFY(QDir(t.dbDir()).mkdir(QStringLiteral("Backup")));
        writeAll(QStringLiteral("%1/Backup/slantvis-%2.db").arg(t.dbDir(), t.clock.now().date().toString(Qt::ISODate)),
                 healthy);
    }
    QVERIFY(healthy.size() >= 4 * 4096);
    bool immutable = false;
    const auto undo = qScopeGuard([&] {
        if (immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    });
    if (damage == QLatin1String("no directory")) {
        QVERIFY(QDir(t.dbDir()).removeRecursively());
    } else if (damage == QLatin1String("no file")) {
        QVERIFY(QFile::remove(path));
    } else if (damage.startsWith(QLatin1String("drop "))) {
        t.sql(QStringLiteral("DROP TABLE %1").arg(damage.mid(5)));
    } else if (damage == QLatin1String("random all")) {
        writeAll(path, randomBytes(healthy.size(), 1));
    } else if (damage == QLatin1String("random page")) {
        writeAll(path, QByteArray(healthy).replace(2 * 4096, 4096, randomBytes(4096, 2)));
    } else if (damage == QLatin1String("Konto2 page")) {
        writeAll(path, QByteArray(healthy).replace((kontoPage - 1) * 4096, 4096, randomBytes(4096, 3)));
    } else if (damage == QLatin1String("half")) {
        writeAll(path, healthy.left(healthy.size() / 2));
    } else if (damage == QLatin1String("empty")) {
        writeAll(path, {});
    } else if (damage == QLatin1String("read-only") && !makeReadOnly(path, &immutable)) {
        QSKIP("No way to make a file read-only for this user here.");
    }
    const QMap<QString, QByteArray> before = snapshot(t.dbDir());

    t.start();

    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("error"));
    QVERIFY2(t.dialogs.last().contains(QDir::toNativeSeparators(t.dbDir())), qPrintable(t.dialogs.last()));
    QVERIFY2(t.dialogs.last().contains(reason), qPrintable(t.dialogs.last()));
    QVERIFY(!t.program().started);
    QVERIFY(!t.form1().isVisible());
    QVERIFY(!t.program().database.isOpen());
    QCOMPARE(snapshot(t.dbDir()), before);
    QCOMPARE(QDir(t.dbDir()).exists(), damage != QLatin1String("no directory"));
}

void BadInputTest::unreadableSettings_startWithBreakDay25AndKeepEveryByte_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("breakDay");
    QTest::addColumn<QByteArray>("written"); // the file after start-up wrote the control's value back
    const QByteArray appended = "\n\n[Slantvis]\nStartdag=25\n";
    const QByteArray binary("\x00\xff\xfe=\x01\r\n\x80[\x90\x00Startdag=3", 22);
    const QByteArray junk = QByteArray("[Slantvis]\nStartdag=7\n") + QByteArray(200 * 1024, 'x');
    QTest::newRow("junk text") << QByteArray("ingen ordning här\n") << 25
                               << QByteArray("ingen ordning här\n") + appended.mid(1);
    QTest::newRow("binary bytes") << binary << 25 << binary + appended;
    QTest::newRow("empty file") << QByteArray() << 25 << appended.mid(2);
    QTest::newRow("huge number") << QByteArray("[Slantvis]\nStartdag=99999999999\n") << 25
                                 << QByteArray("[Slantvis]\nStartdag=25\n");
    QTest::newRow("not a number") << QByteArray("[Slantvis]\nStartdag=tjugo\n") << 25
                                  << QByteArray("[Slantvis]\nStartdag=25\n");
    QTest::newRow("no section") << QByteArray("Startdag=10\n") << 25 << QByteArray("Startdag=10") + appended;
    QTest::newRow("section without key") << QByteArray("[Slantvis]\nAnnat=3\n") << 25
                                         << QByteArray("[Slantvis]\nAnnat=3\nStartdag=25\n");
    QTest::newRow("long file, key first") << junk << 7 << junk + '\n';
}

void BadInputTest::unreadableSettings_startWithBreakDay25AndKeepEveryByte() {
    QFETCH(QByteArray, text);
    QFETCH(int, breakDay);
    QFETCH(QByteArray, written);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
    const QString ini = t.dbDir() + QStringLiteral("/data.ini");
    writeAll(ini, text);

    t.start();

    QVERIFY(t.program().started);
    QVERIFY(t.dialogs.messages.empty());
    QCOMPARE(t.program().breakDay, breakDay);
    QCOMPARE(t.form1().DBAdvSpinEdit1->value(), breakDay);
    QCOMPARE(readAll(ini), written);
}

void BadInputTest::oversizedSettings_refusesWriteAndKeepsFile() {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("data.ini"));
    const QByteArray text = QByteArray("[Slantvis]\nStartdag=7\n") + QByteArray(2 * 1024 * 1024, 'x');
    writeAll(ini, text);
    const store::Settings settings(ini);
    QCOMPARE(settings.readBreakDay(), 7);
    QVERIFY_THROWS_EXCEPTION(store::Error, settings.writeBreakDay(9));
    QCOMPARE(readAll(ini), text);
}

void BadInputTest::moneyBox_readsExactlyOrRefusesWithoutWriting_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("stored"); // -1: refused
    QTest::addColumn<QString>("message");  // part of the one message shown, empty for none
    const QString tooLarge = QStringLiteral("för stor");
    for (const QString& window :
         {QStringLiteral("income"), QStringLiteral("expense"), QStringLiteral("create"), QStringLiteral("transfer")}) {
        const QByteArray w = window.toUtf8();
        const QString noAmount = window == QLatin1String("income")    ? QStringLiteral("Inget summa angiven")
                                 : window == QLatin1String("expense") ? QStringLiteral("Ingen summa")
                                 : window == QLatin1String("create")  ? QStringLiteral("inte ett belopp")
                                                                      : QStringLiteral("Ingen summa vald");
        QTest::addRow("%s: letters", w.constData()) << window << QStringLiteral("abc") << -1LL << noAmount;
        QTest::addRow("%s: digits then letters", w.constData())
            << window << QStringLiteral("12abc") << -1LL << noAmount;
        QTest::addRow("%s: two separators", w.constData()) << window << QStringLiteral("1,2,3") << -1LL << noAmount;
        QTest::addRow("%s: above the box maximum", w.constData())
            << window << QStringLiteral("99999999999") << -1LL << tooLarge;
        QTest::addRow("%s: beyond any amount", w.constData())
            << window << QStringLiteral("99999999999999999999999999,99") << -1LL << tooLarge;
        QTest::addRow("%s: many decimals", w.constData())
            << window << QStringLiteral("1,123456789") << 11235LL << QString();
        QTest::addRow("%s: many decimals, a half", w.constData())
            << window << QStringLiteral("2,00005000000") << 20000LL << QString();
    }
}

void BadInputTest::moneyBox_readsExactlyOrRefusesWithoutWriting() {
    QFETCH(QString, window);
    QFETCH(QString, text);
    QFETCH(qlonglong, stored);
    QFETCH(QString, message);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES"
                         " (1, 'Lön', 'Lönekonto', 10000000, 'D'), (2, 'Spar', 'Sparkonto', 0, 'D')"));
    t.start();
    const int writtenBefore = rowsWritten(t);

    pressWithAmount(t, window, text);

    if (stored < 0) {
        QCOMPARE(rowsWritten(t), writtenBefore);
    } else {
        QCOMPARE(storedAmount(t, window).toLongLong(), stored);
    }
    const QStringList shown = t.dialogs.texts();
    if (message.isEmpty()) {
        QVERIFY2(shown.isEmpty() ||
                     (window == QLatin1String("transfer") && shown == QStringList{QStringLiteral("Överföring utförd")}),
                 qPrintable(shown.join(u'|')));
    } else {
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(message), qPrintable(shown[0]));
    }
}

void BadInputTest::hostileText_isStoredAndReadBackExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("quotes") << QStringLiteral("O'Brien \"Sparkonto\" `x`");
    QTest::newRow("semicolons") << QStringLiteral("a;b;;c;");
    QTest::newRow("drop table") << QStringLiteral("'; DROP TABLE Konto2; --");
    QTest::newRow("statement in parentheses") << QStringLiteral("x'); DELETE FROM Kontoplan; SELECT ('");
    QTest::newRow("percent and backslash") << QStringLiteral("100 % \\n %1 %s");
    QTest::newRow("100 000 characters") << QStringLiteral("åäö'; ").repeated(100'000 / 6);
}

void BadInputTest::hostileText_isStoredAndReadBackExactly() {
    QFETCH(QString, text);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
    t.start();
    Program& p = t.program();
    const qlonglong chartRows = t.scalar(QStringLiteral("SELECT COUNT(*) FROM Kontoplan")).toLongLong();

    TForm6* form = p.form6;
    whenModalShows([=](QWidget*) {
        form->Edit2->setMaxLength(200'000);
        form->Edit1->setMaxLength(200'000);
        form->Edit2->setText(text);
        form->Edit1->setText(text);
        form->ComboBox3->lineEdit()->setMaxLength(200'000);
        form->ComboBox3->setEditText(text);
        form->AdvGlowButton5->click();
        if (form->isVisible())
            form->AdvGlowButton1->click();
    });
    t.form1().AdvGlowButton1Click();

    p.kontoplan.append();
    p.kontoplan.setText(u"KPnummer", QStringLiteral("3999"));
    p.kontoplan.setText(u"KPnamn", text);
    p.kontoplan.setText(u"KPtyp", QStringLiteral("In"));
    p.kontoplan.post();
    p.period.append();
    p.period.setText(u"PeriodNamn", text);
    p.period.setText(u"PeriodKP", QStringLiteral("2100"));
    p.period.post();
    t.form1().FyllKontoplan();

    QVERIFY2(t.dialogs.messages.empty(), qPrintable(t.dialogs.texts().join(u'|')));
    QCOMPARE(t.form1().ComboBox13->itemText(1), text);
    QVERIFY(t.form1().ComboBox10->findText(text, Qt::MatchExactly) >= 0);
    for (const char* query : {"SELECT Knamn FROM Konto2 WHERE Konto = 2", "SELECT Knummer FROM Konto2 WHERE Konto = 2",
                              "SELECT Ktyp FROM Konto2 WHERE Konto = 2",
                              "SELECT KPnamn FROM Kontoplan WHERE KPnummer = '3999'", "SELECT PeriodNamn FROM Period"})
        QCOMPARE(t.scalar(QString::fromLatin1(query)).toString(), text);
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN"
                                     " ('Konto2', 'Inkomst', 'Utgift', 'Kontoplan', 'Period')"))
                 .toLongLong(),
             5LL);
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM Kontoplan")).toLongLong(), chartRows + 1);
}

QTEST_MAIN(BadInputTest)
#include "tst_badinput.moc"

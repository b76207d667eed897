// The break day in data.ini and the budget month it gives a date.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "store/BudgetMonth.h"
#include "store/Settings.h"
#include "widgets/NavBar.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>
#include <sys/stat.h>

namespace {

QString iniPath(const TestProgram& t) {
    return t.dbDir() + QStringLiteral("/data.ini");
}

void writeIni(const TestProgram& t, const QByteArray& text) {
    QFile file(iniPath(t));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

ino_t inodeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray readIni(const TestProgram& t) {
    QFile file(iniPath(t));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addAccount(TestProgram& t) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void budgetMonth_followsBreakDay_data();
    void budgetMonth_followsBreakDay();
    void datePickers_shareOneBudgetMonth();
    void startup_readsBreakDayAndWritesControlValueBack_data();
    void startup_readsBreakDayAndWritesControlValueBack();
    void missingFile_breakDayZeroUntilFirstChangeCreatesIt();
    void controlChange_writesFileButKeepsThisRunsBreakDay();
    void clearedControl_writesOne();
    void unwritableFile_showsMessageAndKeepsRunning();
};

void SettingsTest::budgetMonth_followsBreakDay_data() {
    QTest::addColumn<int>("breakDay");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::newRow("25: 24 March") << 25 << QDate(2016, 3, 24) << 2016 << 3;
    QTest::newRow("25: 25 March") << 25 << QDate(2016, 3, 25) << 2016 << 4;
    QTest::newRow("25: 24 December") << 25 << QDate(2016, 12, 24) << 2016 << 12;
    QTest::newRow("25: 25 December") << 25 << QDate(2016, 12, 25) << 2017 << 1;
    QTest::newRow("25: 31 December") << 25 << QDate(2016, 12, 31) << 2017 << 1;
    QTest::newRow("31: 30 April") << 31 << QDate(2016, 4, 30) << 2016 << 4;
    QTest::newRow("31: 31 May") << 31 << QDate(2016, 5, 31) << 2016 << 6;
    QTest::newRow("1: 1 March") << 1 << QDate(2016, 3, 1) << 2016 << 4;
    QTest::newRow("0: 15 March") << 0 << QDate(2016, 3, 15) << 2016 << 4;
    QTest::newRow("40: 31 December") << 40 << QDate(2016, 12, 31) << 2016 << 12;
}

void SettingsTest::budgetMonth_followsBreakDay() {
    QFETCH(int, breakDay);
    QFETCH(QDate, date);
    QFETCH(int, year);
    QFETCH(int, month);
    QCOMPARE(store::budgetMonthOf(date, breakDay), (store::BudgetMonth{year, month}));
}

void SettingsTest::datePickers_shareOneBudgetMonth() {
    TestProgram t;
    addAccount(t);
    t.start();
    TForm1& f = t.form1();
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2026, 3})); // 10 March, break day 25
    f.InDatePicker1->setDate(QDate(2016, 3, 25));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2016, 4}));
    // The expense tab, its picker untouched, books to the month the income picker chose.
    f.AdvNavBar1->setProperty("ActiveTabIndex", 2);
    QCOMPARE(f.UtDatePicker1->date(), QDate(2026, 3, 10));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2016, 4}));
    f.UtDatePicker1->setDate(QDate(2016, 12, 31));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2017, 1}));
    f.InDatePicker1->setDate(QDate(2016, 3, 24));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2016, 3}));
}

void SettingsTest::startup_readsBreakDayAndWritesControlValueBack_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("breakDay");
    QTest::addColumn<int>("control");
    QTest::newRow("value") << QByteArray("[Slantvis]\nStartdag=20\n") << 20 << 20;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Slantvis]\nStartdag=20\n") << 20 << 20;
    QTest::newRow("windows line ends") << QByteArray("[Slantvis]\r\nStartdag=20\r\n") << 20 << 20;
    QTest::newRow("missing key") << QByteArray("[Slantvis]\n") << 25 << 25;
    QTest::newRow("other section only") << QByteArray("[Annat]\nStartdag=3\n") << 25 << 25;
    QTest::newRow("not an integer") << QByteArray("[Slantvis]\nStartdag=tjugo\n") << 25 << 25;
    QTest::newRow("decimal") << QByteArray("[Slantvis]\nStartdag=12.5\n") << 25 << 25;
    QTest::newRow("above 31") << QByteArray("[Slantvis]\nStartdag=40\n") << 40 << 31;
    QTest::newRow("below 1") << QByteArray("[Slantvis]\nStartdag=-3\n") << -3 << 1;
}

void SettingsTest::startup_readsBreakDayAndWritesControlValueBack() {
    QFETCH(QByteArray, ini);
    QFETCH(int, breakDay);
    QFETCH(int, control);
    TestProgram t;
    addAccount(t);
    writeIni(t, ini);
    const ino_t inode = inodeOf(iniPath(t));
    t.start();
    QCOMPARE(t.program().breakDay, breakDay);
    QCOMPARE(t.form1().DBAdvSpinEdit1->value(), control);
    const QByteArray written = readIni(t);
    // A file that already holds what would be written is left alone, not replaced by an equal copy.
    if (written == ini)
        QCOMPARE(inodeOf(iniPath(t)), inode);
    if (control == 1) // the control starts at 1, so showing 1 is no change and nothing is written back
        QCOMPARE(written, ini);
    else // one section holding the one key
        QCOMPARE(store::iniInteger(written, "Slantvis", "Startdag"), std::optional<int>(control));
    QCOMPARE(written.count("[Slantvis]"), 1);
    QVERIFY(t.dialogs.messages.empty());
}

void SettingsTest::missingFile_breakDayZeroUntilFirstChangeCreatesIt() {
    TestProgram t;
    addAccount(t);
    QVERIFY(QFile::remove(iniPath(t)));
    t.start();
    QCOMPARE(t.program().breakDay, 0);
    QCOMPARE(t.form1().DBAdvSpinEdit1->value(), 1);
    QVERIFY(!QFile::exists(iniPath(t)));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2026, 4})); // every date is on or after day 0
    t.form1().DBAdvSpinEdit1->setValue(7);
    QCOMPARE(readIni(t), QByteArray("[Slantvis]\nStartdag=7\n"));
    QCOMPARE(t.program().breakDay, 0);
    QVERIFY(t.dialogs.messages.empty());
}

void SettingsTest::controlChange_writesFileButKeepsThisRunsBreakDay() {
    TestProgram t;
    addAccount(t);
    writeIni(t, "; hushållet\n[Slantvis]\nStartdag=25\n\n[Annat]\nx=1\n");
    t.start();
    t.form1().DBAdvSpinEdit1->setValue(10);
    QCOMPARE(readIni(t), QByteArray("; hushållet\n[Slantvis]\nStartdag=10\n\n[Annat]\nx=1\n"));
    QCOMPARE(t.program().breakDay, 25);
    t.form1().InDatePicker1->setDate(QDate(2016, 3, 12));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2016, 3}));
}

void SettingsTest::clearedControl_writesOne() {
    TestProgram t;
    addAccount(t);
    t.start();
    QCOMPARE(t.form1().DBAdvSpinEdit1->value(), 25);
    auto* editor = t.form1().DBAdvSpinEdit1->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->clear();
    QCOMPARE(store::iniInteger(readIni(t), "Slantvis", "Startdag"), std::optional<int>(1));
    // Leaving the control settles its text; the file then holds what it shows.
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(t.form1().DBAdvSpinEdit1, &focusOut);
    QVERIFY(!t.form1().DBAdvSpinEdit1->text().isEmpty());
    QCOMPARE(store::iniInteger(readIni(t), "Slantvis", "Startdag"),
             std::optional<int>(t.form1().DBAdvSpinEdit1->value()));
}

void SettingsTest::unwritableFile_showsMessageAndKeepsRunning() {
    TestProgram t;
    addAccount(t);
    t.start();
    // A directory in the file's place cannot be written, not even by root.
    QVERIFY(QFile::remove(iniPath(t)));
    QVERIFY(QDir(t.dbDir()).mkdir(QStringLiteral("data.ini")));
    t.form1().DBAdvSpinEdit1->setValue(12);
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("error"));
    QCOMPARE(t.dialogs.last(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(iniPath(t)));
    QCOMPARE(t.program().breakDay, 25);
    QVERIFY(t.form1().isVisible());
    t.form1().InDatePicker1->setDate(QDate(2016, 3, 25));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2016, 4}));
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"

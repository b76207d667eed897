// Printed grids: page furniture and page breaks (through PDF files), the missing printer, and the three
// printouts as they reach a real CUPS queue.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "budget/Printing.h"
#include "budget/TDetail.h"
#include "store/Amount.h"
#include "widgets/StringGrid.h"

#include <QDateEdit>
#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime kPrintedAt(QDate(2026, 3, 10), QTime(12, 0));

// The text of a PDF (or of one page of it) as pdftotext lays it out, no-break spaces made plain.
QString pdfText(const QString& path, int page = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << path << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).replace(QChar(0x00A0), QLatin1Char(' '));
}

QStringList nonEmptyLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.simplified();
    }
    return lines;
}

printing::PrintedGrid textGrid(int dataRows) {
    printing::PrintedGrid grid;
    grid.columnWidths = {120, 200};
    grid.rows.push_back({{QStringLiteral("Rad"), Qt::AlignLeft, {}}, {QStringLiteral("Text"), Qt::AlignLeft, {}}});
    for (int row = 1; row <= dataRows; ++row)
        grid.rows.push_back(
            {{QString::number(row), Qt::AlignRight, {}}, {QStringLiteral("rad%1").arg(row), Qt::AlignLeft, {}}});
    return grid;
}

QString plain(const QString& text) {
    return QString(text).replace(QChar(0x00A0), QLatin1Char(' '));
}

QString money(const char* amount) {
    return plain(store::money2(store::parseAmount(QString::fromLatin1(amount), QLocale()).amount));
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pageFurniture_perGrid_data();
    void pageFurniture_perGrid();
    void longGrid_breaksIntoNumberedPagesWithHeaderOnEach();
    void noDefaultPrinter_saysSoAndPrintsNothing();
    void printouts_reachTheDefaultPrinterWithTheirFurniture_data();
    void printouts_reachTheDefaultPrinterWithTheirFurniture();
};

void PrintingTest::initTestCase() {
    useSwedishLocale();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void PrintingTest::pageFurniture_perGrid_data() {
    QTest::addColumn<printing::Furniture>("furniture");
    QTest::addColumn<QStringList>("top"); // the first lines
    QTest::addColumn<QString>("bottom");  // the last line
    QTest::newRow("year report") << printing::reportFurniture()
                                 << QStringList{QStringLiteral("Rapport"), QStringLiteral("2026/03/10"),
                                                QStringLiteral("Rad Text")}
                                 << QStringLiteral("12:00");
    QTest::newRow("account list") << printing::accountListFurniture()
                                  << QStringList{QStringLiteral("Konto 2026/03/10 12:00"), QStringLiteral("Rad Text")}
                                  << QStringLiteral("3 rad3");
    QTest::newRow("month detail, one page")
        << printing::detailFurniture() << QStringList{QStringLiteral("2026 / 03"), QStringLiteral("Rad Text")}
        << QStringLiteral("1");
}

void PrintingTest::pageFurniture_perGrid() {
    QFETCH(printing::Furniture, furniture);
    QFETCH(QStringList, top);
    QFETCH(QString, bottom);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    QCOMPARE(printing::printToPdf(path, textGrid(3), furniture, kPrintedAt), 1);
    const QStringList lines = nonEmptyLines(pdfText(path));
    QCOMPARE(lines.mid(0, top.size()), top);
    QCOMPARE(lines.last(), bottom);
}

void PrintingTest::longGrid_breaksIntoNumberedPagesWithHeaderOnEach() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("detail.pdf"));
    const int rows = 150;
    const int pages = printing::printToPdf(path, textGrid(rows), printing::detailFurniture(), kPrintedAt);
    QVERIFY(pages > 1);
    QString all;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = nonEmptyLines(pdfText(path, page));
        QCOMPARE(lines.value(0), QStringLiteral("2026 / 03"));
        QCOMPARE(lines.value(1), QStringLiteral("Rad Text"));
        QCOMPARE(lines.last(), QStringLiteral("%1/%2").arg(page).arg(pages));
        all += lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    for (int row = 1; row <= rows; ++row)
        QCOMPARE(all.count(QStringLiteral(" rad%1\n").arg(row)), 1);
}

void PrintingTest::noDefaultPrinter_saysSoAndPrintsNothing() {
    TestProgram t;
    QVERIFY(!printing::printOn(t.program(), QPrinterInfo(), QStringLiteral("Rapport"), textGrid(1),
                               printing::reportFurniture()));
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QVERIFY(t.dialogs.last().contains(QStringLiteral("standardskrivare")));
}

void PrintingTest::printouts_reachTheDefaultPrinterWithTheirFurniture_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("expected"); // lines (simplified) that must appear, in this order
    QTest::newRow("year report") << QStringLiteral("Rapportgrid")
                                 << QStringList{
                                        QStringLiteral("Rapport"),
                                        QStringLiteral("2026/03/10"),
                                        QStringLiteral("Inkomster Utgifter Resultat"),
                                        QStringLiteral("Mars %1 %2 %3").arg(money("100"), money("22"), money("78")),
                                        QStringLiteral("December 0,00 kr 0,00 kr 0,00 kr"),
                                        QStringLiteral("12:00")};
    QTest::newRow("account list") << QStringLiteral("KontoGrid")
                                  << QStringList{QStringLiteral("Konto 2026/03/10 12:00"),
                                                 QStringLiteral("Id Nummer Typ Namn Summa"),
                                                 QStringLiteral("1 Lönekonto Lön 1234,50")};
    QTest::newRow("month detail") << QStringLiteral("DetailGrid")
                                  << QStringList{QStringLiteral("2026 / 03"),
                                                 QStringLiteral("Datum Konto Summa Kontoplan KontoNamn"),
                                                 QStringLiteral("2026-3-05 1 %1 4100 Livsmedel").arg(money("10,50")),
                                                 QStringLiteral("2026-3-05 1 %1 4100 Livsmedel").arg(money("11,50")),
                                                 QStringLiteral("Totalt : %1").arg(money("22")),
                                                 QStringLiteral("1")};
}

void PrintingTest::printouts_reachTheDefaultPrinterWithTheirFurniture() {
    QFETCH(QString, grid);
    QFETCH(QStringList, expected);
    const QString capture = qEnvironmentVariable("SLANTVIS_PRINT_CAPTURE");
    if (capture.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("SLANTVIS_PRINT_CAPTURE is not set: the test command starts the CUPS test printer");
        QSKIP("no CUPS test printer (scripts/cups-test-printer.sh)");
    }
    QVERIFY(!QPrinterInfo::defaultPrinter().isNull());

    TestProgram t;
    t.sql(
        QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 12345000, 'D')"));
    t.sql(QStringLiteral("INSERT INTO Inkomst (InDatum, InKonto, InYear, InMonth, InSumma, InTyp) "
                         "VALUES ('2026-3-05', '1', 2026, 3, 1000000, '1100')"));
    for (const char* amount : {"105000", "115000"})
        t.sql(QStringLiteral("INSERT INTO Utgift (UtDatum, UtKonto, UtYear, UtMonth, UtSumma, UtPKonto) "
                             "VALUES ('2026-3-05', '1', 2026, 3, %1, '4100')")
                  .arg(QLatin1String(amount)));
    t.start();
    TForm1& f = t.form1();
    f.fyllRapport();

    const QDir captured(capture);
    const QStringList before = captured.entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    if (grid == QLatin1String("Rapportgrid")) {
        f.SkrivUt1Click();
    } else if (grid == QLatin1String("KontoGrid")) {
        f.SkrivUtKontolista1Click();
    } else {
        TDetail& d = *t.program().detail;
        t.program().reportCell = ReportCell{3, 2};
        d.DateTimePicker1->setDate(QDate(2026, 1, 1));
        d.FormShow();
        d.AdvGlowButton11Click();
    }
    QVERIFY2(t.dialogs.messages.empty(), qPrintable(t.dialogs.last()));
    QStringList jobs;
    QTRY_VERIFY_WITH_TIMEOUT(
        (jobs = captured.entryList({QStringLiteral("job-*.pdf")}, QDir::Files), jobs.size() > before.size()), 30000);
    for (const QString& old : before)
        jobs.removeAll(old);
    QCOMPARE(jobs.size(), 1);

    const QStringList lines = nonEmptyLines(pdfText(captured.filePath(jobs.first())));
    qsizetype from = 0;
    for (const QString& line : expected) {
        const qsizetype at = lines.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" not found in order in:\n%2").arg(line, lines.join(u'\n'))));
        from = at + 1;
    }
}

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"

// The table store: cursor rules, typed access, money text, durability and all-or-nothing writes.
#include "TestProgram.h"
#include "store/Amount.h"
#include "store/Database.h"
#include "store/DbSetup.h"
#include "store/Table.h"
#include "widgets/DataGrid.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

// An empty database of the program's five tables, opened through the store.
struct Store {
    Store() {
        useSwedishLocale();
        store::createEmptyDatabase(dir(), QStringLiteral(SLANTVIS_DATA_DIR));
        db.open(dir());
        konto.open();
        kontoplan.open();
        inkomst.open();
    }
    QString dir() const { return m_temp.path() + QStringLiteral("/Db"); }
    void sql(const QString& statement) {
        store::Statement s(db, statement);
        while (s.step()) {
        }
        konto.refresh();
        kontoplan.refresh();
    }
    std::int64_t count(const QString& table) {
        store::Statement s(db, QStringLiteral("SELECT COUNT(*) FROM ") + table);
        s.step();
        return s.intValue(0);
    }
    // Names visited by a full pass as the program makes one: first, then next once per row.
    QStringList pass(store::Table& table, QStringView field) {
        QStringList seen;
        table.first();
        for (std::int64_t i = 0; i < table.recordCount(); ++i) {
            seen << table.asText(field);
            table.next();
        }
        return seen;
    }

    QTemporaryDir m_temp;
    store::Database db;
    store::Table konto{db, QStringLiteral("Konto2"), QStringLiteral("Konto")};
    store::Table kontoplan{db, QStringLiteral("Kontoplan"), QString(), QStringLiteral("KPnummer")};
    store::Table inkomst{db, QStringLiteral("Inkomst"), QStringLiteral("Id")};
};

void addAccount(store::Table& konto, const QString& name) {
    konto.append();
    konto.setText(u"Knamn", name);
    konto.post();
}

// Child mode: posts one account into the database directory given and ends without any clean-up.
int postAndExit(const QString& dir) {
    store::Database db;
    db.open(dir);
    store::Table konto(db, QStringLiteral("Konto2"), QStringLiteral("Konto"));
    konto.open();
    konto.append();
    konto.setText(u"Knamn", QStringLiteral("Sparkonto"));
    konto.setAmount(u"Ksumma", 1234500);
    konto.post();
    std::_Exit(0);
}

} // namespace

class StoreTest : public QObject {
    Q_OBJECT
private slots:
    void wholeUnitRead_roundsHalfToEven_data();
    void wholeUnitRead_roundsHalfToEven();
    void moneyText_readsLocaleDecimalsExactly_data();
    void moneyText_readsLocaleDecimalsExactly();
    void locate_matchesWholeKeyOnly();
    void locate_matchesTextExactlyWithCase();
    void append_givesEmptyRowAndNewKey();
    void next_staysOnLastRow();
    void delete_leavesNeighbourCurrent_data();
    void delete_leavesNeighbourCurrent();
    void deleteOnEmptyTable_throwsAndChangesNothing();
    void pass_visitsEveryRowOnce_data();
    void pass_visitsEveryRowOnce();
    void keys_areNeverReusedAfterDelete();
    void fieldNames_ignoreCase_data();
    void fieldNames_ignoreCase();
    void setTextBadValue_throwsNamingValueAndFieldAndCancels_data();
    void setTextBadValue_throwsNamingValueAndFieldAndCancels();
    void post_survivesProcessRestart();
    void keptRowCount_followsEveryWriteAndIsRebuiltWhenLost();
    void positions_followKeysAroundDeletedRows();
    void failingSecondPost_leavesNothingOfFirst();
    void grid_showsTableAfterEachWrite_data();
    void grid_showsTableAfterEachWrite();
};

void StoreTest::wholeUnitRead_roundsHalfToEven_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("2.5") << QVariant(qlonglong(25000)) << qint64(2);
    QTest::newRow("3.5") << QVariant(qlonglong(35000)) << qint64(4);
    QTest::newRow("-2.5") << QVariant(qlonglong(-25000)) << qint64(-2);
    QTest::newRow("-3.5") << QVariant(qlonglong(-35000)) << qint64(-4);
    QTest::newRow("2.5001") << QVariant(qlonglong(25001)) << qint64(3);
    QTest::newRow("2.4999") << QVariant(qlonglong(24999)) << qint64(2);
    QTest::newRow("empty") << QVariant() << qint64(0);
}

void StoreTest::wholeUnitRead_roundsHalfToEven() {
    QFETCH(QVariant, stored);
    QFETCH(qint64, whole);
    Store s;
    s.konto.append();
    if (stored.isValid())
        s.konto.setAmount(u"Ksumma", stored.toLongLong());
    s.konto.post();
    QCOMPARE(s.konto.asInteger(u"Ksumma"), whole);
    QCOMPARE(s.konto.asAmount(u"Ksumma"), stored.toLongLong());
    // Aggregates in SQL round each amount the same way.
    store::Statement sum(s.db, QStringLiteral("SELECT SUM(round_half_even(Ksumma, 10000)) FROM Konto2"));
    QVERIFY(sum.step());
    QCOMPARE(sum.intValue(0), whole);
}

void StoreTest::moneyText_readsLocaleDecimalsExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("units");
    const auto ok = int(store::ParseStatus::Ok);
    const auto invalid = int(store::ParseStatus::Invalid);
    const auto tooLarge = int(store::ParseStatus::TooLarge);
    QTest::newRow("decimal comma") << QStringLiteral("1234,56") << ok << qint64(12345600);
    QTest::newRow("space groups") << QStringLiteral("1 234,56") << ok << qint64(12345600);
    QTest::newRow("no-break space groups") << QStringLiteral("1\u00A0234\u00A0567,5") << ok << qint64(12345675000);
    QTest::newRow("minus") << QStringLiteral("-2,5") << ok << qint64(-25000);
    QTest::newRow("unicode minus") << QStringLiteral("\u22122,5") << ok << qint64(-25000);
    QTest::newRow("fifth decimal half, even stays") << QStringLiteral("0,00005") << ok << qint64(0);
    QTest::newRow("fifth decimal half, odd goes up") << QStringLiteral("0,00015") << ok << qint64(2);
    QTest::newRow("above half") << QStringLiteral("0,000051") << ok << qint64(1);
    QTest::newRow("negative half") << QStringLiteral("-0,00015") << ok << qint64(-2);
    QTest::newRow("largest") << QStringLiteral("922337203685477,5807") << ok
                             << qint64(std::numeric_limits<qint64>::max());
    QTest::newRow("smallest") << QStringLiteral("-922337203685477,5808") << ok
                              << qint64(std::numeric_limits<qint64>::min());
    QTest::newRow("one unit too large") << QStringLiteral("922337203685477,5808") << tooLarge << qint64(0);
    QTest::newRow("far too large") << QStringLiteral("99999999999999999999999") << tooLarge << qint64(0);
    QTest::newRow("empty") << QString() << int(store::ParseStatus::Empty) << qint64(0);
    QTest::newRow("blanks") << QStringLiteral("  ") << int(store::ParseStatus::Empty) << qint64(0);
    QTest::newRow("letters") << QStringLiteral("12abc") << invalid << qint64(0);
    QTest::newRow("point is not the decimal") << QStringLiteral("1.5") << invalid << qint64(0);
    QTest::newRow("two commas") << QStringLiteral("1,2,3") << invalid << qint64(0);
    QTest::newRow("comma alone") << QStringLiteral(",") << invalid << qint64(0);
    QTest::newRow("arabic-indic digits") << QStringLiteral("\u0661\u0662") << invalid << qint64(0);
}

void StoreTest::moneyText_readsLocaleDecimalsExactly() {
    QFETCH(QString, text);
    QFETCH(int, status);
    QFETCH(qint64, units);
    useSwedishLocale();
    const store::ParsedAmount parsed = store::parseAmount(text);
    QCOMPARE(int(parsed.status), status);
    QCOMPARE(parsed.amount, units);
    // A money box reads anything it cannot store as 0.
    QCOMPARE(store::moneyBoxValue(text), units);
}

void StoreTest::locate_matchesWholeKeyOnly() {
    Store s;
    s.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn) VALUES (15, 'femton'), (50, 'femtio')"));
    s.konto.first();
    QVERIFY(!s.konto.locate(u"Konto", QStringLiteral("5")));
    QCOMPARE(s.konto.asText(u"Knamn"), QStringLiteral("femton")); // a miss leaves the cursor on the first row
    s.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn) VALUES (5, 'fem')"));
    s.konto.first();
    QVERIFY(s.konto.locate(u"Konto", QStringLiteral("5")));
    QCOMPARE(s.konto.asText(u"Knamn"), QStringLiteral("fem"));
    for (const QString& near : {QStringLiteral("05"), QStringLiteral(" 5"), QStringLiteral("5.0"), QString()}) {
        s.konto.first();
        QVERIFY2(!s.konto.locate(u"Konto", near), qPrintable(near));
        QCOMPARE(s.konto.asText(u"Knamn"), QStringLiteral("fem"));
    }
}

void StoreTest::locate_matchesTextExactlyWithCase() {
    Store s;
    s.sql(QStringLiteral("INSERT INTO Kontoplan (KPnummer, KPnamn) VALUES ('3100', 'Mat'), ('3200', 'mat'), "
                         "('3300', 'Matkasse')"));
    s.kontoplan.first();
    QVERIFY(s.kontoplan.locate(u"KPnamn", QStringLiteral("mat")));
    QCOMPARE(s.kontoplan.asText(u"KPnummer"), QStringLiteral("3200"));
    s.kontoplan.first();
    QVERIFY(!s.kontoplan.locate(u"KPnamn", QStringLiteral("Ma")));
    QVERIFY(!s.kontoplan.locate(u"KPnamn", QStringLiteral("MAT")));
    QCOMPARE(s.kontoplan.asText(u"KPnummer"), QStringLiteral("3100"));
}

void StoreTest::append_givesEmptyRowAndNewKey() {
    Store s;
    s.sql(QStringLiteral("INSERT INTO Konto2 (Knummer, Knamn, Ktyp, Ksumma, Kdebit) "
                         "VALUES ('123-4', 'Lön', 'Lönekonto', 50000, 'D')"));
    s.konto.last();
    s.konto.append();
    for (int i = 0; i < s.konto.fieldCount(); ++i)
        QVERIFY2(s.konto.isNull(s.konto.fieldName(i)), qPrintable(s.konto.fieldName(i)));
    s.konto.setText(u"Knamn", QStringLiteral("Buffert"));
    s.konto.post();
    QCOMPARE(s.konto.asText(u"Knamn"), QStringLiteral("Buffert")); // the stored row stays current
    QCOMPARE(s.konto.asText(u"Knummer"), QString());
    QCOMPARE(s.konto.asText(u"Ksumma"), QString());
    QCOMPARE(s.konto.asAmount(u"Ksumma"), store::Amount(0));
    QCOMPARE(s.konto.asText(u"Konto"), QStringLiteral("2"));
    QCOMPARE(s.konto.recordCount(), 2);
}

void StoreTest::next_staysOnLastRow() {
    Store s;
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b")})
        addAccount(s.konto, name);
    s.konto.first();
    s.konto.next();
    s.konto.next();
    s.konto.next();
    QCOMPARE(s.konto.asText(u"Knamn"), QStringLiteral("b"));
    QCOMPARE(s.konto.currentRow(), 1);
}

void StoreTest::delete_leavesNeighbourCurrent_data() {
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QString>("current");
    QTest::newRow("first") << QStringLiteral("a") << QStringLiteral("b");
    QTest::newRow("middle") << QStringLiteral("b") << QStringLiteral("c");
    QTest::newRow("last") << QStringLiteral("c") << QStringLiteral("b");
}

void StoreTest::delete_leavesNeighbourCurrent() {
    QFETCH(QString, deleted);
    QFETCH(QString, current);
    Store s;
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        addAccount(s.konto, name);
    s.konto.first();
    QVERIFY(s.konto.locate(u"Knamn", deleted));
    s.konto.deleteCurrent();
    QCOMPARE(s.konto.asText(u"Knamn"), current);
    QCOMPARE(s.konto.recordCount(), 2);
    QCOMPARE(s.count(QStringLiteral("Konto2")), 2);
}

void StoreTest::deleteOnEmptyTable_throwsAndChangesNothing() {
    Store s;
    addAccount(s.konto, QStringLiteral("a"));
    s.konto.deleteCurrent();
    QVERIFY(!s.konto.hasCurrent());
    QVERIFY_THROWS_EXCEPTION(store::Error, s.konto.deleteCurrent());
    QCOMPARE(s.konto.recordCount(), 0);
    QVERIFY(!s.konto.hasCurrent());
    addAccount(s.konto, QStringLiteral("b")); // the table still works afterwards
    QCOMPARE(s.konto.recordCount(), 1);
}

void StoreTest::pass_visitsEveryRowOnce_data() {
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty") << QStringList();
    QTest::newRow("one row") << QStringList{QStringLiteral("a")};
    QTest::newRow("three rows") << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
}

void StoreTest::pass_visitsEveryRowOnce() {
    QFETCH(QStringList, names);
    Store s;
    for (const QString& name : names)
        addAccount(s.konto, name);
    QCOMPARE(s.pass(s.konto, u"Knamn"), names);
    if (!names.isEmpty()) // a pass leaves the cursor on the last row
        QCOMPARE(s.konto.asText(u"Knamn"), names.last());
}

void StoreTest::keys_areNeverReusedAfterDelete() {
    Store s;
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        addAccount(s.konto, name);
    s.konto.last();
    s.konto.deleteCurrent(); // key 3, the highest
    s.konto.last();
    s.konto.deleteCurrent();
    addAccount(s.konto, QStringLiteral("d"));
    QCOMPARE(s.konto.asText(u"Konto"), QStringLiteral("4"));
    s.inkomst.append();
    s.inkomst.post();
    s.inkomst.deleteCurrent();
    s.inkomst.append();
    s.inkomst.post();
    QCOMPARE(s.inkomst.asText(u"Id"), QStringLiteral("2"));
}

void StoreTest::fieldNames_ignoreCase_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("KPbudget/KPBudget") << QStringLiteral("KPbudget") << QStringLiteral("KPBudget");
    QTest::newRow("KPBudget/kpbudget") << QStringLiteral("KPBudget") << QStringLiteral("kpbudget");
    QTest::newRow("kpbudget/KPbudget") << QStringLiteral("kpbudget") << QStringLiteral("KPbudget");
}

void StoreTest::fieldNames_ignoreCase() {
    QFETCH(QString, written);
    QFETCH(QString, read);
    Store s;
    s.kontoplan.append();
    s.kontoplan.setText(u"kpnummer", QStringLiteral("3100"));
    s.kontoplan.setInteger(written, 1500);
    s.kontoplan.post();
    s.kontoplan.first();
    QCOMPARE(s.kontoplan.asInteger(read), 1500);
    QCOMPARE(s.kontoplan.asText(read), QStringLiteral("1500"));
    QVERIFY(s.kontoplan.hasField(read));
}

void StoreTest::setTextBadValue_throwsNamingValueAndFieldAndCancels_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("amount with letters") << QStringLiteral("ksumma") << QStringLiteral("12abc");
    QTest::newRow("amount too large") << QStringLiteral("Ksumma") << QStringLiteral("99999999999999999999");
}

void StoreTest::setTextBadValue_throwsNamingValueAndFieldAndCancels() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    Store s;
    addAccount(s.konto, QStringLiteral("Lön"));
    for (const bool appending : {true, false}) {
        if (appending)
            s.konto.append();
        else
            s.konto.edit();
        s.konto.setText(u"Knamn", QStringLiteral("Halvskrivet"));
        try {
            s.konto.setText(field, text);
            QFAIL("no error for a value that does not convert");
        } catch (const store::Error& e) {
            QVERIFY2(e.message().contains(text), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("Ksumma")), qPrintable(e.message()));
        }
        QCOMPARE(s.konto.state(), store::Table::State::Browse);
        s.konto.post(); // nothing left to post
        QCOMPARE(s.count(QStringLiteral("Konto2")), 1);
        store::Statement names(s.db, QStringLiteral("SELECT Knamn FROM Konto2"));
        QVERIFY(names.step());
        QCOMPARE(names.textValue(0), QStringLiteral("Lön"));
    }
    // Integer fields too.
    s.inkomst.append();
    QVERIFY_THROWS_EXCEPTION(store::Error, s.inkomst.setText(u"InYear", QStringLiteral("tjugo")));
    QCOMPARE(s.inkomst.state(), store::Table::State::Browse);
    QCOMPARE(s.count(QStringLiteral("Inkomst")), 0);
}

void StoreTest::post_survivesProcessRestart() {
    Store s;
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--post-and-exit"), s.dir()});
    child.start();
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // A fresh open sees the row the other process posted before it ended without closing anything.
    store::Database reopened;
    reopened.open(s.dir());
    store::Table konto(reopened, QStringLiteral("Konto2"), QStringLiteral("Konto"));
    konto.open();
    QCOMPARE(konto.recordCount(), 1);
    QCOMPARE(konto.asText(u"Knamn"), QStringLiteral("Sparkonto"));
    QCOMPARE(konto.asAmount(u"Ksumma"), store::Amount(1234500));
}

void StoreTest::keptRowCount_followsEveryWriteAndIsRebuiltWhenLost() {
    Store s;
    const auto insertIncome = [](store::Database& db, int rows) {
        store::Statement insert(db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                                   "WHERE i < ?1) INSERT INTO Inkomst (InSumma) SELECT i FROM n"));
        insert.bindInt(1, rows);
        insert.step();
    };
    insertIncome(s.db, 5);
    s.db.keepRowCounts({QStringLiteral("Inkomst")});
    QVERIFY(s.db.keepsRowCount(QStringLiteral("Inkomst")));
    // Writes through the table, plain SQL on this connection and another connection's writes all count.
    s.inkomst.append();
    s.inkomst.post();
    s.inkomst.first();
    s.inkomst.deleteCurrent();
    insertIncome(s.db, 3);
    {
        store::Database other;
        other.open(s.dir());
        insertIncome(other, 4);
        store::Statement(other, QStringLiteral("DELETE FROM Inkomst WHERE InSumma = 2")).step();
    }
    s.inkomst.refresh();
    QCOMPARE(s.inkomst.recordCount(), s.count(QStringLiteral("Inkomst")));
    QCOMPARE(s.inkomst.recordCount(), 5 + 1 - 1 + 3 + 4 - 3);
    // A rolled-back write leaves the count as it was.
    {
        store::Transaction transaction(s.db);
        insertIncome(s.db, 10);
    }
    s.inkomst.refresh();
    QCOMPARE(s.inkomst.recordCount(), s.count(QStringLiteral("Inkomst")));

    // Counts and triggers lost or wrong (another program's work): the next start counts again.
    // (With the table gone every insert would fail, so rows are added before it goes.)
    for (const QString& damage : {QStringLiteral("DROP TRIGGER InkomstAdded"), QStringLiteral("DELETE FROM RowCounts"),
                                  QStringLiteral("DROP TABLE RowCounts")}) {
        {
            store::Database other;
            other.open(s.dir());
            const bool tableGoes = damage.startsWith(QLatin1String("DROP TABLE"));
            if (tableGoes)
                insertIncome(other, 2);
            store::Statement(other, damage).step();
            if (!tableGoes)
                insertIncome(other, 2);
        }
        store::Database reopened;
        reopened.open(s.dir());
        reopened.keepRowCounts({QStringLiteral("Inkomst")});
        store::Table inkomst(reopened, QStringLiteral("Inkomst"), QStringLiteral("Id"));
        inkomst.open();
        QCOMPARE(inkomst.recordCount(), s.count(QStringLiteral("Inkomst")));
    }
}

// Positions come from the keys and the keys recorded as deleted; they must agree with the stored order whoever
// deleted what.
void StoreTest::positions_followKeysAroundDeletedRows() {
    Store s;
    store::Statement(s.db,
                     QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                                    "INSERT INTO Inkomst (InSumma) SELECT i FROM n"))
        .step();
    // Gaps from before the keys were kept, then deletes recorded as they happen.
    store::Statement(s.db, QStringLiteral("DELETE FROM Inkomst WHERE rowid IN (5, 6, 20)")).step();
    s.db.keepRowCounts({QStringLiteral("Inkomst")});
    store::Statement(s.db, QStringLiteral("DELETE FROM Inkomst WHERE rowid IN (1, 7, 30, 40)")).step();
    s.inkomst.refresh();
    const auto matchesStore = [&] {
        store::Statement keys(s.db, QStringLiteral("SELECT rowid FROM Inkomst ORDER BY rowid"));
        std::int64_t position = 0;
        while (keys.step()) {
            if (s.inkomst.rowIdAt(position) != keys.intValue(0) || !s.inkomst.moveToRow(position) ||
                s.inkomst.currentRow() != position || s.inkomst.currentRowId() != keys.intValue(0))
                return false;
            ++position;
        }
        return position == s.inkomst.recordCount() && s.inkomst.rowIdAt(position) == 0;
    };
    QVERIFY(matchesStore());
    // The table's own deletes (first, middle, last) and appends after them.
    for (const std::int64_t key : {2, 15, 16, 39}) {
        QVERIFY(s.inkomst.locate(u"Id", QString::number(key)));
        s.inkomst.deleteCurrent();
        QVERIFY2(matchesStore(), qPrintable(QString::number(key)));
    }
    for (int i = 0; i < 3; ++i) {
        s.inkomst.append();
        s.inkomst.post();
        QVERIFY(matchesStore());
    }
    // Read again from the store: the same.
    s.inkomst.close();
    s.inkomst.open();
    QVERIFY(matchesStore());
}

void StoreTest::failingSecondPost_leavesNothingOfFirst() {
    Store s;
    addAccount(s.konto, QStringLiteral("Lön"));
    int writes = 0;
    s.db.setWriteHook([&](const QString&) {
        if (++writes == 2)
            throw store::Error(QStringLiteral("skrivfel"));
    });
    try {
        store::Transaction transaction(s.db);
        s.konto.first();
        s.konto.edit();
        s.konto.setAmount(u"Ksumma", 990000);
        s.konto.post();
        s.inkomst.append();
        s.inkomst.setAmount(u"InSumma", 990000);
        s.inkomst.post();
        transaction.commit();
        QFAIL("the second post did not fail");
    } catch (const store::Error& e) {
        QCOMPARE(e.message(), QStringLiteral("skrivfel"));
    }
    s.db.setWriteHook({});
    QCOMPARE(s.count(QStringLiteral("Inkomst")), 0);
    QCOMPARE(s.inkomst.recordCount(), 0);
    // The first post is gone from the file and from the cursor.
    QVERIFY(s.konto.isNull(u"Ksumma"));
    store::Statement balance(s.db, QStringLiteral("SELECT Ksumma FROM Konto2"));
    QVERIFY(balance.step());
    QVERIFY(balance.isNull(0));
}

// A grid on the table shows what a full pass reads after a write, and the cursor stays on the row the write
// left current.
void StoreTest::grid_showsTableAfterEachWrite_data() {
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("resets");
    QTest::newRow("append") << QStringLiteral("append") << QStringLiteral("d") << false;
    QTest::newRow("delete first") << QStringLiteral("delete a") << QStringLiteral("b") << false;
    QTest::newRow("delete middle") << QStringLiteral("delete b") << QStringLiteral("c") << false;
    QTest::newRow("delete last") << QStringLiteral("delete c") << QStringLiteral("b") << false;
    QTest::newRow("edit middle") << QStringLiteral("edit b") << QStringLiteral("x") << false;
    QTest::newRow("chart budget") << QStringLiteral("budget") << QStringLiteral("Mat") << false;
    QTest::newRow("chart number moves row") << QStringLiteral("renumber") << QStringLiteral("Mat") << true;
}

void StoreTest::grid_showsTableAfterEachWrite() {
    QFETCH(QString, write);
    QFETCH(QString, current);
    QFETCH(bool, resets);
    Store s;
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        addAccount(s.konto, name);
    s.sql(QStringLiteral("INSERT INTO Kontoplan (KPnummer, KPnamn, KPtyp) VALUES ('4000', 'Hyra', 'U'), "
                         "('4100', 'Mat', 'U'), ('4200', 'Resor', 'U')"));
    const bool chart = write == QLatin1String("budget") || write == QLatin1String("renumber");
    store::Table& table = chart ? s.kontoplan : s.konto;
    const QString field = chart ? QStringLiteral("KPnamn") : QStringLiteral("Knamn");
    DataGrid grid;
    grid.bind(table, {{QString(), QString(), 12}, {field, QStringLiteral("Namn"), 80}});
    grid.show();
    table.first();
    table.next();
    QCoreApplication::processEvents();
    QCOMPARE(grid.currentIndex().row(), 1);

    QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);
    const QString target = write.section(u' ', 1);
    if (write == QLatin1String("append")) {
        addAccount(s.konto, QStringLiteral("d"));
    } else if (write.startsWith(QLatin1String("delete"))) {
        QVERIFY(s.konto.locate(u"Knamn", target));
        s.konto.deleteCurrent();
    } else if (write.startsWith(QLatin1String("edit"))) {
        QVERIFY(s.konto.locate(u"Knamn", target));
        s.konto.edit();
        s.konto.setText(u"Knamn", QStringLiteral("x"));
        s.konto.post();
    } else {
        QVERIFY(s.kontoplan.locate(u"KPnamn", QStringLiteral("Mat")));
        s.kontoplan.edit();
        if (write == QLatin1String("budget"))
            s.kontoplan.setInteger(u"KPBudget", 1500);
        else
            s.kontoplan.setText(u"KPnummer", QStringLiteral("4300"));
        s.kontoplan.post();
    }
    QCoreApplication::processEvents();

    QCOMPARE(table.asText(field), current);
    // Only a row that changes place makes the grid read everything again (open editors close then).
    QCOMPARE(!reset.isEmpty(), resets);
    QCOMPARE(grid.currentIndex().row(), static_cast<int>(table.currentRow()));
    const QStringList expected = s.pass(table, field);
    QStringList shown;
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        shown << grid.model()->index(row, 1).data().toString();
    QCOMPARE(shown, expected);
}

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--post-and-exit") == 0)
        return postAndExit(QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    StoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store.moc"

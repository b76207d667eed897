// The shared cursor's row positions, counts and pages after writes made through it, beside it and elsewhere.
#include "TestProgram.h"
#include "store/Database.h"
#include "store/Table.h"

#include <QtTest>

namespace {

// The rowids in table order, as the database has them.
std::vector<std::int64_t> storedOrder(store::Database& db) {
    std::vector<std::int64_t> order;
    store::Statement query(db, QStringLiteral("SELECT rowid FROM Utgift ORDER BY rowid"));
    while (query.step())
        order.push_back(query.intValue(0));
    return order;
}

void appendExpenses(store::Table& utgift, int count) {
    for (int i = 0; i < count; ++i) {
        utgift.append();
        utgift.setInteger(u"UtSumma", 10 + i);
        utgift.post();
    }
}

// Every position, the count, the current row's position and the cells agree with the database.
void verifyPositions(store::Database& db, store::Table& utgift) {
    const std::vector<std::int64_t> order = storedOrder(db);
    QCOMPARE(utgift.recordCount(), static_cast<std::int64_t>(order.size()));
    for (size_t i = 0; i < order.size(); ++i) {
        QCOMPARE(utgift.rowIdAt(static_cast<std::int64_t>(i)), order[i]);
        QCOMPARE(utgift.cellAt(static_cast<std::int64_t>(i), utgift.fieldIndex(u"Id")).toLongLong(), order[i]);
    }
    QCOMPARE(utgift.rowIdAt(static_cast<std::int64_t>(order.size())), std::int64_t{0});
    const auto current = std::find(order.begin(), order.end(), utgift.currentRowId());
    QCOMPARE(utgift.currentRow(), current == order.end() ? -1 : current - order.begin());
}

} // namespace

class CursorPositionTest : public QObject {
    Q_OBJECT
private slots:
    void deleteThroughCursor_keepsPositions_data();
    void deleteThroughCursor_keepsPositions();
    void refresh_seesWritesBesideTheCursor_data();
    void refresh_seesWritesBesideTheCursor();
};

void CursorPositionTest::deleteThroughCursor_keepsPositions_data() {
    QTest::addColumn<int>("position");
    QTest::newRow("first") << 0;
    QTest::newRow("middle") << 2;
    QTest::newRow("last") << 4;
}

void CursorPositionTest::deleteThroughCursor_keepsPositions() {
    QFETCH(int, position);
    TestProgram t;
    store::Database db;
    db.open(t.dbDir());
    store::Table utgift(db, QStringLiteral("Utgift"), QStringLiteral("Id"));
    utgift.open();
    appendExpenses(utgift, 5);
    verifyPositions(db, utgift);
    QVERIFY(utgift.moveToRow(position));
    utgift.deleteCurrent();
    verifyPositions(db, utgift);
    appendExpenses(utgift, 2);
    verifyPositions(db, utgift);
    utgift.refresh();
    verifyPositions(db, utgift);
}

void CursorPositionTest::refresh_seesWritesBesideTheCursor_data() {
    QTest::addColumn<bool>("otherConnection");
    QTest::addColumn<QString>("sql");
    QTest::newRow("insert elsewhere") << true << QStringLiteral("INSERT INTO Utgift (UtSumma) VALUES (7)");
    QTest::newRow("delete elsewhere") << true << QStringLiteral("DELETE FROM Utgift WHERE Id = 2");
    QTest::newRow("plain delete, same connection") << false << QStringLiteral("DELETE FROM Utgift WHERE Id = 3");
    QTest::newRow("plain insert, same connection")
        << false << QStringLiteral("INSERT INTO Utgift (UtSumma) VALUES (7)");
}

void CursorPositionTest::refresh_seesWritesBesideTheCursor() {
    QFETCH(bool, otherConnection);
    QFETCH(QString, sql);
    TestProgram t;
    store::Database db;
    db.open(t.dbDir());
    store::Table utgift(db, QStringLiteral("Utgift"), QStringLiteral("Id"));
    utgift.open();
    appendExpenses(utgift, 4);
    utgift.first();
    verifyPositions(db, utgift);
    if (otherConnection) {
        t.sql(sql);
    } else {
        store::Statement write(db, sql);
        write.step();
    }
    utgift.refresh();
    verifyPositions(db, utgift);
}

QTEST_MAIN(CursorPositionTest)
#include "tst_cursorposition.moc"

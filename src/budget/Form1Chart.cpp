// The main window's category refill, budget totals and budget editing rule.
#include "app/Program.h"
#include "app/TForm1.h"
#include "transactions/TForm3.h"
#include "widgets/DataGrid.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <cmath>

namespace {

constexpr int kBudgetColumn = 3;
// Nine digits: every budget fits the field's 32 bits.
constexpr qint64 kLargestBudget = 999'999'999;
// Typing into the cell or F2 opens the editor; clicks only choose the cell, as a double click is the
// budget-against-actual view.
constexpr QAbstractItemView::EditTriggers kBudgetEditTriggers =
    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

bool isGroupRow(const QString& number) {
    return number.contains(QLatin1String("000"));
}

// A budget as a whole number: budgets are stored whole, but one stored with decimals by another program is
// taken to the nearest whole number, a half to the even neighbour.
qint64 wholeBudget(const QVariant& stored) {
    if (stored.typeId() == QMetaType::Double)
        return static_cast<qint64>(std::nearbyint(stored.toDouble()));
    return stored.toLongLong();
}

// Only the budget of a category (not of a group row) can be typed into.
bool isEditableBudgetCell(store::Table& chart, int gridRow, int gridColumn) {
    if (gridColumn != kBudgetColumn || gridRow < 1 || gridRow > chart.recordCount())
        return false;
    return !isGroupRow(chart.cellAt(gridRow - 1, chart.fieldIndex(u"KPnummer")).toString());
}

// The editing switch of the budget grid follows the cell the user is on, however it was reached.
void applyBudgetRule(DataGrid* grid, store::Table& chart, int gridRow, int gridColumn) {
    grid->setEditTriggers(isEditableBudgetCell(chart, gridRow, gridColumn) ? kBudgetEditTriggers
                                                                           : QAbstractItemView::NoEditTriggers);
}

// The budget editor: empty (no budget) or a positive whole number.
class BudgetDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("([1-9][0-9]{0,8})?")), editor));
        return editor;
    }
};

} // namespace

// Refills the six category lists in chart order (no group rows) and the two monthly budget totals. Group rows
// count in the totals; any type but "Ut" counts as income. The chart is left on its last row.
void TForm1::FyllKontoplan() {
    Program& p = m_program;
    QStringList expenseNames;
    QStringList expenseNumbers;
    QStringList incomeNames;
    QStringList incomeNumbers;
    qint64 incomeTotal = 0;
    qint64 expenseTotal = 0;
    store::KeptStatement query(
        p.database, QStringLiteral("SELECT KPnummer, KPnamn, KPtyp, KPBudget FROM Kontoplan ORDER BY KPnummer"));
    while (query->step()) {
        const QString number = query->textValue(0);
        const QString type = query->textValue(2);
        const qint64 budget = wholeBudget(query->value(3));
        if (type == QLatin1String("Ut"))
            expenseTotal += budget;
        else
            incomeTotal += budget;
        if (isGroupRow(number))
            continue;
        if (type == QLatin1String("Ut")) {
            expenseNames << query->textValue(1);
            expenseNumbers << number;
        } else if (type == QLatin1String("In")) {
            incomeNames << query->textValue(1);
            incomeNumbers << number;
        }
    }
    picklist::fill(ComboBox8, ComboBox9, expenseNames, expenseNumbers);
    picklist::fill(p.form3->ComboBox3, p.form3->ComboBox4, expenseNames, expenseNumbers);
    picklist::fill(ComboBox10, ComboBox11, incomeNames, incomeNumbers);
    BudgetIn->setText(QStringLiteral("Budget inkomster = %1 Kr").arg(incomeTotal));
    BudgetUt->setText(QStringLiteral("Budget utgifter = %1 Kr").arg(expenseTotal));
    p.kontoplan.last();
}

// The grid has already made the clicked row current. A click on the header keeps the current cell.
void TForm1::DBAdvGrid2ClickCell(int row, int column) {
    if (row < 1) {
        const QModelIndex current = DBAdvGrid2->currentIndex();
        row = DBAdvGrid2->gridRowOf(current);
        column = current.column();
    }
    applyBudgetRule(DBAdvGrid2, m_program.kontoplan, row, column);
}

void TForm1::setupChart() {
    store::Table& chart = m_program.kontoplan;
    DBAdvGrid2->setItemDelegateForColumn(kBudgetColumn, new BudgetDelegate(DBAdvGrid2));
    DBAdvGrid2->tableModel()->setEditing(
        [&chart](int row, int column) { return isEditableBudgetCell(chart, row, column); },
        [this, &chart](int row, int, const QString& text) {
            guarded(m_program, [&] {
                const QString typed = text.trimmed();
                bool ok = true;
                qint64 budget = 0;
                if (!typed.isEmpty()) {
                    budget = typed.toLongLong(&ok);
                    ok = ok && budget >= 1 && budget <= kLargestBudget;
                }
                if (!ok) {
                    m_program.dialogs().warning(
                        QStringLiteral("Budgeten ska vara ett positivt heltal, till exempel 1500."));
                    return;
                }
                const QString number = chart.cellAt(row - 1, chart.fieldIndex(u"KPnummer")).toString();
                // Stored once the editor has closed: the post refreshes the grid, which would take the editor
                // away from under the view.
                QMetaObject::invokeMethod(
                    this,
                    [this, &chart, number, budget] {
                        guarded(m_program, [&] {
                            // The user may have moved on (Tab); the grid stays where the user is.
                            const std::int64_t userRow = chart.currentRow();
                            chart.first();
                            if (!chart.locate(u"KPnummer", number))
                                return;
                            chart.edit();
                            if (budget == 0)
                                chart.setNull(u"KPBudget");
                            else
                                chart.setInteger(u"KPBudget", budget);
                            chart.post();
                            if (userRow >= 0)
                                chart.moveToRow(userRow);
                        });
                    },
                    Qt::QueuedConnection);
            });
        });
    // Keyboard moves and the first focus reach cells without a click.
    connect(DBAdvGrid2->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, &chart](const QModelIndex& current) {
                applyBudgetRule(DBAdvGrid2, chart, DBAdvGrid2->gridRowOf(current), current.column());
            });
    applyBudgetRule(DBAdvGrid2, chart, 0, 0);
}

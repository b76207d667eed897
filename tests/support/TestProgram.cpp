#include "TestProgram.h"

#include "app/TForm1.h"
#include "store/DbSetup.h"

#include <QApplication>
#include <QDialog>
#include <QLocale>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <sqlite3.h>

bool RecordingDialogs::question(const QString& text) {
    messages.push_back({QStringLiteral("question"), text});
    if (answers.empty())
        return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList RecordingDialogs::texts() const {
    QStringList all;
    for (const Message& message : messages)
        all << message.text;
    return all;
}

TestProgram::TestProgram(Chart chart) {
    useSwedishLocale();
    if (chart == Chart::Shipped)
        store::createDatabaseDirectory(dbDir(), QStringLiteral(SLANTVIS_DATA_DIR));
    else
        store::createEmptyDatabase(dbDir(), QStringLiteral(SLANTVIS_DATA_DIR));
    ProgramOptions options;
    options.databaseDirectory = dbDir();
    options.splashMilliseconds = 1;
    options.dialogs = &dialogs;
    options.clock = &clock;
    options.urlOpener = &urlOpener;
    m_program = std::make_unique<Program>(options);
}

TestProgram::~TestProgram() {
    m_program.reset();
}

QWidget* shownModal() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<QDialog*>(widget) && widget->objectName() != QLatin1String("TSplash") &&
            static_cast<QDialog*>(widget)->isModal())
            return widget;
    }
    return nullptr;
}

namespace {

void runSql(const QString& path, const QString& statement, QVariant* first) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qFatal("bad sql %s: %s", qPrintable(statement), sqlite3_errmsg(db));
    const int rc = sqlite3_step(stmt);
    if (first && rc == SQLITE_ROW) {
        switch (sqlite3_column_type(stmt, 0)) {
        case SQLITE_INTEGER:
            *first = QVariant::fromValue<qlonglong>(sqlite3_column_int64(stmt, 0));
            break;
        case SQLITE_NULL:
            *first = QVariant();
            break;
        default:
            *first = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
    } else if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        qFatal("sql failed %s: %s", qPrintable(statement), sqlite3_errmsg(db));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

} // namespace

void TestProgram::sql(const QString& statement) {
    runSql(dbDir() + QStringLiteral("/slantvis.db"), statement, nullptr);
}

QVariant TestProgram::scalar(const QString& query) {
    QVariant value;
    runSql(dbDir() + QStringLiteral("/slantvis.db"), query, &value);
    return value;
}

TForm1& TestProgram::form1() {
    return *m_program->form1;
}

void TestProgram::start(std::function<void(QWidget*)> onModal) {
    m_program->createWindows();
    QSet<QWidget*> handled;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, &watcher, [&] {
        QWidget* modal = shownModal();
        if (!modal || handled.contains(modal))
            return;
        handled.insert(modal);
        modalsSeen << modal->objectName();
        if (onModal)
            onModal(modal);
        else
            modal->close();
    });
    watcher.start();
    m_program->form1->show();
    watcher.stop();
}

void whenModalShows(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (QWidget* modal = shownModal()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

void useSwedishLocale() {
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
}

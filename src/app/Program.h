#pragma once

#include "app/Services.h"
#include "store/BudgetMonth.h"
#include "store/Database.h"
#include "store/InstanceLock.h"
#include "store/Settings.h"
#include "store/Table.h"

#include <QString>
#include <memory>
#include <optional>

class TForm1;
class TSplash;
class TForm3;
class TDetail;
class TForm5;
class TForm6;
class TForm7;

struct ProgramOptions {
    QString databaseDirectory;     // the folder Db beside the executable unless a test says otherwise
    int splashMilliseconds = 3000; // the splash timer's interval
    Dialogs* dialogs = nullptr;    // defaults to message boxes
    Clock* clock = nullptr;        // defaults to the system clock
    UrlOpener* urlOpener = nullptr;
};

// The report cell last double-clicked in the year report: month 1..12, column 1 income / 2 expense.
struct ReportCell {
    int month = 0;
    int column = 0;
};

// Everything the windows share: the store and its tables, the settings, the budget month, the windows.
class Program final {
public:
    explicit Program(ProgramOptions options);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the seven windows in their order; the first is the main window.
    void createWindows();

    Dialogs& dialogs() { return *m_dialogs; }
    const Clock& clock() const { return *m_clock; }
    UrlOpener& urlOpener() { return *m_urlOpener; }
    const ProgramOptions& options() const { return m_options; }

    // Opens the five tables in the database directory, in the order Konto2, Inkomst, Utgift, Kontoplan, Period.
    void openTables();

    store::InstanceLock instanceLock; // one running program per database directory
    store::Database database;
    store::Table konto;     // Konto2
    store::Table inkomst;   // Inkomst
    store::Table utgift;    // Utgift
    store::Table kontoplan; // Kontoplan
    store::Table period;    // Period

    QString databaseDirectory;
    std::optional<store::Settings> settings; // present when data.ini existed at start-up
    int breakDay = 0;
    store::BudgetMonth budgetMonth;
    int versionNumber = 0;
    ReportCell reportCell;
    bool started = false;

    TForm1* form1 = nullptr;
    TSplash* splash = nullptr;
    TForm3* form3 = nullptr;
    TDetail* detail = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
    TForm7* form7 = nullptr;

private:
    ProgramOptions m_options;
    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<UrlOpener> m_ownUrlOpener;
    Dialogs* m_dialogs = nullptr;
    Clock* m_clock = nullptr;
    UrlOpener* m_urlOpener = nullptr;
};

// Runs a handler; a store error ends it and is shown in the one error box.
template <typename Handler> void guarded(Program& program, Handler&& handler) {
    try {
        handler();
    } catch (const store::Error& e) {
        program.dialogs().error(e.message());
    }
}

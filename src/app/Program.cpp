#include "app/Program.h"

#include "accounts/TForm6.h"
#include "accounts/TForm7.h"
#include "app/TForm1.h"
#include "app/TSplash.h"
#include "budget/TDetail.h"
#include "budget/TForm5.h"
#include "store/Backup.h"
#include "transactions/TForm3.h"

Program::Program(ProgramOptions options)
    : konto(database, QStringLiteral("Konto2"), QStringLiteral("Konto")),
      inkomst(database, QStringLiteral("Inkomst"), QStringLiteral("Id")),
      utgift(database, QStringLiteral("Utgift"), QStringLiteral("Id")),
      kontoplan(database, QStringLiteral("Kontoplan"), QString(), QStringLiteral("KPnummer")),
      period(database, QStringLiteral("Period"), QStringLiteral("Id")), m_options(std::move(options)) {
    if (m_options.dialogs) {
        m_dialogs = m_options.dialogs;
    } else {
        m_ownDialogs = std::make_unique<MessageBoxDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    if (m_options.clock) {
        m_clock = m_options.clock;
    } else {
        m_ownClock = std::make_unique<Clock>();
        m_clock = m_ownClock.get();
    }
    if (m_options.urlOpener) {
        m_urlOpener = m_options.urlOpener;
    } else {
        m_ownUrlOpener = std::make_unique<UrlOpener>();
        m_urlOpener = m_ownUrlOpener.get();
    }
}

Program::~Program() {
    // Windows go before the tables their grids read.
    delete form7;
    delete form6;
    delete form5;
    delete detail;
    delete form3;
    delete splash;
    delete form1;
}

void Program::createWindows() {
    form1 = new TForm1(*this);
    splash = new TSplash(*this);
    form3 = new TForm3(*this);
    detail = new TDetail(*this);
    form5 = new TForm5(*this);
    form6 = new TForm6(*this);
    form7 = new TForm7(*this);
    form1->bindGrids();
}

void Program::openTables() {
    // Every page is read for damage on the day's first start, before the day's copy is made from it.
    const bool copiedToday = store::hasBackupOf(databaseDirectory, clock().now().date());
    database.open(databaseDirectory, copiedToday ? store::Database::Check::Small : store::Database::Check::Whole);
    for (store::Table* table : {&konto, &inkomst, &utgift, &kontoplan, &period})
        table->open();
    // Only once every table is known to be there: a refused database is left exactly as it was.
    database.keepRowCounts({QStringLiteral("Inkomst"), QStringLiteral("Utgift")});
}

// Runs the program's own operations on a generated database and prints, per operation, median, min and max
// against a plain SQLite reference measured in the same run on the same file.
//
//   slantvis_bench <work directory> [part]     full suite, or the parts named (generates its databases once)
//   slantvis_bench --startup <Db directory> <spawn ns>   child: one start-up, prints elapsed ms and peak memory
#include "BenchOperations.h"
#include "Generator.h"
#include "app/Services.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <cstdio>

int main(int argc, char** argv) {
    pinLocalTimeZone(); // as the program's own main does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--startup"))
        return bench::startupChild(args[2], args[3].toLongLong());
    if (args.size() != 2 && args.size() != 3) {
        std::fprintf(stderr, "usage: slantvis_bench <work directory> [part]\n");
        return 2;
    }
    return bench::runSuite(args[1], args.value(2));
}

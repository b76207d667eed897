// Writes a benchmark database: slantvis_bench_generate <Db directory> [accounts]
#include "Generator.h"
#include "store/Error.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: slantvis_bench_generate <Db directory> [accounts]\n");
        return 2;
    }
    bench::GeneratorOptions options;
    if (args.size() > 2)
        options.accounts = args[2].toInt();
    QElapsedTimer timer;
    timer.start();
    try {
        bench::generateDatabase(args[1], options);
    } catch (const store::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("%s written in %.1f s\n", qPrintable(args[1]), static_cast<double>(timer.elapsed()) / 1000.0);
    return 0;
}

// Creates the default database directory from data/ when, and only when, it does not exist yet.
#include "store/DbSetup.h"
#include "store/Error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: slantvis_mkdb <Db directory>\n");
        return 2;
    }
    if (QFileInfo::exists(args[1]))
        return 0;
    try {
        store::createDatabaseDirectory(args[1], QStringLiteral(SLANTVIS_DATA_DIR));
    } catch (const store::Error& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    std::printf("Skapade %s\n", args[1].toLocal8Bit().constData());
    return 0;
}

#include "store/DbSetup.h"

#include "store/Database.h"
#include "store/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Filen %1 kan inte läsas.").arg(path));
    return file.readAll();
}

void runScript(sqlite3* db, const QByteArray& sql, const QString& source) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(message ? message : "okänt fel");
        sqlite3_free(message);
        throw Error(QStringLiteral("%1: %2").arg(source, reason));
    }
}

void makeDatabase(const QString& directory, const QString& dataDirectory, bool withChart) {
    if (QFileInfo::exists(directory))
        throw Error(QStringLiteral("%1 finns redan och lämnas orörd.").arg(directory));
    if (!QDir().mkpath(directory))
        throw Error(QStringLiteral("Katalogen %1 kan inte skapas.").arg(directory));
    QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString path = QDir(directory).filePath(Database::fileName());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw Error(QStringLiteral("Databasen %1 kan inte skapas.").arg(path));
    }
    try {
        runScript(db, "PRAGMA journal_mode=WAL; BEGIN;", path);
        runScript(db, readFile(QDir(dataDirectory).filePath(QStringLiteral("schema.sql"))),
                  QStringLiteral("schema.sql"));
        if (withChart)
            runScript(db, readFile(QDir(dataDirectory).filePath(QStringLiteral("kontoplan.sql"))),
                      QStringLiteral("kontoplan.sql"));
        runScript(db, "COMMIT;", path);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (withChart) {
        const QString ini = QDir(directory).filePath(QStringLiteral("data.ini"));
        if (!QFile::copy(QDir(dataDirectory).filePath(QStringLiteral("data.ini")), ini))
            throw Error(QStringLiteral("data.ini kan inte kopieras till %1.").arg(directory));
        QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace

void createDatabaseDirectory(const QString& directory, const QString& dataDirectory) {
    makeDatabase(directory, dataDirectory, true);
}

void createEmptyDatabase(const QString& directory, const QString& dataDirectory) {
    makeDatabase(directory, dataDirectory, false);
}

} // namespace store

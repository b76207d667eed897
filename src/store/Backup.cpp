#include "store/Backup.h"

#include "store/Database.h"
#include "store/Error.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace store {

namespace {

QString backupPath(const QString& dbDirectory, const QDate& day) {
    return QDir(dbDirectory).filePath(QStringLiteral("Backup/slantvis-%1.db").arg(day.toString(Qt::ISODate)));
}

} // namespace

bool hasBackupOf(const QString& dbDirectory, const QDate& day) {
    return QFile::exists(backupPath(dbDirectory, day));
}

QString backupOncePerDay(Database& db, const QDate& today, int keep) {
    QDir directory(QDir(db.directory()).filePath(QStringLiteral("Backup")));
    if (!directory.exists()) {
        if (!QDir().mkpath(directory.path()))
            throw Error(
                QStringLiteral("Katalogen %1 kan inte skapas.").arg(QDir::toNativeSeparators(directory.path())));
        QFile::setPermissions(directory.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString path = backupPath(db.directory(), today);
    if (QFile::exists(path))
        return {};

    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    sqlite3* target = nullptr;
    int rc =
        sqlite3_open_v2(partial.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner);
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", db.handle(), "main");
        if (backup) {
            sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
        }
        rc = sqlite3_errcode(target);
    }
    const QString reason = QString::fromUtf8(target ? sqlite3_errmsg(target) : sqlite3_errstr(rc));
    sqlite3_close(target);
    if (rc != SQLITE_OK || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw Error(
            QStringLiteral("Säkerhetskopian %1 kunde inte skapas: %2").arg(QDir::toNativeSeparators(path), reason));
    }

    QStringList copies = directory.entryList({QStringLiteral("slantvis-*.db")}, QDir::Files, QDir::Name);
    while (copies.size() > keep)
        directory.remove(copies.takeFirst());
    return path;
}

} // namespace store

#pragma once

#include <QDate>
#include <QString>

namespace store {

class Database;

// Copies the open database into <db directory>/Backup/slantvis-<date>.db with SQLite's online backup, once per
// day, and keeps the newest `keep` copies. Returns the path written, or an empty string when today's copy
// already exists. Throws store::Error when the copy fails (a half-written copy is removed).
QString backupOncePerDay(Database& db, const QDate& today, int keep = 10);

// Whether the copy of `day` is already in `dbDirectory`/Backup.
bool hasBackupOf(const QString& dbDirectory, const QDate& day);

} // namespace store

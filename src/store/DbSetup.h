#pragma once

#include <QString>

namespace store {

// Makes a database directory from the files of data/: the tables (schema.sql), the shipped chart of accounts
// (kontoplan.sql) and data.ini. Refuses to touch a directory that already exists. Throws store::Error.
void createDatabaseDirectory(const QString& directory, const QString& dataDirectory);

// The tables alone, without chart rows or settings file, for tests that bring their own rows.
void createEmptyDatabase(const QString& directory, const QString& dataDirectory);

} // namespace store

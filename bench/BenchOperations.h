#pragma once

#include <QString>
#include <QtGlobal>

namespace bench {

// One start-up of the program on `dbDirectory`, from the parent's spawn (`spawnedNs`, monotonic clock) to the
// main window shown; prints "<elapsed ms> <peak resident kB>" and exits.
int startupChild(const QString& dbDirectory, qint64 spawnedNs);

// The whole suite in `workDirectory`; returns non-zero when an operation misses its target.
// Runs every part of the suite, or only those whose names contain `only` (start-up, FyllKonto, grids, FyllKontoplan,
// fyllRapport, budget, visaDetail, writes, kollaPeriod).
int runSuite(const QString& workDirectory, const QString& only = {});

} // namespace bench

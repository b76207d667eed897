#pragma once

#include <QString>

namespace bench {

struct GeneratorOptions {
    int accounts = 20;
    int extraCategories = 2000;
    int years = 10; // 2016 onwards
    int expenses = 1'000'000;
    int incomes = 200'000;
    int recurring = 1000; // half of them due
    unsigned seed = 20161225;
};

// Writes a database directory through the program's own store, deterministically from the seed.
void generateDatabase(const QString& directory, const GeneratorOptions& options);

} // namespace bench

// Money-box text: any bytes must parse without a crash, and what parses must format and parse back the same.
#include "store/Amount.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const store::ParsedAmount parsed = store::parseAmount(text, swedish);
    if (parsed.status == store::ParseStatus::Ok) {
        const store::ParsedAmount again = store::parseAmount(store::plainDecimal(parsed.amount, swedish), swedish);
        if (again.status != store::ParseStatus::Ok || again.amount != parsed.amount)
            std::abort();
        (void)store::money2(parsed.amount, swedish);
        (void)store::fixed2(parsed.amount, swedish);
        (void)store::wholeUnits(parsed.amount);
    }
    return 0;
}

// Typed date text: any bytes give a valid date or none, never a crash.
#include "store/DateText.h"

#include <QLocale>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QDate date = store::parseDateText(text);
    if (!date.isNull() && !date.isValid())
        std::abort();
    if (date.isValid() && store::parseDateText(store::dateText(date)) != date)
        std::abort();
    return 0;
}

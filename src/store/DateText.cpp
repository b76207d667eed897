#include "store/DateText.h"

#include <QLocale>

namespace store {

QDate parseDateText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 64)
        return {};
    const QLocale locale;
    QDate date = locale.toDate(trimmed, QLocale::ShortFormat);
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    // Only the four-digit years a date box shows.
    return date.isValid() && date.year() >= 1 && date.year() <= 9999 ? date : QDate();
}

QString dateText(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
}

} // namespace store

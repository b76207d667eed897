#pragma once

#include <QDate>
#include <QString>

namespace store {

// A date typed or shown as text: the locale's short date format, or ISO 8601, with a year of 1 to 9999; an
// unreadable text gives a null date.
QDate parseDateText(const QString& text);

// A date in the locale's short date format.
QString dateText(const QDate& date);

} // namespace store

#pragma once

#include <QDate>
#include <QLineEdit>
#include <functional>

class QCalendarWidget;

// A date box that starts empty: its date is what the user picked from the drop-down calendar or typed in the
// locale's short date form. Alt+Down or F4 opens the calendar, as on a drop-down list.
class DateBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    // The date the text names; invalid while the text is empty or names no date.
    QDate date() const;
    void setDate(QDate date);

    // The day the calendar opens on while the box holds no date.
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

    void showCalendar();
    QCalendarWidget* calendar() const { return m_calendar; }

    // Reads a date written in the locale's short form (or as yyyy-MM-dd).
    static QDate parse(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QCalendarWidget* m_calendar = nullptr;
    std::function<QDate()> m_today;
};

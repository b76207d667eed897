#include "transactions/DateBox.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QStyle>

DateBox::DateBox(QWidget* parent) : QLineEdit(parent) {
    setToolTip(QStringLiteral("Skriv ett datum som %1 eller välj det i kalendern")
                   .arg(QLocale().toString(QDate(2026, 12, 31), QLocale::ShortFormat)));
    QAction* open =
        addAction(QIcon::fromTheme(QStringLiteral("x-office-calendar"), style()->standardIcon(QStyle::SP_ArrowDown)),
                  QLineEdit::TrailingPosition);
    open->setToolTip(QStringLiteral("Välj datum i kalendern"));
    connect(open, &QAction::triggered, this, &DateBox::showCalendar);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setGridVisible(true);
    const auto pick = [this](QDate picked) {
        setDate(picked);
        m_calendar->hide();
        setFocus();
    };
    connect(m_calendar, &QCalendarWidget::clicked, this, pick);
    connect(m_calendar, &QCalendarWidget::activated, this, pick);
    // A typed date is shown in the short form once the box is left.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        const QDate typed = date();
        if (typed.isValid())
            setDate(typed);
    });
}

QDate DateBox::parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QDate date = QLocale().toDate(trimmed, QLocale::ShortFormat);
    return date.isValid() ? date : QDate::fromString(trimmed, Qt::ISODate);
}

QDate DateBox::date() const {
    return parse(text());
}

void DateBox::setDate(QDate date) {
    const QString shown = date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
    if (shown != text())
        setText(shown);
}

void DateBox::showCalendar() {
    const QDate current = date();
    m_calendar->setSelectedDate(current.isValid() ? current : (m_today ? m_today() : QDate::currentDate()));
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(rect().bottomLeft()));
    m_calendar->show();
    m_calendar->setFocus();
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>

class QWidget;

// The seams between the program and its surroundings: messages to the user, the time, the desktop.

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void warning(const QString& text) = 0;     // warning icon, OK
    virtual bool question(const QString& text) = 0;    // information icon, Yes / Cancel; true on Yes
    virtual void information(const QString& text) = 0; // information icon, OK
    virtual void error(const QString& text) = 0;       // error icon, OK
};

// Shows each message in a QMessageBox over the active window.
class MessageBoxDialogs final : public Dialogs {
public:
    void warning(const QString& text) override;
    bool question(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

// Called first in main: names the system's time zone file in TZ when TZ is unset, so the C library reads the
// zone once instead of looking at /etc/localtime again at every reading of the clock. A zone changed while
// the program runs then takes effect at its next start.
void pinLocalTimeZone();

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl& url);
};

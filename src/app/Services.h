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

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl& url);
};

#include "app/Services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void MessageBoxDialogs::warning(const QString& text) {
    show(QMessageBox::Warning, text, QMessageBox::Ok);
}

bool MessageBoxDialogs::question(const QString& text) {
    return show(QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::Cancel) == QMessageBox::Yes;
}

void MessageBoxDialogs::information(const QString& text) {
    show(QMessageBox::Information, text, QMessageBox::Ok);
}

void MessageBoxDialogs::error(const QString& text) {
    show(QMessageBox::Critical, text, QMessageBox::Ok);
}

void UrlOpener::open(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

void pinLocalTimeZone() {
    if (qEnvironmentVariableIsSet("TZ") || !QFile::exists(QStringLiteral("/etc/localtime")))
        return;
    qputenv("TZ", ":/etc/localtime");
}

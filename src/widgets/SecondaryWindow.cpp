#include "widgets/SecondaryWindow.h"

#include "app/Program.h"
#include "app/TForm1.h"

#include <QGuiApplication>
#include <QScreen>

SecondaryWindow::SecondaryWindow(Program& program, const QString& className, const QString& caption, QSize outerSize)
    : QDialog(nullptr), m_program(program) {
    setObjectName(className);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    // The outer size of the design, less a title bar of about 30 pixels and borders.
    setFixedSize(outerSize.width() - 8, outerSize.height() - 30);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SecondaryWindow::showModalFromMain() {
    if (isVisible())
        return;
    if (m_program.form1)
        m_program.form1->hide();
    exec();
}

void SecondaryWindow::FormClose() {
    if (m_program.form1)
        m_program.form1->show();
}

void SecondaryWindow::done(int result) {
    if (isVisible())
        guarded(m_program, [this] { FormClose(); });
    QDialog::done(result);
}

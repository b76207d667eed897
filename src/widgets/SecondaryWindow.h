#pragma once

#include <QDialog>

class Program;

// A window shown modally while the main window is hidden. Its FormClose runs whenever it closes, by any means,
// while it is still on the screen; the default shows the main window again.
class SecondaryWindow : public QDialog {
    Q_OBJECT
public:
    SecondaryWindow(Program& program, const QString& className, const QString& caption, QSize outerSize);

    // Hides the main window and shows this one modally; returns when it has closed.
    void showModalFromMain();

    virtual void FormClose();

    void done(int result) override;

protected:
    Program& m_program;
};

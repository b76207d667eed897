#pragma once

#include <QDialog>

class Program;
class QTimer;
class QEventLoop;

// The splash: aqua, a banknote picture, the name, the version and the maker. Its timer starts when it is
// created, so it shows for a little less than its interval; a click on its own background closes it at once.
class TSplash final : public QDialog {
    Q_OBJECT
public:
    explicit TSplash(Program& program);

    // Shows the splash modally until its timer or a click closes it.
    void showModal();

    void FormCreate();
    void Timer1Timer();
    void FormClick();

    QTimer* Timer1 = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QEventLoop* m_loop = nullptr;
};

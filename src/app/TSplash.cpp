#include "app/TSplash.h"

#include "app/Program.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

// A bundle of banknotes, drawn rather than shipped.
QPixmap banknotes() {
    QPixmap picture(209, 145);
    picture.fill(QColor(0x00, 0xFF, 0xFF));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor notes[] = {QColor(0x6F, 0x9E, 0x6B), QColor(0x8C, 0xB8, 0x7A), QColor(0xA7, 0xCF, 0x8E)};
    for (int i = 0; i < 3; ++i) {
        painter.save();
        painter.translate(104, 72);
        painter.rotate(-12 + i * 10);
        const QRectF note(-80, -40, 160, 80);
        painter.setPen(QPen(QColor(0x2E, 0x5A, 0x2C), 2));
        painter.setBrush(notes[i]);
        painter.drawRoundedRect(note, 6, 6);
        painter.drawEllipse(QPointF(0, 0), 22, 22);
        painter.setFont(QFont(QStringLiteral("Serif"), 14, QFont::Bold));
        painter.drawText(note.adjusted(8, 4, -8, -4), Qt::AlignTop | Qt::AlignLeft, QStringLiteral("100"));
        painter.drawText(note.adjusted(8, 4, -8, -4), Qt::AlignBottom | Qt::AlignRight, QStringLiteral("100"));
        painter.restore();
    }
    return picture;
}

QLabel* text(QWidget* parent, const QString& name, const QString& value, int pixelSize, QRect geometry) {
    auto* label = new QLabel(value, parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    return label;
}

} // namespace

TSplash::TSplash(Program& program) : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("TSplash"));
    setWindowTitle(QStringLiteral("Grenlunda"));
    setFixedSize(354, 143);
    setStyleSheet(QStringLiteral("TSplash { background: #00FFFF; border: 1px solid black; }"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0xFF, 0xFF));
    setPalette(palette);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    // Inside the border, which the picture would otherwise cover on three sides.
    image->setGeometry(1, 1, 209, 141);
    image->setScaledContents(true);
    image->setPixmap(banknotes());
    text(this, QStringLiteral("Label1"), QStringLiteral("Slantvis"), 24, QRect(216, 16, 136, 32));
    text(this, QStringLiteral("Label2"), QStringLiteral("Version 2.03"), 13, QRect(216, 56, 136, 20));
    text(this, QStringLiteral("Label4"), QStringLiteral("..."), 16, QRect(216, 96, 136, 24));

    Timer1 = new QTimer(this);
    Timer1->setInterval(program.options().splashMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &TSplash::Timer1Timer);
    Timer1->start();
    FormCreate();
}

void TSplash::showModal() {
    setWindowModality(Qt::ApplicationModal);
    show();
    // The timer may already have closed it while it came up.
    if (!isVisible())
        return;
    QEventLoop loop;
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
}

void TSplash::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (m_loop)
        m_loop->quit();
}

void TSplash::FormCreate() {
    if (auto* maker = findChild<QLabel*>(QStringLiteral("Label4")))
        maker->setText(QStringLiteral("Grenlunda 2026"));
}

void TSplash::Timer1Timer() {
    close();
}

void TSplash::FormClick() {
    close();
}

void TSplash::mousePressEvent(QMouseEvent* event) {
    // Only the window's own background: clicks on the picture or a text go to those children.
    if (childAt(event->position().toPoint()) == nullptr)
        FormClick();
    QDialog::mousePressEvent(event);
}

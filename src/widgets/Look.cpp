#include "widgets/Look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStringList>
#include <QStyleFactory>

namespace look {

void apply(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    const QColor steel(0x3C, 0x44, 0x4E);
    const QColor steelDark(0x2B, 0x31, 0x38);
    const QColor text(0xE8, 0xEC, 0xF0);
    palette.setColor(QPalette::Window, steel);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
    palette.setColor(QPalette::AlternateBase, QColor(0xEE, 0xF2, 0xF6));
    palette.setColor(QPalette::Text, QColor(0x10, 0x14, 0x18));
    palette.setColor(QPalette::Button, QColor(0x52, 0x5C, 0x68));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, QColor(0x10, 0x10, 0x10));
    palette.setColor(QPalette::Highlight, QColor(0x52, 0x7B, 0xC6));
    palette.setColor(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xF4, 0xF6, 0xF8));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xA0, 0xA8, 0xB0));
    palette.setColor(QPalette::Shadow, steelDark);
    app.setPalette(palette);
    app.setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid #1E242B; border-radius: 3px; padding: 3px 2px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6B7785, stop:1 #46505B); color: #F2F4F6; }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7E8C9C, stop:1 #566270); }"
        "QPushButton:pressed { background: #3A424B; }"
        "QPushButton:disabled { font-weight: bold; color: #F4F6F8; background: transparent; border: none; }"
        "QComboBox, QLineEdit { background: #FFFFFF; color: #101418; border: 1px solid #1E242B;"
        "  padding: 1px 3px; selection-background-color: #527BC6; }"
        "QComboBox QAbstractItemView { background: #FFFFFF; color: #101418; }"
        "QTableView { gridline-color: #B8C0C8; color: #101418; selection-background-color: #527BC6; }"
        "QHeaderView::section { background: #DDE3EA; color: #101418; border: 1px solid #B8C0C8;"
        "  font-family: Tahoma; font-size: 8pt; font-weight: bold; padding: 2px; }"
        "QToolTip { color: #101010; background: #FFFFE1; border: 1px solid #767676; }"
        "QLabel { color: #E8ECF0; }"));
    // The design fonts are narrow; where they are missing, narrow look-alikes keep captions inside their
    // buttons rather than the wide default sans.
    const QStringList narrowSans{QStringLiteral("Microsoft Sans Serif"),
                                 QStringLiteral("Liberation Sans"),
                                 QStringLiteral("Arimo"),
                                 QStringLiteral("Nimbus Sans"),
                                 QStringLiteral("Arial"),
                                 QStringLiteral("DejaVu Sans Condensed")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), narrowSans);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               QStringList{QStringLiteral("DejaVu Sans Condensed")} + narrowSans);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
}

} // namespace look

#include "widgets/NavBar.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kButtonStyle = QStringLiteral(
    "QPushButton { text-align: left; padding-left: 12px; font-family: Tahoma; font-weight: bold; color: #0B2A66;"
    "  border: none; border-top: 1px solid #002D96;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #CBE1FC, stop:1 #7DA5E0); }"
    "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFDC, stop:1 #F7C05B); }"
    "QPushButton:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #E87F08, stop:1 #F7DA7C); }"
    "QPushButton[active=\"true\"] {"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FBE694, stop:1 #EE9515); }");

} // namespace

NavBar::NavBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AdvNavBar1"));
    setStyleSheet(QStringLiteral("#AdvNavBar1 { border: 1px solid #002D96; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("AdvNavBar1Caption"));
    m_caption->setFixedHeight(27);
    m_caption->setStyleSheet(
        QStringLiteral("color: white; font-family: Tahoma; font-size: 15px; font-weight: bold; padding-left: 8px;"
                       "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5987D6, stop:1 #033893);"));
    m_stack = new QStackedWidget(this);
    m_stack->setFixedHeight(389);
    m_buttonArea = new QWidget(this);
    auto* buttons = new QVBoxLayout(m_buttonArea);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addWidget(m_stack);
    layout->addWidget(m_buttonArea, 1);
    connect(m_stack, &QStackedWidget::currentChanged, this, [this](int index) {
        updateButtons();
        emit activeTabChanged(index);
    });
}

QWidget* NavBar::addPanel(const QString& objectName, const QString& caption) {
    auto* panel = new QWidget(m_stack);
    panel->setObjectName(objectName);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    m_stack->addWidget(panel);
    m_captions.push_back(QString(caption).replace(QLatin1String("&&"), QLatin1String("&")));

    const int index = static_cast<int>(m_buttons.size());
    // A button reads a single "&" as a shortcut mark; the doubled one shows as itself.
    auto* button = new QPushButton(QString(m_captions.back()).replace(u'&', QLatin1String("&&")), m_buttonArea);
    button->setObjectName(QStringLiteral("AdvNavBar1Tab%1").arg(index));
    button->setStyleSheet(kButtonStyle);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, index] { setActiveTabIndex(index); });
    m_buttonArea->layout()->addWidget(button);
    m_buttons.push_back(button);
    updateButtons();
    return panel;
}

int NavBar::activeTabIndex() const {
    return m_stack->currentIndex();
}

void NavBar::setActiveTabIndex(int index) {
    if (index >= 0 && index < m_stack->count())
        m_stack->setCurrentIndex(index);
}

QWidget* NavBar::panel(int index) const {
    return m_stack->widget(index);
}

QString NavBar::caption(int index) const {
    return m_captions.at(static_cast<size_t>(index));
}

void NavBar::updateButtons() {
    const int active = m_stack->currentIndex();
    if (active >= 0 && active < static_cast<int>(m_captions.size()))
        m_caption->setText(m_captions[static_cast<size_t>(active)]);
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setProperty("active", static_cast<int>(i) == active);
        m_buttons[i]->style()->unpolish(m_buttons[i]);
        m_buttons[i]->style()->polish(m_buttons[i]);
    }
}

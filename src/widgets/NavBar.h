#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;

// An office-style navigation bar: a caption strip with the active tab's caption, the active tab's panel, and
// one button per tab stacked below it.
class NavBar final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ActiveTabIndex READ activeTabIndex WRITE setActiveTabIndex NOTIFY activeTabChanged)
public:
    explicit NavBar(QWidget* parent = nullptr);

    // Adds a panel; `caption` may hold "&&" for one ampersand.
    QWidget* addPanel(const QString& objectName, const QString& caption);
    int activeTabIndex() const;
    void setActiveTabIndex(int index);
    QWidget* panel(int index) const;
    QPushButton* tabButton(int index) const { return m_buttons.at(static_cast<size_t>(index)); }
    QString caption(int index) const;

signals:
    void activeTabChanged(int index);

private:
    void updateButtons();

    QLabel* m_caption = nullptr;
    QStackedWidget* m_stack = nullptr;
    QWidget* m_buttonArea = nullptr;
    std::vector<QPushButton*> m_buttons;
    std::vector<QString> m_captions;
};

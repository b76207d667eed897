#pragma once

#include "app/Program.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

// Records every message and answers questions from a queue (Yes when the queue is empty).
class RecordingDialogs final : public Dialogs {
public:
    struct Message {
        QString kind; // "warning", "question", "information", "error"
        QString text;
    };

    void warning(const QString& text) override { messages.push_back({QStringLiteral("warning"), text}); }
    bool question(const QString& text) override;
    void information(const QString& text) override { messages.push_back({QStringLiteral("information"), text}); }
    void error(const QString& text) override { messages.push_back({QStringLiteral("error"), text}); }

    QStringList texts() const;
    QString last() const { return messages.empty() ? QString() : messages.back().text; }
    void clear() { messages.clear(); }

    std::vector<Message> messages;
    std::deque<bool> answers;
};

class FakeClock final : public Clock {
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 3, 10), QTime(12, 0)};
};

class RecordingUrlOpener final : public UrlOpener {
public:
    void open(const QUrl& url) override { opened.push_back(url); }
    std::vector<QUrl> opened;
};

// A program over a temporary Db/ made from data/ (with the shipped chart and data.ini), or with empty tables.
class TestProgram {
public:
    enum class Chart { Shipped, Empty };
    explicit TestProgram(Chart chart = Chart::Shipped);
    ~TestProgram();

    QString dbDir() const { return m_dir.path() + QStringLiteral("/Db"); }

    // Runs SQL straight on the database file (before or after start-up).
    void sql(const QString& statement);
    // The first column of the first row of a query, or an invalid value.
    QVariant scalar(const QString& query);

    // Creates the windows and shows the main window, running the start-up sequence. Any modal window that
    // comes up meanwhile (the create-account window with no accounts) is handed to `onModal`, default: closed.
    void start(std::function<void(QWidget*)> onModal = {});

    Program& program() { return *m_program; }
    TForm1& form1();

    RecordingDialogs dialogs;
    FakeClock clock;
    RecordingUrlOpener urlOpener;
    QStringList modalsSeen; // objectNames of modal windows that came up during start()

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Program> m_program;
};

// The modal window on the screen (message boxes included), splash excepted.
QWidget* shownModal();

// Calls `action` with the next modal window to come up (polling from the event loop), once.
void whenModalShows(std::function<void(QWidget*)> action);

// Sets the Swedish locale as the default, as every test expects.
void useSwedishLocale();

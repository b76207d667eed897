#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace store {

// The settings file data.ini: section "Slantvis", key Startdag. Every read and write goes straight to the file.
class Settings final {
public:
    static constexpr int kDefaultBreakDay = 25;

    explicit Settings(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }
    bool exists() const;

    // Startdag, or kDefaultBreakDay when the key is missing or not an integer.
    int readBreakDay() const;

    // Writes Startdag, keeping every other line of the file; creates the file when missing. Throws store::Error
    // with "Unable to write to <path>" when the file cannot be written.
    void writeBreakDay(int day) const;

private:
    QString m_path;
};

// The integer value of key `key` in section `section` of INI text, or nothing.
std::optional<int> iniInteger(const QByteArray& text, const QByteArray& section, const QByteArray& key);

// INI text with `key` in `section` set to `value`; the section is added when missing.
QByteArray iniWithInteger(const QByteArray& text, const QByteArray& section, const QByteArray& key, int value);

} // namespace store

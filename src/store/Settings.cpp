#include "store/Settings.h"

#include "store/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace store {

namespace {

// A settings file is a few lines; a larger file is not read past this and never rewritten.
constexpr qint64 kLargestFile = 1024 * 1024;

QByteArray sectionName(const QByteArray& line) {
    QByteArray trimmed = line.trimmed();
    // Editors that save UTF-8 with a byte order mark put it before the first section name.
    if (trimmed.startsWith("\xEF\xBB\xBF"))
        trimmed = trimmed.mid(3).trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith('[') && trimmed.endsWith(']'))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return {};
}

bool isKeyLine(const QByteArray& line, const QByteArray& key, QByteArray* value) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(equals + 1).trimmed();
    return true;
}

} // namespace

std::optional<int> iniInteger(const QByteArray& text, const QByteArray& section, const QByteArray& key) {
    bool inSection = false;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray name = sectionName(line);
        if (!name.isEmpty()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QByteArray value;
        if (inSection && isKeyLine(line, key, &value)) {
            bool ok = false;
            const int number = value.toInt(&ok);
            return ok ? std::optional<int>(number) : std::nullopt;
        }
    }
    return std::nullopt;
}

QByteArray iniWithInteger(const QByteArray& text, const QByteArray& section, const QByteArray& key, int value) {
    const QByteArray entry = key + '=' + QByteArray::number(value);
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    bool inSection = false;
    qsizetype sectionEnd = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray name = sectionName(lines[i]);
        if (!name.isEmpty()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (inSection) {
            if (isKeyLine(lines[i], key, nullptr)) {
                lines[i] = entry;
                return lines.join('\n') + '\n';
            }
            if (!lines[i].trimmed().isEmpty())
                sectionEnd = i + 1;
        }
    }
    if (sectionEnd < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append('[' + section + ']');
        lines.append(entry);
    } else {
        lines.insert(sectionEnd, entry);
    }
    return lines.join('\n') + '\n';
}

bool Settings::exists() const {
    return QFileInfo::exists(m_path);
}

int Settings::readBreakDay() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return kDefaultBreakDay;
    const QByteArray text = file.read(kLargestFile);
    return iniInteger(text, "Slantvis", "Startdag").value_or(kDefaultBreakDay);
}

void Settings::writeBreakDay(int day) const {
    // Every byte of the old file is kept apart from the one key; a file too large to hold is left alone.
    const QFileInfo info(m_path);
    QByteArray text;
    bool readable = !info.exists();
    QFile existing(m_path);
    if (info.exists() && existing.open(QIODevice::ReadOnly)) {
        text = existing.read(kLargestFile + 1);
        readable = text.size() <= kLargestFile && existing.error() == QFileDevice::NoError;
    }
    existing.close();
    const QByteArray updated = iniWithInteger(text, "Slantvis", "Startdag", day);
    // The value it already holds: nothing to write (the start-up sets the control from the file).
    if (info.exists() && readable && updated == text)
        return;
    const bool writable = readable && (!info.exists() || info.isWritable());
    QSaveFile file(m_path);
    file.setDirectWriteFallback(false);
    if (!writable || !file.open(QIODevice::WriteOnly) || file.write(updated) < 0 || !file.commit())
        throw Error(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(m_path)));
    if (!info.exists())
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace store

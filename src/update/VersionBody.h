#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// What a version fetch answered, from the bytes received and whether the transfer completed. Needs Qt Core only.
namespace update {

// More than any version number needs; a longer body is cut here and so never equals a version text.
inline constexpr qsizetype maxBodyBytes = 4096;

// How many bytes of a further chunk of `length` to keep after `received` bytes. The receiver keeps one byte past
// the limit to know the body was cut; keeping less than the chunk ends the transfer.
qsizetype bytesToKeep(qsizetype received, qsizetype length);

// The text of the body, at most maxBodyBytes of it, or nothing when there is no answer. A body longer than the
// limit is an answer even though its transfer was ended early; otherwise only a completed, non-empty transfer is,
// since a part of a version number is no version number. The bytes are decoded as UTF-8, untrimmed,
// a leading byte-order mark included.
std::optional<QString> bodyText(QByteArrayView received, bool completed);

} // namespace update

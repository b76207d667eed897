#include "update/VersionBody.h"

#include <QStringDecoder>
#include <algorithm>

namespace update {

qsizetype bytesToKeep(qsizetype received, qsizetype length) {
    return std::clamp(maxBodyBytes + 1 - received, qsizetype(0), std::max(length, qsizetype(0)));
}

std::optional<QString> bodyText(QByteArrayView received, bool completed) {
    const bool cut = received.size() > maxBodyBytes;
    if (!cut && (!completed || received.isEmpty()))
        return std::nullopt;
    // A leading byte-order mark and an unfinished sequence at the end both stay in the text (the latter as a
    // replacement character): only the exact bytes of a version number read as that number. Every byte decodes to
    // at most one UTF-16 unit, so the text stays within the limit as well.
    QStringDecoder decode(QStringDecoder::Utf8,
                          QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return QString(decode(received.first(std::min(received.size(), maxBodyBytes))));
}

} // namespace update

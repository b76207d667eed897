// Version-check body: any bytes, completed or not, give either no answer or a text within the limit, and only
// the exact bytes of our version number give that number.
#include "update/VersionBody.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte: whether the transfer completed, and whether to repeat the rest past the limit.
    const bool completed = (data[0] & 1) != 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QByteArray body =
        (data[0] & 2) && !rest.isEmpty() ? rest.repeated(update::maxBodyBytes / rest.size() + 1) : rest;

    // Received the way the fetch receives it: in chunks, stopping once a chunk is not kept whole.
    QByteArray received;
    bool ended = false;
    for (qsizetype at = 0; at < body.size() && !ended;) {
        const qsizetype length = std::min<qsizetype>(body.size() - at, 1 + (body[at] & 0x3f));
        const qsizetype keep = update::bytesToKeep(received.size(), length);
        if (keep < 0 || keep > length)
            std::abort();
        received.append(body.sliced(at, keep));
        ended = keep < length;
        at += length;
    }
    if (received.size() > update::maxBodyBytes + 1 || (ended && received.size() != update::maxBodyBytes + 1))
        std::abort();

    const std::pair<QByteArrayView, bool> cases[] = {{body, completed}, {received, completed && !ended}};
    for (const auto& [bytes, whole] : cases) {
        const std::optional<QString> text = update::bodyText(bytes, whole);
        if (text && text->size() > update::maxBodyBytes)
            std::abort();
        if (text && *text == QLatin1String("203") && bytes != "203")
            std::abort();
        if (bytes.isEmpty() && text)
            std::abort();
        if (bytes.size() > update::maxBodyBytes && !text)
            std::abort(); // a cut body is still an answer
    }
    return 0;
}

// The stream parser fed in chunks of sizes the input chooses, and every line it completes
// decoded and classified as the backend does.

#include "jsondecoder.h"
#include "streamparser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks the chunk size, the second the line limit.
    const qsizetype chunk = 1 + data[0] % 64;
    const qint64 limit = 16 + qint64(data[1]) * 64;
    const QByteArray stream(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    Zr::StreamParser parser(limit);
    for (qsizetype at = 0; at < stream.size(); at += chunk) {
        bool overflow = false;
        const QList<QByteArray> lines = parser.feed(stream.mid(at, chunk), &overflow);
        if (parser.pendingBytes() > limit)
            __builtin_trap(); // the limit is what bounds the memory of a stalled line
        for (const QByteArray &line : lines) {
            if (line.isEmpty() || line.endsWith('\n') || line.endsWith('\r'))
                __builtin_trap();
            const QVariant value = Zr::JsonDecoder::decode(line);
            StreamObjectType::StreamObjectType type;
            QVariantList records;
            Zr::StreamParser::classify(value.toMap(), &type, &records);
        }
    }
    return 0;
}

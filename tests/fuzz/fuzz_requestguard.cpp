// The sandbox's check of a request head: whatever the head, an answer is either empty (let
// through) or a complete refusal, and a declared body is never negative.

#include "requestguard.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray head(reinterpret_cast<const char *>(data), qsizetype(size));
    qint64 bodyLength = 0;
    bool expectContinue = false;
    const QByteArray refusal = RequestGuard::check(head, &bodyLength, &expectContinue);
    if (bodyLength < 0)
        __builtin_trap();
    if (!refusal.isEmpty() && !refusal.startsWith("HTTP/1.1 4"))
        __builtin_trap();
    if (refusal.isEmpty() && bodyLength > RequestGuard::maxMultipartBytes)
        __builtin_trap();
    return 0;
}

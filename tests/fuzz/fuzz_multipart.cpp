// The sandbox's multipart/form-data parser: the first line of the input is the Content-Type
// header, the rest the body.

#include "multipartparser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    const QByteArray contentType = newline < 0 ? input : input.left(newline);
    const QByteArray body = newline < 0 ? QByteArray() : input.mid(newline + 1);

    MultipartParser::boundary(contentType);
    const auto parts = MultipartParser::parse(contentType, body);
    if (!parts)
        return 0;
    qsizetype total = 0;
    for (const MultipartPart &part : *parts)
        total += part.data.size();
    // A part's data is cut from the body, never made up.
    if (total > body.size())
        __builtin_trap();
    return 0;
}

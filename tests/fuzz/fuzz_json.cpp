// The JSON decoder with the id rule, and encoding what it decoded again.

#include "jsondecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const QVariant value = Zr::JsonDecoder::decode(json, &error);
    if (!value.isValid())
        return 0;
    // What was decoded encodes and decodes again to the same tree.
    const QByteArray again = Zr::JsonDecoder::encode(value);
    if (Zr::JsonDecoder::decode(again) != value)
        __builtin_trap();
    Zr::JsonDecoder::idText(value);
    return 0;
}

#ifndef ZR_JSONDECODER_H
#define ZR_JSONDECODER_H

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace Zr {

// Turns the service's JSON into variant maps and lists with exact ids: wherever a map holds
// "<key>_str" beside "<key>", "<key>" takes the string, and "ids" lists hold strings.
class JsonDecoder
{
public:
    // An invalid QVariant, with *error set, when json is not a JSON object or array.
    static QVariant decode(const QByteArray &json, QString *error = nullptr);

    // Applies the id rule to a value that did not come through decode().
    static QVariant exactIds(const QVariant &value);

    // Compact JSON of a variant tree (maps, lists, strings, numbers, booleans, null).
    static QByteArray encode(const QVariant &value);

    // The text of an id that may arrive as a string or a number.
    static QString idText(const QVariant &value);
};

} // namespace Zr

#endif // ZR_JSONDECODER_H

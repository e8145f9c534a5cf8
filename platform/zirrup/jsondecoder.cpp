#include "jsondecoder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>

namespace Zr {

namespace {

const QString strSuffix = QStringLiteral("_str");
const QString idsKey = QStringLiteral("ids");

void applyIdRule(QVariantMap &map)
{
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QString &key = it.key();
        if (key.size() > strSuffix.size() && key.endsWith(strSuffix)) {
            const QString base = key.left(key.size() - strSuffix.size());
            auto target = map.find(base);
            if (target != map.end())
                target.value() = it.value();
        }
    }
    auto ids = map.find(idsKey);
    if (ids != map.end() && ids.value().typeId() == QMetaType::QVariantList) {
        QVariantList list = ids.value().toList();
        for (QVariant &id : list)
            id = JsonDecoder::idText(id);
        ids.value() = list;
    }
}

QVariant convert(const QJsonValue &value);

QVariantMap convertObject(const QJsonObject &object)
{
    QVariantMap map;
    for (auto it = object.begin(); it != object.end(); ++it)
        map.insert(it.key(), convert(it.value()));
    applyIdRule(map);
    return map;
}

QVariant convert(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Object:
        return convertObject(value.toObject());
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        QVariantList list;
        list.reserve(array.size());
        for (const QJsonValue &element : array)
            list.append(convert(element));
        return list;
    }
    default:
        return value.toVariant();
    }
}

} // namespace

QVariant JsonDecoder::decode(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("Malformed JSON answer (%1 at offset %2)")
                         .arg(parseError.errorString())
                         .arg(parseError.offset);
        return {};
    }
    if (document.isObject())
        return convertObject(document.object());
    if (document.isArray())
        return convert(document.array());
    if (error)
        *error = QStringLiteral("Empty JSON answer");
    return {};
}

QVariant JsonDecoder::exactIds(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = exactIds(it.value());
        applyIdRule(map);
        return map;
    }
    case QMetaType::QVariantList: {
        QVariantList list = value.toList();
        for (QVariant &element : list)
            element = exactIds(element);
        return list;
    }
    default:
        return value;
    }
}

QByteArray JsonDecoder::encode(const QVariant &value)
{
    const QJsonValue json = QJsonValue::fromVariant(value);
    if (json.isArray())
        return QJsonDocument(json.toArray()).toJson(QJsonDocument::Compact);
    if (json.isObject())
        return QJsonDocument(json.toObject()).toJson(QJsonDocument::Compact);
    // A lone scalar is wrapped so that the document stays valid JSON.
    return QJsonDocument(QJsonArray {json}).toJson(QJsonDocument::Compact);
}

QString JsonDecoder::idText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Long:
        return QString::number(value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::UInt:
    case QMetaType::ULong:
        return QString::number(value.toULongLong());
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d))
            return QString::number(d, 'f', 0);
        return QString::number(d);
    }
    default:
        return value.isNull() ? QString() : value.toString();
    }
}

} // namespace Zr

#include "streamparser.h"

namespace Zr {

StreamParser::StreamParser(qint64 maxLineBytes)
    : m_maxLine(maxLineBytes)
{ }

QList<QByteArray> StreamParser::feed(const QByteArray &chunk, bool *overflow)
{
    if (overflow)
        *overflow = false;
    QList<QByteArray> lines;
    m_buffer.append(chunk);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', start);
        if (end < 0)
            break;
        const QByteArray line = m_buffer.mid(start, end - start).trimmed();
        if (!line.isEmpty())
            lines.append(line);
        start = end + 1;
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > m_maxLine) {
        m_buffer.clear();
        if (overflow)
            *overflow = true;
    }
    return lines;
}

void StreamParser::reset()
{
    m_buffer.clear();
}

bool StreamParser::classify(const QVariantMap &object, StreamObjectType::StreamObjectType *type,
                            QVariantList *data)
{
    using namespace StreamObjectType;
    const auto innerRecord = [&](const QString &key, ::StreamObjectType::StreamObjectType kind) {
        const QVariant inner = object.value(key);
        if (inner.typeId() != QMetaType::QVariantMap)
            return false;
        *type = kind;
        *data = QVariantList {inner};
        return true;
    };

    if (object.contains(QStringLiteral("home_status")))
        return innerRecord(QStringLiteral("home_status"), HomeStatus);
    if (object.contains(QStringLiteral("mention")))
        return innerRecord(QStringLiteral("mention"), Mention);
    if (object.contains(QStringLiteral("direct_message")))
        return innerRecord(QStringLiteral("direct_message"), DirectMessage);

    if (object.contains(QStringLiteral("delete"))) {
        const QVariantMap deletion = object.value(QStringLiteral("delete")).toMap();
        if (deletion.value(QStringLiteral("status")).typeId() == QMetaType::QVariantMap)
            *type = StatusDeletion;
        else if (deletion.value(QStringLiteral("direct_message")).typeId()
                 == QMetaType::QVariantMap)
            *type = DirectMessageDeletion;
        else
            return false;
        *data = QVariantList {object};
        return true;
    }

    if (object.contains(QStringLiteral("event"))) {
        const QString event = object.value(QStringLiteral("event")).toString();
        if (event.isEmpty())
            return false;
        if (event == QLatin1String("favorite"))
            *type = Favorite;
        else if (event == QLatin1String("unfavorite"))
            *type = Unfavorite;
        else
            *type = Event;
        *data = QVariantList {object};
        return true;
    }

    if (object.value(QStringLiteral("friends")).typeId() == QMetaType::QVariantList) {
        *type = Friends;
        *data = QVariantList {object};
        return true;
    }
    return false;
}

} // namespace Zr

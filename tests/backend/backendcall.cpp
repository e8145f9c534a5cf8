#include "testsupport.h"

#include <QRegularExpression>
#include <QtTest>

using Zr::ArgMap;
using Zr::Zirrup;

int callBackend(Zirrup *z, const QJsonObject &row, int *id, QVariantList *list)
{
    using Simple = int (Zirrup::*)(const ArgMap &, int *);
    static const QHash<QString, Simple> simple {
        {"writeStatus", &Zirrup::writeStatus},
        {"retweetStatus", &Zirrup::retweetStatus},
        {"deleteStatus", &Zirrup::deleteStatus},
        {"createBlock", &Zirrup::createBlock},
        {"startStreaming", &Zirrup::startStreaming},
        {"deleteDirectMessage", &Zirrup::deleteDirectMessage}};
    const QString name = row["call"].toString();
    const ArgMap args = argMap(row["args"]);
    const int type = row["type"].toInt();
    const auto behavior = Zr::RetrieveBehavior(row["behavior"].toInt(Zr::CacheThenNetwork));
    if (simple.contains(name))
        return (z->*simple.value(name))(args, id);
    if (name == "timeline")
        return z->retrieveTimelineResources(list, id, TimelineType::TimelineType(type), args,
                                            behavior);
    if (name == "status")
        return z->retrieveStatus(list, args, id);
    if (name == "messages")
        return z->retrieveDirectMessages(list, id, DirectMessageType::DirectMessageType(type), args,
                                         behavior);
    if (name == "user")
        return z->retrieveUserResources(list, id, UserType::UserType(type), args, behavior);
    if (name == "faf")
        return z->retrieveFaFResources(list, FriendsFollowersType::FriendsFollowersType(type), args,
                                       id, behavior);
    if (name == "friendshipExists")
        return z->friendshipExists(list, args, id);
    if (name == "blockedIds")
        return z->retrieveBlockedIdsList(list, id, behavior);
    if (name == "account")
        return z->retrieveAccountResources(id, AccountType::AccountType(type), args, {});
    if (name == "trends")
        return z->retrieveTrends(list, id, TrendType::TrendType(type), args, behavior);
    if (name == "savedSearch")
        return z->retrieveSavedSearch(SSType::SSType(type), args, id);
    if (name == "geo")
        return z->retrieveGeo(list, GeoType::GeoType(type), args, id, behavior);
    if (name == "search")
        return z->searchResources(args, id, SearchType::SearchType(type));
    if (name == "media")
        return z->postStatusWithMedia(args, id, {});
    if (name == "wrap")
        return z->UrlToSnip(args.value("url"), id);
    if (name == "help") {
        QVariantMap held;
        const int result =
            z->retrieveHelp(HelpType::Configuration, list ? &held : nullptr, args, id, behavior);
        if (list && !held.isEmpty())
            list->append(held);
        return result;
    }
    qFatal("no call %s", qPrintable(name));
}

QMetaMethod completionOf(const QJsonObject &row)
{
    const QByteArray name = row["signal"].toString().toLatin1();
    const QMetaObject &meta = Zirrup::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        if (meta.method(i).methodType() == QMetaMethod::Signal && meta.method(i).name() == name)
            return meta.method(i);
    }
    return {};
}

QByteArray cannedAnswer(const QJsonValue &value)
{
    static const QRegularExpression placeholder(
        QStringLiteral("\"?\\$(user|status(es)?)(?::(\\d+)(?:-(\\d+))?)?\"?"));
    QString text = QString::fromUtf8(jsonBytes(value));
    for (auto m = placeholder.match(text); m.hasMatch(); m = placeholder.match(text)) {
        const QByteArray first = m.captured(3).toLatin1(), last = m.captured(4).toLatin1();
        QList<QByteArray> records;
        if (m.captured(1) == QLatin1String("user"))
            records.append(userJson("1845", "bob"));
        else if (first.isEmpty())
            records.append(statusJson("9223372036854775809", "hello"));
        else if (last.isEmpty())
            records.append(statusJson(first, "status " + first));
        else
            for (int id = first.toInt(); id >= last.toInt(); --id)
                records.append(
                    statusJson(QByteArray::number(id), "status " + QByteArray::number(id)));
        text.replace(m.capturedStart(), m.capturedLength(), QString::fromUtf8(records.join(',')));
    }
    return text.toUtf8();
}

QVariant valueAt(const QVariant &root, const QString &path)
{
    QVariant value = root;
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex ? value.toList().value(index) : value.toMap().value(step);
    }
    return value;
}

void expectValues(const QVariant &root, const QJsonObject &expect)
{
    for (auto it = expect.begin(); it != expect.end(); ++it) {
        const QVariant actual = valueAt(root, it.key());
        if (it->isDouble())
            QCOMPARE(actual.toInt(), it->toInt());
        else if (it->isString())
            QCOMPARE(actual.toString(), it->toString());
        else if (it->isObject())
            QCOMPARE(actual.value<ArgMap>(), argMap(*it));
        else
            QCOMPARE(QJsonValue::fromVariant(actual), *it);
        if (QTest::currentTestFailed()) {
            qWarning("at %s", qPrintable(it.key()));
            return;
        }
    }
}

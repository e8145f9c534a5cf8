#include "backendcall.h"

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
        {"createFavorite", &Zirrup::createFavorite},
        {"destroyFavorite", &Zirrup::destroyFavorite},
        {"createBlock", &Zirrup::createBlock},
        {"destroyBlock", &Zirrup::destroyBlock},
        {"startStreaming", &Zirrup::startStreaming},
        {"writeDirectMessage", &Zirrup::writeDirectMessage},
        {"deleteDirectMessage", &Zirrup::deleteDirectMessage},
        {"createFriendship", &Zirrup::createFriendship},
        {"destroyFriendship", &Zirrup::destroyFriendship}};
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
    if (name == "favorites")
        return z->retrieveFavorites(list, id, args, behavior);
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
    if (name == "list")
        return z->retrieveList(ListType::ListType(type), args, id);
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

static QByteArray statusArray(int newest, int oldest)
{
    QList<QByteArray> records;
    for (int id = newest; id >= oldest; --id)
        records.append(statusJson(QByteArray::number(id), "status " + QByteArray::number(id)));
    return records.join(',');
}

QByteArray cannedAnswer(const QJsonValue &value)
{
    QByteArray json = jsonBytes(value);
    static const QRegularExpression records(
        QStringLiteral("\"?\\$status(es)?:(\\d+)(?:-(\\d+))?\"?"));
    QString text = QString::fromUtf8(json);
    for (auto m = records.match(text); m.hasMatch(); m = records.match(text)) {
        const QByteArray id = m.captured(2).toLatin1();
        text.replace(m.capturedStart(), m.capturedLength(),
                     QString::fromUtf8(m.captured(1).isEmpty()
                                           ? statusJson(id, "status " + id)
                                           : statusArray(id.toInt(), m.captured(3).toInt())));
    }
    json = text.toUtf8();
    const QByteArray status = statusJson("9223372036854775809", "hello");
    const QByteArray user = userJson("1845", "bob");
    return json.replace("\"$status\"", status)
        .replace("$status", status)
        .replace("\"$user\"", user)
        .replace("$user", user);
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

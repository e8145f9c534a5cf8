#ifndef ZR_TEST_TESTSUPPORT_H
#define ZR_TEST_TESTSUPPORT_H

#include "apiclient.h"
#include "fakeserver.h"
#include "librarycall.h"
#include "zirrup.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QString>
#include <QtTest>

#include <memory>

// Credentials of the test account; the canned server checks signatures with the same secrets.
namespace TestAccount {
inline const QString token = QStringLiteral("1843-tok");
inline const QString tokenSecret = QStringLiteral("token secret &+/");
inline const QString userId = QStringLiteral("1843");
inline const QString userName = QStringLiteral("demo");
inline const QString consumerKey = QStringLiteral("test-consumer");
inline const QString consumerSecret = QStringLiteral("consumer secret =%");
} // namespace TestAccount

// A canned server owned by owner, and the client library pointed at it.
inline FakeServer *cannedService(QObject *owner)
{
    auto *server = new FakeServer(owner);
    Zr::setServiceUrl(server->baseUrl());
    return server;
}

inline std::unique_ptr<Zr::Zirrup> signedInBackend(const QString &userId = TestAccount::userId)
{
    auto backend = std::make_unique<Zr::Zirrup>(
        TestAccount::token, TestAccount::tokenSecret, userId, TestAccount::userName,
        TestAccount::consumerKey, TestAccount::consumerSecret);
    backend->init();
    return backend;
}

inline std::unique_ptr<Zr::Zirrup> signedOutBackend()
{
    auto backend = std::make_unique<Zr::Zirrup>(QString(), QString(), QString(), QString(),
                                                QString(), QString());
    backend->init();
    return backend;
}

// A status record as the service sends it, ids as number and string.
inline QByteArray statusJson(const QByteArray &id, const QByteArray &text,
                             const QByteArray &screenName = "alice",
                             const QByteArray &name = "Alice Liddell")
{
    return "{\"id\":" + id + ",\"id_str\":\"" + id
        + "\",\"created_at\":\"Sat Dec 05 10:11:12 +0000 2026\",\"text\":\"" + text
        + "\",\"in_reply_to_status_id\":null,\"in_reply_to_status_id_str\":null,"
          "\"user\":{\"id\":1844,\"id_str\":\"1844\",\"screen_name\":\""
        + screenName + "\",\"name\":\"" + name
        + "\",\"profile_image_url\":\"http://127.0.0.1/media/avatars/x_normal.png\"}}";
}

// One test row per object of data/<name>.json, tagged by its "name", in one column; "$base" in
// it stands for base.
inline void addJsonRows(const char *name, const char *column = "row", const QUrl &base = {})
{
    QFile file(QStringLiteral(ZR_TEST_DATA "/%1.json").arg(QLatin1String(name)));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QJsonParseError error;
    const QJsonArray rows =
        QJsonDocument::fromJson(file.readAll().replace("$base", base.toEncoded()), &error).array();
    QVERIFY2(!rows.isEmpty(), qPrintable(error.errorString()));
    QTest::addColumn<QJsonObject>(column);
    for (const QJsonValue &row : rows)
        QTest::newRow(row[QLatin1String("name")].toString().toUtf8().constData()) << row.toObject();
}

// A body kept in a table: a string as it stands, anything else as compact JSON.
inline QByteArray jsonBytes(const QJsonValue &value)
{
    if (value.isString())
        return value.toString().toUtf8();
    return QJsonDocument::fromVariant(value.toVariant()).toJson(QJsonDocument::Compact);
}

// Calls the backend as the row says ("call", "type", "args", "behavior"); list, if given,
// receives what the call answers at once.
inline int callBackend(Zr::Zirrup *backend, const QJsonObject &row, int *queryId,
                       QVariantList *list = nullptr)
{
    LibraryCall call;
    call.name = row["call"].toString();
    call.type = row["type"].toInt();
    call.behavior = Zr::RetrieveBehavior(row["behavior"].toInt(Zr::CacheThenNetwork));
    const QJsonObject args = row["args"].toObject();
    for (auto it = args.begin(); it != args.end(); ++it)
        call.args.insert(it.key(), it.value().toString());
    return callLibrary(backend, call, queryId, list);
}

// A canned answer: the row's JSON with "$status:ID" and "$statuses:NEWEST-OLDEST" standing for
// whole records.
inline QByteArray cannedAnswer(const QJsonValue &value)
{
    static const QRegularExpression placeholder(
        QStringLiteral("\"?\\$status(?:es)?:(\\d+)(?:-(\\d+))?\"?"));
    QString text = QString::fromUtf8(jsonBytes(value));
    for (auto m = placeholder.match(text); m.hasMatch(); m = placeholder.match(text)) {
        // Ids beyond 64 bits stand alone.
        const QByteArray first = m.captured(1).toLatin1();
        QList<QByteArray> records {statusJson(first, "status " + first)};
        for (int id = first.toInt() - 1; !m.captured(2).isEmpty() && id >= m.captured(2).toInt();
             --id)
            records.append(statusJson(QByteArray::number(id), "status " + QByteArray::number(id)));
        text.replace(m.capturedStart(), m.capturedLength(), QString::fromUtf8(records.join(',')));
    }
    return text.toUtf8();
}

// Compares each {path: expected} of expect (paths as jsonAt takes them) with what root holds
// there, as one JSON text.
inline void expectValues(const QVariant &root, const QJsonObject &expect)
{
    QJsonObject actual;
    for (auto it = expect.begin(); it != expect.end(); ++it)
        actual.insert(it.key(), jsonAt(QJsonValue::fromVariant(root), it.key()));
    QCOMPARE(QJsonDocument(actual).toJson(QJsonDocument::Compact),
             QJsonDocument(expect).toJson(QJsonDocument::Compact));
}

#endif // ZR_TEST_TESTSUPPORT_H

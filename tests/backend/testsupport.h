#ifndef ZR_TEST_TESTSUPPORT_H
#define ZR_TEST_TESTSUPPORT_H

#include "fakeserver.h"
#include "zirrup.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
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

// A canned server owned by owner, and the client library pointed at it (under prefix).
inline FakeServer *cannedService(QObject *owner, const QString &prefix = QString())
{
    auto *server = new FakeServer(owner);
    Zr::setServiceUrl(QUrl(server->baseUrl().toString() + prefix));
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

// A user record as the service sends it, ids as number and string.
inline QByteArray userJson(const QByteArray &id, const QByteArray &screenName,
                           const QByteArray &name = "Some Body")
{
    return "{\"id\":" + id + ",\"id_str\":\"" + id + "\",\"screen_name\":\"" + screenName
        + "\",\"name\":\"" + name
        + "\",\"profile_image_url\":\"http://127.0.0.1/media/avatars/x_normal.png\"}";
}

inline QByteArray statusJson(const QByteArray &id, const QByteArray &text,
                             const QByteArray &screenName = "alice",
                             const QByteArray &name = "Alice Liddell")
{
    return "{\"id\":" + id + ",\"id_str\":\"" + id
        + "\",\"created_at\":\"Sat Dec 05 10:11:12 +0000 2026\",\"text\":\"" + text
        + "\",\"in_reply_to_status_id\":null,\"in_reply_to_status_id_str\":null,\"user\":"
        + userJson("1844", screenName, name) + "}";
}

// One test row per object of data/<name>.json, tagged by its "name", in one column.
inline void addJsonRows(const char *name, const char *column = "row")
{
    QFile file(QStringLiteral(ZR_TEST_DATA "/%1.json").arg(QLatin1String(name)));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QJsonParseError error;
    const QJsonArray rows = QJsonDocument::fromJson(file.readAll(), &error).array();
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

// The row with "$base" standing for the canned server's address.
inline QJsonObject withBase(const QJsonObject &row, const QUrl &base)
{
    QByteArray json = QJsonDocument(row).toJson();
    return QJsonDocument::fromJson(json.replace("$base", base.toString().toUtf8())).object();
}

inline Zr::ArgMap argMap(const QJsonValue &object)
{
    Zr::ArgMap map;
    const QJsonObject o = object.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
        map.insert(it.key(), it.value().toString());
    return map;
}

// Table-driven calls of the client library (backendcall.cpp), so that families of cases are rows.

// Calls the backend as the row says ("call", "type", "args", "behavior"); list, if given,
// receives what the call answers at once.
int callBackend(Zr::Zirrup *backend, const QJsonObject &row, int *queryId,
                QVariantList *list = nullptr);

// The signal of the backend the row names as "signal".
QMetaMethod completionOf(const QJsonObject &row);

// A canned answer: the row's JSON with "$status", "$user", "$status:ID" and
// "$statuses:NEWEST-OLDEST" standing for whole records.
QByteArray cannedAnswer(const QJsonValue &value);

// The value at a path of list indexes and map keys, such as "1/0/id".
QVariant valueAt(const QVariant &root, const QString &path);

// Compares each {path: expected} of expect with what root holds there.
void expectValues(const QVariant &root, const QJsonObject &expect);

#endif // ZR_TEST_TESTSUPPORT_H

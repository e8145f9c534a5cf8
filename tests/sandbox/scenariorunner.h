#ifndef ZIRRUP_TESTS_SCENARIORUNNER_H
#define ZIRRUP_TESTS_SCENARIORUNNER_H

#include "sandboxfixture.h"

#include <QHash>
#include <QJsonObject>

class StreamReader;

// Runs request scenarios, written as JSON in tests/sandbox/scenarios (see README there),
// against a fresh service in this process: requests as named users, database changes, raw
// sockets and user streams, each step with the answer it must get.
class ScenarioRunner : public QObject
{
    Q_OBJECT
public:
    explicit ScenarioRunner(QObject *parent = nullptr);
    ~ScenarioRunner() override;

    // One QTest row per scenario of the file (a path), in a QJsonObject column "scenario".
    static void addRows(const QString &fileName);
    // False at the first step that does not hold; failure() tells which and why.
    bool run(const QJsonObject &scenario);
    QString failure() const { return m_failure; }

private:
    bool step(const QJsonObject &s);
    bool request(const QJsonObject &s);
    bool answered(const ApiResponse &r, const QJsonObject &s);
    bool raw(const QJsonObject &s);
    bool stream(const QJsonObject &s);
    bool database(const QJsonObject &s);
    bool check(const QJsonValue &root, const QJsonObject &expect, const QByteArray &body = {},
               const QList<QNetworkReply::RawHeaderPair> &headers = {});
    bool checkOne(const QString &key, const QJsonValue &actual, const QJsonValue &expected,
                  const QJsonValue &root, const QByteArray &body);
    bool keep(const QJsonValue &root, const QJsonObject &what,
              const QList<QNetworkReply::RawHeaderPair> &headers = {});
    bool fail(const QString &what);

    QString path(const QJsonObject &s, const QString &key);
    QString subst(const QString &text);
    QJsonValue subst(const QJsonValue &value);
    Params params(const QJsonValue &value);
    QVariantList binds(const QJsonValue &value);
    QByteArray fileData(const QJsonObject &file);
    ApiClient *client(const QString &name);

    SandboxFixture m_sandbox;
    QHash<QString, ApiClient *> m_sessions;
    QHash<QString, StreamReader *> m_streams;
    QHash<QString, QString> m_vars;
    QHash<QString, QByteArray> m_blobs;
    QString m_failure;
};

#endif // ZIRRUP_TESTS_SCENARIORUNNER_H

#ifndef ZIRRUP_TESTS_SCENARIORUNNER_H
#define ZIRRUP_TESTS_SCENARIORUNNER_H

#include "apiclient.h"
#include "sandboxserver.h"

#include <QHash>
#include <QJsonObject>
#include <QSignalSpy>

#include <memory>

class StreamReader;
namespace Zr {
class Zirrup;
}

// Runs request scenarios, written as JSON in tests/sandbox/scenarios (see the README there),
// against a fresh service in this process: requests as named users over real HTTP, database
// changes, raw sockets, user streams and calls of the client library, each step with the
// answer it must get.
class ScenarioRunner : public QObject
{
    Q_OBJECT
public:
    explicit ScenarioRunner(QObject *parent = nullptr);
    ~ScenarioRunner() override;

    // One QTest row per scenario of scenarios/<fileName>, in a QJsonObject column "scenario".
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
    bool backend(const QJsonObject &s);
    bool check(const QJsonValue &root, const QJsonObject &expect, const ApiResponse &r = {});
    bool checkOne(const QString &key, const QJsonValue &actual, const QJsonValue &expected,
                  const QJsonValue &root, const QByteArray &body);
    bool keep(const QJsonValue &root, const QJsonObject &what, const ApiResponse &r = {});
    bool fail(const QString &what);

    QString arg(const QJsonObject &s, const char *key);
    QString subst(const QString &text);
    QJsonValue subst(const QJsonValue &value);
    Params params(const QJsonValue &value);
    QByteArray fileData(const QJsonObject &file);
    ApiClient *client(const QString &name);
    QUrl baseUrl() const { return QUrl(m_server->baseUrl()); }

    std::unique_ptr<SandboxServer> m_server;
    QHash<QString, ApiClient *> m_clients;
    QHash<QString, StreamReader *> m_streams;
    QHash<QString, Zr::Zirrup *> m_backends;
    QHash<QString, QSignalSpy *> m_streamed; // each backend's stream objects
    QHash<QString, QSignalSpy *> m_reported; // and errors
    QHash<QString, QString> m_vars;
    QHash<QString, QByteArray> m_blobs;
    QString m_failure;
};

#endif // ZIRRUP_TESTS_SCENARIORUNNER_H

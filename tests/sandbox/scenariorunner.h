#ifndef ZIRRUP_TESTS_SCENARIORUNNER_H
#define ZIRRUP_TESTS_SCENARIORUNNER_H

#include "apiclient.h"
#include "sandboxserver.h"
#include "zirrup.h"

#include <QHash>
#include <QJsonObject>
#include <QNetworkReply>
#include <QSignalSpy>

#include <map>
#include <memory>

// Runs request scenarios, written as JSON in tests/sandbox/scenarios (see the README there),
// against a fresh service in this process: requests as named users over real HTTP, database
// changes, raw sockets, user streams and calls of the client library, each step with the
// answer it must get.
class ScenarioRunner : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // One QTest row per scenario of scenarios/<fileName>, in a QJsonObject column "scenario".
    static void addRows(const QString &fileName);
    // False at the first step that does not hold; failure() tells which and why.
    bool run(const QJsonObject &scenario);
    QString failure() const { return m_failure; }

private:
    // The client library as one user, with what its stream brought and the errors it reported.
    struct Backend
    {
        std::unique_ptr<Zr::Zirrup> zirrup;
        std::unique_ptr<QSignalSpy> streamed;
        std::unique_ptr<QSignalSpy> reported;
    };
    // A user stream being read: the objects not taken yet, and how many came of each kind.
    struct Stream
    {
        std::unique_ptr<QNetworkReply> reply;
        QByteArray buffer;
        QList<QJsonObject> untaken;
        int received = 0;
        int keepAlives = 0;

        ~Stream();
        void read();
    };
    // What a scenario made; the next one goes on in it with "continue".
    struct World
    {
        std::unique_ptr<SandboxServer> server;
        std::map<QString, std::unique_ptr<ApiClient>> clients;
        std::map<QString, Stream> streams;
        std::map<QString, Backend> backends;
        QHash<QString, QString> vars;
        QHash<QString, QByteArray> blobs;
    };

    bool step(const QJsonObject &s);
    bool request(const QJsonObject &s);
    bool answered(const ApiResponse &r, const QJsonObject &s);
    bool raw(const QJsonObject &s);
    bool stream(const QJsonObject &s);
    bool backend(const QJsonObject &s);
    bool check(const QJsonValue &root, const QJsonObject &expect, const ApiResponse &r = {});
    bool checkOne(const QString &key, const QJsonValue &actual, QJsonValue expected,
                  const QJsonValue &root);
    bool keep(const QJsonValue &root, const QJsonObject &what, const ApiResponse &r = {});
    bool fail(const QString &what);

    QString arg(const QJsonObject &s, const char *key);
    QString subst(const QString &text);
    QJsonValue subst(const QJsonValue &value);
    Params params(const QJsonValue &value);
    QByteArray fileData(const QJsonObject &file);
    ApiClient *client(const QString &name);
    SandboxServer *server() const { return m_world->server.get(); }
    QUrl baseUrl() const { return QUrl(server()->baseUrl()); }

    std::unique_ptr<World> m_world;
    QString m_failure;
};

#endif // ZIRRUP_TESTS_SCENARIORUNNER_H

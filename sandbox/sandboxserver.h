#ifndef SANDBOX_SANDBOXSERVER_H
#define SANDBOX_SANDBOXSERVER_H

#include "sandboxcontext.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

#include <memory>

class DiscoveryService;
class GeoService;
class HttpFront;
class ListService;
class MessageService;
class OAuthVerifier;
class SearchService;
class SignInService;
class StatusService;
class UserService;

struct SandboxOptions
{
    QString databasePath; // ignored with memory
    bool memory = false;
    quint16 port = 8123; // 0: any free port
    bool seed = false; // load the demo world into an empty database
    int extraStatuses = 0; // with seed: that many more, older home tweets for demo
    QList<QPair<QString, QString>> users; // name and password, created (or reset) at start
    QStringList deletedUsers; // accounts to remove at start
    int keepAliveMs = 30000;
    qint64 clockOffsetSeconds = 0; // the signature check's clock runs this far off
};

// The whole service: database, accounts, the HTTP side and every group of endpoints.
class SandboxServer : public QObject
{
    Q_OBJECT
public:
    explicit SandboxServer(QObject *parent = nullptr);
    ~SandboxServer() override;

    bool start(const SandboxOptions &options, QString *error);

    QString baseUrl() const { return m_context.baseUrl; }
    quint16 port() const { return m_port; }
    // The demo world was loaded into this database at some start.
    bool hasDemoWorld() const;

    qint64 createUser(const QString &screenName, const QString &password);
    // Removes an account and closes its streams; false for an unknown name.
    bool deleteUser(const QString &screenName);

    StreamHub *streams() const { return m_context.hub; }
    Database *database() const { return m_context.db; }

    static QString defaultDatabasePath();

private:
    SandboxContext m_context;
    std::unique_ptr<PlaceTable> m_places;
    OAuthVerifier *m_verifier = nullptr;
    HttpFront *m_front = nullptr;
    SignInService *m_signIn = nullptr;
    StatusService *m_statuses = nullptr;
    MessageService *m_messages = nullptr;
    UserService *m_users = nullptr;
    ListService *m_lists = nullptr;
    DiscoveryService *m_discovery = nullptr;
    SearchService *m_search = nullptr;
    GeoService *m_geo = nullptr;
    quint16 m_port = 0;
};

#endif // SANDBOX_SANDBOXSERVER_H

#include "sandboxserver.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "database.h"
#include "discoveryservice.h"
#include "geoservice.h"
#include "httpfront.h"
#include "linkstore.h"
#include "listservice.h"
#include "mediaservice.h"
#include "messageservice.h"
#include "oauthverifier.h"
#include "placetable.h"
#include "searchservice.h"
#include "seeder.h"
#include "signinservice.h"
#include "statusservice.h"
#include "streamhub.h"
#include "userservice.h"

#include <QStandardPaths>

SandboxServer::SandboxServer(QObject *parent)
    : QObject(parent)
{ }

SandboxServer::~SandboxServer()
{
    // The streams go first: their sockets belong to the HTTP side.
    delete m_context.hub;
    m_context.hub = nullptr;
}

QString SandboxServer::defaultDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/zirrup-sandbox/sandbox.db");
}

bool SandboxServer::start(const SandboxOptions &options, QString *error)
{
    auto *db = new Database(this);
    if (!db->open(options.memory ? QString() : options.databasePath, error))
        return false;
    m_places = std::make_unique<PlaceTable>();
    m_context.db = db;
    m_context.places = m_places.get();
    m_context.accounts = new AccountStore(db, this);
    m_context.rules = new AccessRules(db, this);
    m_context.links = new LinkStore(db, this);
    m_context.media = new MediaService(&m_context, this);
    m_context.hub = new StreamHub(&m_context, this);
    m_context.hub->setKeepAliveInterval(options.keepAliveMs);

    m_verifier = new OAuthVerifier(m_context.accounts, this);
    m_verifier->addConsumer(ZIRRUP_CONSUMER_KEY, ZIRRUP_CONSUMER_SECRET);
    m_verifier->setClockOffset(options.clockOffsetSeconds);
    m_front = new HttpFront(m_verifier, this);

    m_port = m_front->listenOnLoopback(options.port);
    if (!m_port) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(options.port);
        return false;
    }
    m_context.baseUrl = QStringLiteral("http://127.0.0.1:%1").arg(m_port);
    m_front->setBaseUrl(m_context.baseUrl);

    m_signIn = new SignInService(&m_context, this);
    m_statuses = new StatusService(&m_context, this);
    m_messages = new MessageService(&m_context, this);
    m_users = new UserService(&m_context, this);
    m_lists = new ListService(&m_context, this);
    m_discovery = new DiscoveryService(&m_context, this);
    m_search = new SearchService(&m_context, this);
    m_geo = new GeoService(&m_context, this);
    m_signIn->registerRoutes(m_front);
    m_statuses->registerRoutes(m_front);
    m_messages->registerRoutes(m_front);
    m_users->registerRoutes(m_front);
    m_lists->registerRoutes(m_front);
    m_discovery->registerRoutes(m_front);
    m_search->registerRoutes(m_front);
    m_geo->registerRoutes(m_front);
    m_context.media->registerRoutes(m_front);
    m_context.hub->registerRoutes(m_front);

    try {
        if (options.seed && db->isEmpty()) {
            Seeder seeder(&m_context, m_statuses, m_messages, m_lists, m_discovery);
            seeder.load(options.extraStatuses);
        }
        for (const auto &user : options.users) {
            if (!createUser(user.first, user.second)) {
                *error = QStringLiteral("cannot create the account \"%1\"").arg(user.first);
                return false;
            }
        }
        for (const QString &name : options.deletedUsers)
            deleteUser(name);
    } catch (const ApiError &) {
        *error = QStringLiteral("cannot write to the database");
        return false;
    }
    return true;
}

bool SandboxServer::hasDemoWorld() const
{
    return m_context.db->meta(QStringLiteral("demo_world")) == QLatin1String("1");
}

qint64 SandboxServer::createUser(const QString &screenName, const QString &password)
{
    AccountStore *accounts = m_context.accounts;
    const qint64 existing = accounts->userIdByName(screenName);
    if (existing) {
        accounts->setPassword(existing, password);
        return existing;
    }
    return accounts->createUser(screenName, screenName, password);
}

bool SandboxServer::deleteUser(const QString &screenName)
{
    const qint64 id = m_context.accounts->userIdByName(screenName);
    if (!id)
        return false;
    m_context.accounts->deleteUser(id);
    m_context.hub->closeUser(id);
    return true;
}

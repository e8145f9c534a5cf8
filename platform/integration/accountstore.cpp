#include "accountstore.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace ZrMeego {

namespace {

const int fileFormat = 1;
// Larger than any account file could be; a bigger one is not ours.
const qint64 maxFileSize = 64 * 1024;

const QFileDevice::Permissions ownerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QFileDevice::Permissions ownerOnlyDir =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

bool isServiceAddress(const QUrl &url)
{
    return url.isValid()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && !url.host().isEmpty();
}

QJsonObject toJson(const Account &account)
{
    QJsonObject object;
    object.insert(QStringLiteral("service_url"), account.serviceUrl.toString());
    object.insert(QStringLiteral("user_id"), account.userId);
    object.insert(QStringLiteral("screen_name"), account.screenName);
    object.insert(QStringLiteral("oauth_token"), account.token);
    object.insert(QStringLiteral("oauth_token_secret"), account.tokenSecret);
    object.insert(QStringLiteral("consumer_key"), account.consumerKey);
    object.insert(QStringLiteral("consumer_secret"), account.consumerSecret);
    object.insert(QStringLiteral("enabled"), account.enabled);
    if (!account.lastId.isEmpty())
        object.insert(QStringLiteral("last_id"), account.lastId);
    return object;
}

Account fromJson(const QJsonObject &object)
{
    Account account;
    account.serviceUrl = QUrl(object.value(QStringLiteral("service_url")).toString());
    account.userId = object.value(QStringLiteral("user_id")).toString();
    account.screenName = object.value(QStringLiteral("screen_name")).toString();
    account.token = object.value(QStringLiteral("oauth_token")).toString();
    account.tokenSecret = object.value(QStringLiteral("oauth_token_secret")).toString();
    account.consumerKey = object.value(QStringLiteral("consumer_key")).toString();
    account.consumerSecret = object.value(QStringLiteral("consumer_secret")).toString();
    account.enabled = object.value(QStringLiteral("enabled")).toBool(true);
    account.lastId = object.value(QStringLiteral("last_id")).toString();
    return account;
}

bool ensurePrivateDirectory(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    // Tighten a directory someone created with the default mode.
    if (QFile::permissions(path) != ownerOnlyDir)
        QFile::setPermissions(path, ownerOnlyDir);
    return true;
}

} // namespace

AccountStore::AccountStore(QObject *parent)
    : AccountStore(defaultFilePath(), parent)
{ }

AccountStore::AccountStore(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
    const Contents contents = readFile();
    m_account = contents.account;
    m_lastServiceUrl = contents.lastServiceUrl;
}

AccountStore::~AccountStore() = default;

QString AccountStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zirrup/account.json");
}

Account AccountStore::account() const
{
    return m_account.value_or(Account());
}

bool AccountStore::storeAccount(const Account &account, QString *error)
{
    if (!account.isComplete() || !isServiceAddress(account.serviceUrl)) {
        if (error)
            *error = qtTrId("qtn_comm_account_error_incomplete");
        return false;
    }
    Contents contents = readFile();
    apply(contents);
    contents.account = account;
    contents.account->serviceUrl = normalizedServiceUrl(account.serviceUrl);
    contents.lastServiceUrl = contents.account->serviceUrl;
    if (!writeFile(contents, error))
        return false;
    apply(contents);
    return true;
}

bool AccountStore::removeAccount()
{
    Contents contents = readFile();
    apply(contents);
    if (!contents.account)
        return true;
    contents.account.reset();
    if (!writeFile(contents, nullptr))
        return false;
    apply(contents);
    return true;
}

bool AccountStore::setEnabled(bool enabled)
{
    Contents contents = readFile();
    apply(contents);
    if (!contents.account)
        return false;
    if (contents.account->enabled == enabled)
        return true;
    contents.account->enabled = enabled;
    if (!writeFile(contents, nullptr))
        return false;
    apply(contents);
    return true;
}

bool AccountStore::setLastId(const QString &lastId)
{
    Contents contents = readFile();
    apply(contents);
    if (!contents.account)
        return false;
    if (contents.account->lastId == lastId)
        return true;
    contents.account->lastId = lastId;
    if (!writeFile(contents, nullptr))
        return false;
    apply(contents);
    return true;
}

bool AccountStore::setScreenName(const QString &screenName)
{
    Contents contents = readFile();
    apply(contents);
    if (!contents.account || screenName.isEmpty())
        return false;
    if (contents.account->screenName == screenName)
        return true;
    contents.account->screenName = screenName;
    if (!writeFile(contents, nullptr))
        return false;
    apply(contents);
    return true;
}

void AccountStore::reload()
{
    apply(readFile());
}

void AccountStore::setWatching(bool watching)
{
    if (watching == isWatching())
        return;
    if (!watching) {
        delete m_watcher;
        m_watcher = nullptr;
        return;
    }
    ensurePrivateDirectory(QFileInfo(m_filePath).absolutePath());
    m_watcher = new QFileSystemWatcher(this);
    // The directory is watched as well as the file: an atomic replace by another process
    // swaps the file's inode, which ends a watch on the file alone.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        reload();
        rewatch();
    });
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        reload();
        rewatch();
    });
    rewatch();
    // Anything written before the watch began.
    reload();
}

void AccountStore::rewatch()
{
    if (!m_watcher)
        return;
    const QString directory = QFileInfo(m_filePath).absolutePath();
    if (!m_watcher->directories().contains(directory) && QFileInfo::exists(directory))
        m_watcher->addPath(directory);
    if (!m_watcher->files().contains(m_filePath) && QFileInfo::exists(m_filePath))
        m_watcher->addPath(m_filePath);
}

AccountStore::Contents AccountStore::readFile() const
{
    Contents contents;
    QFile file(m_filePath);
    if (!file.exists())
        return contents;
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "AccountStore: cannot read" << m_filePath << file.errorString();
        return contents;
    }
    if (file.size() > maxFileSize) {
        qWarning() << "AccountStore: ignoring oversized" << m_filePath;
        return contents;
    }
    // The file holds token secrets: keep it private even if someone loosened it.
    if (file.permissions() & ~(ownerOnlyFile | QFileDevice::ReadUser | QFileDevice::WriteUser))
        file.setPermissions(ownerOnlyFile);

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        qWarning() << "AccountStore: unreadable account file" << m_filePath
                   << (document.isNull() ? parseError.errorString()
                                         : QStringLiteral("not an object"));
        return contents;
    }
    const QJsonObject root = document.object();
    const QUrl lastUrl(root.value(QStringLiteral("last_service_url")).toString());
    if (isServiceAddress(lastUrl))
        contents.lastServiceUrl = lastUrl;
    const QJsonValue accountValue = root.value(QStringLiteral("account"));
    if (accountValue.isObject()) {
        const Account account = fromJson(accountValue.toObject());
        if (account.isComplete() && isServiceAddress(account.serviceUrl))
            contents.account = account;
        else
            qWarning() << "AccountStore: ignoring an incomplete account in" << m_filePath;
    }
    return contents;
}

bool AccountStore::writeFile(const Contents &contents, QString *error)
{
    const QString directory = QFileInfo(m_filePath).absolutePath();
    if (!ensurePrivateDirectory(directory)) {
        if (error)
            *error = qtTrId("qtn_comm_account_error_folder").arg(directory);
        qWarning() << "AccountStore: cannot create" << directory;
        return false;
    }

    QJsonObject root;
    root.insert(QStringLiteral("format"), fileFormat);
    if (contents.lastServiceUrl.isValid())
        root.insert(QStringLiteral("last_service_url"), contents.lastServiceUrl.toString());
    if (contents.account)
        root.insert(QStringLiteral("account"), toJson(*contents.account));

    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        qWarning() << "AccountStore: cannot write" << m_filePath << file.errorString();
        return false;
    }
    // Private before the first secret byte goes in; the rename keeps the mode.
    file.setPermissions(ownerOnlyFile);
    file.write(QJsonDocument(root).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        qWarning() << "AccountStore: cannot write" << m_filePath << file.errorString();
        return false;
    }
    if (QFile::permissions(m_filePath) != ownerOnlyFile)
        QFile::setPermissions(m_filePath, ownerOnlyFile);
    rewatch();
    return true;
}

void AccountStore::apply(const Contents &contents)
{
    const std::optional<Account> previous = m_account;
    const QUrl previousUrl = m_lastServiceUrl;
    m_account = contents.account;
    m_lastServiceUrl = contents.lastServiceUrl;

    if (previousUrl != m_lastServiceUrl)
        Q_EMIT lastServiceUrlChanged();

    if (!previous && m_account) {
        Q_EMIT accountAdded();
    } else if (previous && !m_account) {
        Q_EMIT accountRemoved();
    } else if (previous && m_account) {
        if (previous->serviceUrl != m_account->serviceUrl
            || previous->userId != m_account->userId) {
            // Somebody else signed in: the old session ends before the new one begins.
            Q_EMIT accountRemoved();
            Q_EMIT accountAdded();
        } else if (previous->token != m_account->token) {
            Q_EMIT accountAdded();
        } else if (previous->enabled != m_account->enabled) {
            Q_EMIT enabledChanged(m_account->enabled);
        }
    }
}

} // namespace ZrMeego

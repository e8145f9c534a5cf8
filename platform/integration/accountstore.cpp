#include "accountstore.h"

#include "secretstore.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

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
    if (account.tokenInKeyring) {
        object.insert(QStringLiteral("token_store"), QStringLiteral("keyring"));
        object.insert(QStringLiteral("token_key"), account.tokenKey);
        object.insert(QStringLiteral("token_fingerprint"), account.tokenFingerprint);
    } else {
        object.insert(QStringLiteral("oauth_token"), account.token);
        object.insert(QStringLiteral("oauth_token_secret"), account.tokenSecret);
    }
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
    account.tokenInKeyring =
        object.value(QStringLiteral("token_store")).toString() == QLatin1String("keyring");
    if (account.tokenInKeyring) {
        account.tokenKey = object.value(QStringLiteral("token_key")).toString();
        account.tokenFingerprint = object.value(QStringLiteral("token_fingerprint")).toString();
    } else {
        account.token = object.value(QStringLiteral("oauth_token")).toString();
        account.tokenSecret = object.value(QStringLiteral("oauth_token_secret")).toString();
    }
    account.consumerKey = object.value(QStringLiteral("consumer_key")).toString();
    account.consumerSecret = object.value(QStringLiteral("consumer_secret")).toString();
    account.enabled = object.value(QStringLiteral("enabled")).toBool(true);
    account.lastId = object.value(QStringLiteral("last_id")).toString();
    return account;
}

QString keyringKey(const Account &account)
{
    return normalizedServiceUrl(account.serviceUrl).toString() + QLatin1Char(' ') + account.userId;
}

QString tokenSecretText(const Account &account)
{
    QJsonObject object;
    object.insert(QStringLiteral("oauth_token"), account.token);
    object.insert(QStringLiteral("oauth_token_secret"), account.tokenSecret);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
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
    scheduleMove();
    return true;
}

bool AccountStore::removeAccount()
{
    Contents contents = readFile();
    apply(contents);
    if (!contents.account)
        return true;
    const Account removed = *contents.account;
    contents.account.reset();
    if (!writeFile(contents, nullptr))
        return false;
    apply(contents);
    if (removed.tokenInKeyring && m_secrets) {
        m_secrets->deleteSecret(removed.tokenKey, this, [](bool ok) {
            if (!ok)
                qWarning() << "AccountStore: the old token pair stays in the keyring";
        });
    }
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
    scheduleMove();
}

void AccountStore::setSecretStore(SecretStore *secrets)
{
    m_secrets = secrets;
    scheduleMove();
}

void AccountStore::scheduleMove()
{
    if (m_secrets && m_account && !m_account->tokenInKeyring && !m_moving)
        QTimer::singleShot(0, this, &AccountStore::moveTokensToKeyring);
}

void AccountStore::moveTokensToKeyring()
{
    if (!m_secrets || m_moving)
        return;
    Contents contents = readFile();
    apply(contents);
    if (!contents.account || contents.account->tokenInKeyring || !m_secrets->isAvailable())
        return;
    const Account account = *contents.account;
    const QString key = keyringKey(account);
    m_moving = true;
    m_secrets->writeSecret(key, tokenSecretText(account), this, [this, account, key](bool ok) {
        m_moving = false;
        if (!ok) {
            qWarning() << "AccountStore: the keyring refused the token pair; it stays in"
                       << m_filePath;
            return;
        }
        Contents now = readFile();
        apply(now);
        // Only the very pair the keyring now holds may leave the file; a newer one moves next.
        if (!now.account || now.account->tokenInKeyring || now.account->token != account.token
            || now.account->tokenSecret != account.tokenSecret || keyringKey(*now.account) != key) {
            scheduleMove();
            return;
        }
        now.account->tokenFingerprint = now.account->sessionFingerprint();
        now.account->tokenInKeyring = true;
        now.account->tokenKey = key;
        now.account->token.clear();
        now.account->tokenSecret.clear();
        if (!writeFile(now, nullptr))
            return;
        apply(now);
        Q_EMIT tokensMoved();
    });
}

void AccountStore::readAccountWithTokens(QObject *context,
                                         std::function<void(std::optional<Account>)> done)
{
    const Contents contents = readFile();
    apply(contents);
    const std::optional<Account> account = contents.account;
    if (!account || !account->tokenInKeyring || !m_secrets) {
        if (account && account->tokenInKeyring)
            qWarning() << "AccountStore: the token pair is in a keyring this process cannot reach";
        const std::optional<Account> answer =
            account && account->hasTokens() ? account : std::nullopt;
        QTimer::singleShot(0, context, [done, answer] { done(answer); });
        return;
    }
    m_secrets->readSecret(
        account->tokenKey, context, [done, account](bool ok, const QString &secret) {
            const QJsonObject object = QJsonDocument::fromJson(secret.toUtf8()).object();
            Account filled = *account;
            filled.token = object.value(QStringLiteral("oauth_token")).toString();
            filled.tokenSecret = object.value(QStringLiteral("oauth_token_secret")).toString();
            if (!ok || !filled.hasTokens()) {
                done(std::nullopt);
                return;
            }
            done(filled);
        });
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
        } else if (previous->sessionFingerprint() != m_account->sessionFingerprint()) {
            Q_EMIT accountAdded();
        } else if (previous->enabled != m_account->enabled) {
            Q_EMIT enabledChanged(m_account->enabled);
        }
    }
}

} // namespace ZrMeego

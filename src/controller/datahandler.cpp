#include "datahandler.h"

#include "helper.h"
#include "networkmonitor.h"
#include "positioninghandler.h"
#include "synctimer.h"
#include "themeimageprovider.h"
#include "windowgeometry.h"
#include "zirrup.h"
#include "zirrupavatarprovider.h"
#include "zirrupmodel.h"

#include <QMetaMethod>
#include <QMutex>
#include <QMutexLocker>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>
#include <QTimer>
#include <QtDebug>

namespace {
QMutex instanceMutex;
DataHandler *theInstance = nullptr;

const char rootPageUrl[] = "qrc:/resources/qml/Zirrup-qml.qml";

} // namespace

DataHandler *DataHandler::instance(QObject *parent)
{
    QMutexLocker lock(&instanceMutex);
    if (!theInstance)
        theInstance = new DataHandler(parent);
    return theInstance;
}

DataHandler::DataHandler(QObject *parent)
    : QObject(parent)
    , m_timelineView(this)
    , m_messagesView(this)
    , m_profileView(this)
    , m_trendsView(this)
    , m_listsView(this)
{
    qRegisterMetaType<ProfileView::ProfileImageSize>("ProfileView::ProfileImageSize");
    qRegisterMetaType<DataHandler *>("DataHandler*");

    m_networkMonitor = new NetworkMonitor(this);
    m_online = m_networkMonitor->isOnline();

    connect(this, &DataHandler::backendCreated, &m_timelineView, &TimelineView::onBackendCreated);
    connect(this, &DataHandler::backendCreated, &m_messagesView, &MessagesView::onBackendCreated);
    connect(this, &DataHandler::backendCreated, &m_profileView, &ProfileView::onBackendCreated);
    connect(this, &DataHandler::backendCreated, &m_trendsView, &TrendsView::onBackendCreated);
    connect(this, &DataHandler::backendCreated, &m_listsView, &ListsView::onBackendCreated);
    connect(this, &DataHandler::frontendInitialized, &m_timelineView,
            &TimelineView::onFrontendInitialized);
    connect(this, &DataHandler::frontendInitialized, &m_messagesView,
            &MessagesView::onFrontendInitialized);
    connect(this, &DataHandler::frontendInitialized, &m_profileView,
            &ProfileView::onFrontendInitialized);
    connect(this, &DataHandler::frontendInitialized, &m_trendsView,
            &TrendsView::onFrontendInitialized);
    connect(this, &DataHandler::frontendInitialized, &m_listsView,
            &ListsView::onFrontendInitialized);
    connect(this, &DataHandler::userImageLoaded, &m_timelineView,
            &TimelineView::onImageLoadCompleted);
    connect(this, &DataHandler::userImageLoaded, &m_messagesView,
            &MessagesView::onImageLoadCompleted);
    connect(this, &DataHandler::userImageLoaded, &m_listsView, &ListsView::onImageLoadCompleted);
    connect(m_networkMonitor, &NetworkMonitor::onlineStateChanged, this,
            &DataHandler::networkStatusChanged);

    m_syncTimer = new SyncTimer(this);
    m_syncTimer->setTimerInterval(1800, 1800);
    connect(m_syncTimer, &SyncTimer::timeout, this, &DataHandler::doCleanup);

    m_delayedAuthenticationTimer = new QTimer(this);
    m_delayedAuthenticationTimer->setSingleShot(true);
    connect(m_delayedAuthenticationTimer, &QTimer::timeout, this,
            &DataHandler::delayedAuthentication);

    m_lastIdTimer = new QTimer(this);
    m_lastIdTimer->setSingleShot(true);
    connect(m_lastIdTimer, &QTimer::timeout, this, &DataHandler::updateLastId);

    m_throttlingTimer = new QTimer(this);
    m_throttlingTimer->setSingleShot(true);
    connect(m_throttlingTimer, &QTimer::timeout, this, &DataHandler::onThrottlingTimerTriggered);

    m_positioningHandler = new ZrMeego::PositioningHandler(this);
    connect(m_positioningHandler, &ZrMeego::PositioningHandler::termsRejected, this,
            &DataHandler::positioningTermsRejected);
}

DataHandler::~DataHandler()
{
    // Whatever the backend reports while it shuts down reaches nobody.
    if (m_backend) {
        m_backend->disconnect();
        delete m_backend;
        m_backend = nullptr;
    }
    QMutexLocker lock(&instanceMutex);
    if (theInstance == this)
        theInstance = nullptr;
}

void DataHandler::init(QQmlContext *context, QQuickView *mainView,
                       ZrPlatform::ZrPlatformFactory *factory)
{
    qDebug() << "void DataHandler::init(QQmlContext*, QQuickView*, "
                "ZrPlatform::ZrPlatformFactory*)";
    m_context = context;
    m_view = mainView;
    m_factory = factory;

    if (m_view) {
        QQmlEngine *engine = m_view->engine();
        if (!engine->imageProvider(QStringLiteral("avatar")))
            engine->addImageProvider(QStringLiteral("avatar"), new ZirrupAvatarProvider);
        if (!engine->imageProvider(QStringLiteral("theme")))
            engine->addImageProvider(QStringLiteral("theme"), new ThemeImageProvider);
    }
    cleanFrontend(true);
}

void DataHandler::cleanFrontend(bool signedOut)
{
    onFrontendInitialized(signedOut);
    Q_EMIT frontendInitialized(this);
}

void DataHandler::onFrontendInitialized(bool signedOut)
{
    setContextProperty(QStringLiteral("dataHandler"), QVariant::fromValue<QObject *>(this));
    if (signedOut) {
        setContextProperty(QStringLiteral("zirrup_account_exists"), false);
        setContextProperty(QStringLiteral("zirrup_authenticating"), m_authenticating);
    }
    for (const char *name : {"tweet_shortenedUrl", "tweet_originalUrl", "composeview_in_reply_to"})
        setContextProperty(QLatin1String(name), QString());
    for (const char *name : {"tweet_shortening_url", "posting_tweet", "updatingProfileImage"})
        setContextProperty(QLatin1String(name), false);

    ZirrupModel::createOrClear(m_searchHistoryModel, {{Qt::UserRole + 1, "query_item"}}, this);
    setContextProperty(QStringLiteral("mySearchHistoryModel"),
                       QVariant::fromValue<QObject *>(m_searchHistoryModel));

    setContextProperty(QStringLiteral("messagesview_loading"), true);
    setContextProperty(QStringLiteral("mentions_is_refreshing"), true);
}

void DataHandler::setLaunchMode(int mode)
{
    m_launchMode = mode;
}

void DataHandler::setContextProperty(const QString &name, const QVariant &value)
{
    if (m_context)
        m_context->setContextProperty(name, value);
}

QVariant DataHandler::contextProperty(const QString &name) const
{
    return m_context ? m_context->contextProperty(name) : QVariant();
}

bool DataHandler::callRoot(const char *function, const QVariantList &arguments)
{
    QObject *root = m_view ? m_view->rootObject() : nullptr;
    if (!root || arguments.size() > 4)
        return false;

    const QMetaObject *meta = root->metaObject();
    QMetaMethod method;
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod candidate = meta->method(i);
        if (candidate.name() == function && candidate.parameterCount() == arguments.size()) {
            method = candidate;
            break;
        }
    }
    if (!method.isValid()) {
        qDebug() << "DataHandler: the QML root has no function" << function << "taking"
                 << arguments.size() << "arguments";
        return false;
    }

    // Untyped QML parameters are variants; typed ones get the value converted to their type.
    QVariantList values = arguments;
    QByteArray typeNames[4];
    QGenericArgument genericArguments[4];
    for (int i = 0; i < values.size(); ++i) {
        const QMetaType type = method.parameterMetaType(i);
        if (type.id() == QMetaType::QVariant) {
            genericArguments[i] = QGenericArgument("QVariant", &values[i]);
        } else {
            values[i].convert(type);
            typeNames[i] = method.parameterTypeName(i);
            genericArguments[i] = QGenericArgument(typeNames[i].constData(), values[i].constData());
        }
    }

    QVariant result;
    const QByteArray returnTypeName = method.typeName();
    QGenericReturnArgument returnArgument;
    const QMetaType returnType = method.returnMetaType();
    if (returnType.id() == QMetaType::QVariant) {
        returnArgument = QGenericReturnArgument("QVariant", &result);
    } else if (returnType.isValid() && returnType.id() != QMetaType::Void) {
        result = QVariant(returnType);
        returnArgument = QGenericReturnArgument(returnTypeName.constData(), result.data());
    }

    return method.invoke(root, Qt::DirectConnection, returnArgument, genericArguments[0],
                         genericArguments[1], genericArguments[2], genericArguments[3]);
}

void DataHandler::showErrorNotice(const QString &message, bool checkNetwork)
{
    if (checkNetwork && !m_online)
        callRoot("showError", {qtTrId("qtn_zirrup_networkunavailable")});
    else
        callRoot("showError", {message});
}

void DataHandler::showPreviousPage()
{
    callRoot("prevPage");
}

void DataHandler::showUI()
{
    if (!m_view)
        return;
    m_view->setSource(QUrl(QLatin1String(rootPageUrl)));
    if (m_view->status() == QQuickView::Error) {
        const QList<QQmlError> errors = m_view->errors();
        for (const QQmlError &error : errors)
            qWarning() << "DataHandler::showUI:" << error.toString();
    }

    // A handset's screen (portrait, or too narrow for a window beside anything) gets the whole
    // screen; a desktop screen gets a window that starts at the handset's proportions, fits the
    // screen, and comes back at the size and place its user left it.
    const QSize windowSize(480, 854);
    const QScreen *screen = m_view->screen();
    const QSize available = screen ? screen->availableSize() : windowSize;
    if (available.height() > available.width() || available.width() < 640) {
        m_view->showFullScreen();
    } else {
        if (!m_windowGeometry)
            m_windowGeometry = new WindowGeometry(m_view, this);
        m_windowGeometry->restore(windowSize.boundedTo(available));
        m_view->show();
    }
}

void DataHandler::onBringToTop()
{
    if (!m_view || !m_view->isVisible())
        return;
    if (m_view->windowStates() & Qt::WindowMinimized)
        m_view->setWindowStates(m_view->windowStates() & ~Qt::WindowMinimized);
    m_view->raise();
    m_view->requestActivate();
}

void DataHandler::onRefreshModels()
{
    callRoot("refreshModels");
}

void DataHandler::networkStatusChanged(bool status)
{
    // Stored first: the root answers by calling startSyncTimer, which reads it.
    const bool returned = status && !m_online;
    m_online = status;
    if (!status) {
        // Nothing can be fetched offline; the return of the network restarts the stream.
        m_throttlingTimer->stop();
        if (m_backend)
            m_backend->stopStreaming();
    }
    callRoot("onNetworkAvailableChanged", {status});
    // After the root, whose stopSyncTimer would clear it: the lists reload when it comes back.
    if (!status)
        m_refreshOnResume = true;

    // A start without network used up its login attempts; a returning network tries again.
    if (returned && m_loginTried && m_authenticatedUserName.isEmpty() && !m_authenticating
        && accountReady())
        onZirrupAccountCreated();
}

void DataHandler::settingsClicked()
{
    if (!m_helper)
        m_helper = new Helper(this);
    m_helper->createAccount(Helper::ZIRRUP, m_view);
}

void DataHandler::createNewAccount()
{
    QTimer::singleShot(0, this, &DataHandler::launchAccountsUi);
}

void DataHandler::releaseMouse(QString grabberObject)
{
    if (QQuickItem *item = findViewItem(grabberObject))
        item->ungrabMouse();
}

QQuickItem *DataHandler::findViewItem(const QString &objectName) const
{
    QQuickItem *root = m_view ? m_view->rootObject() : nullptr;
    if (!root || objectName.isEmpty())
        return nullptr;
    // Pages live in the object tree of the root, or only in its item tree when a page stack
    // reparented them.
    if (QQuickItem *item = root->findChild<QQuickItem *>(objectName))
        return item;
    QList<QQuickItem *> pending = root->childItems();
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (item->objectName() == objectName)
            return item;
        pending.append(item->childItems());
    }
    return nullptr;
}

QString DataHandler::getLocalizedInt(int number)
{
    return m_locale.formatNumber(number);
}

bool DataHandler::isRightToLeftText(QString text)
{
    return text.isRightToLeft();
}

void DataHandler::emitUserImageLoaded(QString screenName, ProfileView::ProfileImageSize size,
                                      QString imageUrl)
{
    Q_EMIT userImageLoaded(screenName, size, imageUrl);
}

QString DataHandler::authenticatedUser() const
{
    return m_authenticatedUserName.toLower();
}

QString DataHandler::currentUser() const
{
    return m_currentUser.toLower();
}

void DataHandler::setCurrentUser(const QString &user)
{
    m_currentUser = user;
}

void DataHandler::setCurrentTweetId(const QString &id)
{
    m_currentTweetId = id;
}

void DataHandler::setCurrentListId(const QString &id)
{
    m_currentListId = id;
}

void DataHandler::setCurrentListName(const QString &name)
{
    m_currentListName = name;
}

void DataHandler::setCurrentSearchString(const QString &text)
{
    m_currentSearchString = text;
}

void DataHandler::setCurrentVisibleTweetId(QString id)
{
    m_currentVisibleTweetId = id;
}

QString DataHandler::currentVisibleTweetId() const
{
    return m_currentVisibleTweetId;
}

void DataHandler::setBackendFactory(BackendFactory factory)
{
    m_backendFactory = std::move(factory);
}

#include "testcontext.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QUrl>

TestContext::TestContext(QQmlEngine *engine, const QString &testDir, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_testDir(testDir)
{
    // context.json names every property at its start value, the models and the recorded slots.
    const QVariantMap names = readJson(QStringLiteral("context.json")).toMap();
    for (const QVariant &name : names.value(QStringLiteral("false")).toList())
        m_defaults.insert(name.toString(), false);
    for (const QVariant &name : names.value(QStringLiteral("true")).toList())
        m_defaults.insert(name.toString(), true);
    for (const QVariant &name : names.value(QStringLiteral("strings")).toList())
        m_defaults.insert(name.toString(), QString());
    m_modelNames = names.value(QStringLiteral("models")).toStringList();
    m_recordedSlots = names.value(QStringLiteral("recorded")).toStringList();
    if (m_defaults.isEmpty() || m_modelNames.isEmpty() || m_recordedSlots.isEmpty())
        qFatal("context.json lacks names");
}

QVariant TestContext::readJson(const QString &name) const
{
    QFile file(m_testDir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        qFatal("%s: %s", qPrintable(name), qPrintable(error.errorString()));
    return document.toVariant();
}

QObject *TestContext::createObject(const QByteArray &qml, const QUrl &url)
{
    QQmlComponent component(m_engine);
    component.setData(qml, url);
    QObject *object = component.create(m_engine->rootContext());
    if (!object)
        qFatal("cannot create %s: %s", qPrintable(url.toString()),
               qPrintable(component.errorString()));
    object->setParent(this);
    return object;
}

void TestContext::publish()
{
    QQmlContext *context = m_engine->rootContext();
    for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it)
        context->setContextProperty(it.key(), it.value());
    for (const QString &name : std::as_const(m_modelNames)) {
        QObject *model =
            createObject("import QtQml.Models 2.15\nListModel {}\n",
                         QUrl::fromLocalFile(m_testDir + QStringLiteral("/ListModel.qml")));
        m_models.insert(name, model);
        context->setContextProperty(name, model);
    }
    // The fake controller, with a recording function for every slot that only records.
    const QString path = m_testDir + QStringLiteral("/FakeDataHandler.qml");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QByteArray qml = file.readAll();
    QByteArray functions;
    for (const QString &name : std::as_const(m_recordedSlots))
        functions +=
            QStringLiteral("function %1() { record(\"%1\", arguments); }\n").arg(name).toUtf8();
    qml.insert(qml.lastIndexOf('}'), functions);
    m_dataHandler = createObject(qml, QUrl::fromLocalFile(path));
    context->setContextProperty(QStringLiteral("dataHandler"), m_dataHandler);
    context->setContextProperty(QStringLiteral("testContext"), this);
}

void TestContext::set(const QString &name, const QVariant &value)
{
    if (!m_defaults.contains(name) && !m_models.contains(name))
        qWarning("TestContext::set: \"%s\" is not a context property of the program",
                 qPrintable(name));
    m_engine->rootContext()->setContextProperty(name, value);
}

QVariant TestContext::get(const QString &name) const
{
    return m_engine->rootContext()->contextProperty(name);
}

void TestContext::reset()
{
    QQmlContext *context = m_engine->rootContext();
    for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it)
        context->setContextProperty(it.key(), it.value());
    for (auto it = m_models.cbegin(); it != m_models.cend(); ++it) {
        QMetaObject::invokeMethod(it.value(), "clear");
        context->setContextProperty(it.key(), it.value());
    }
    QMetaObject::invokeMethod(m_dataHandler, "reset");
}

#ifndef TESTCONTEXT_H
#define TESTCONTEXT_H

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QObject>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QStringList>
#include <QUrl>
#include <QVariant>

// The context properties the controller and its adapters publish, at their start values, with an
// empty list model for every model and FakeDataHandler.qml as "dataHandler". Published itself as
// "testContext" so that tests can change a property (set), go back to the start (reset) and read
// their fixtures (readJson, a file of the test folder).
class TestContext : public QObject
{
    Q_OBJECT

public:
    TestContext(QQmlEngine *engine, const QString &testDir, QObject *parent = nullptr)
        : QObject(parent)
        , m_engine(engine)
        , m_testDir(testDir)
    {
        // context.json names every property with its start value, the models and the recorded
        // slots.
        const QVariantMap names = readJson(QStringLiteral("context.json")).toMap();
        m_defaults = names.value(QStringLiteral("properties")).toMap();
        m_recordedSlots = names.value(QStringLiteral("recorded")).toStringList();
        const QStringList models = names.value(QStringLiteral("models")).toStringList();
        if (m_defaults.isEmpty() || models.isEmpty() || m_recordedSlots.isEmpty())
            qFatal("context.json lacks names");
        for (const QString &name : models)
            m_models.insert(name,
                            createObject("import QtQml.Models 2.15\nListModel {}\n",
                                         QStringLiteral("/ListModel.qml")));
        // The fake controller, with a recording function for every slot that only records.
        QFile file(m_testDir + QStringLiteral("/FakeDataHandler.qml"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        QByteArray qml = file.readAll();
        QByteArray functions;
        for (const QString &name : std::as_const(m_recordedSlots))
            functions +=
                QStringLiteral("function %1() { record(\"%1\", arguments); }\n").arg(name).toUtf8();
        qml.insert(qml.lastIndexOf('}'), functions);
        m_dataHandler = createObject(qml, QStringLiteral("/FakeDataHandler.qml"));
        m_engine->rootContext()->setContextProperty(QStringLiteral("dataHandler"), m_dataHandler);
        m_engine->rootContext()->setContextProperty(QStringLiteral("testContext"), this);
        reset();
    }

    Q_INVOKABLE void set(const QString &name, const QVariant &value)
    {
        if (!m_defaults.contains(name) && !m_models.contains(name))
            qWarning("TestContext::set: \"%s\" is not a context property of the program",
                     qPrintable(name));
        m_engine->rootContext()->setContextProperty(name, value);
    }

    Q_INVOKABLE QVariant get(const QString &name) const
    {
        return m_engine->rootContext()->contextProperty(name);
    }

    Q_INVOKABLE void reset()
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

    Q_INVOKABLE QVariant readJson(const QString &name) const
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

private:
    QObject *createObject(const QByteArray &qml, const QString &file)
    {
        QQmlComponent component(m_engine);
        component.setData(qml, QUrl::fromLocalFile(m_testDir + file));
        QObject *object = component.create(m_engine->rootContext());
        if (!object)
            qFatal("cannot create %s: %s", qPrintable(file), qPrintable(component.errorString()));
        object->setParent(this);
        return object;
    }

    QQmlEngine *m_engine;
    QString m_testDir;
    QVariantMap m_defaults;
    QStringList m_recordedSlots;
    QHash<QString, QObject *> m_models;
    QObject *m_dataHandler = nullptr;
};

#endif // TESTCONTEXT_H

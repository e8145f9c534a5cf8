#ifndef TESTCONTEXT_H
#define TESTCONTEXT_H

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>

class QQmlEngine;

// The context properties the controller and its adapters publish, at their start values, with an
// empty list model for every model and FakeDataHandler.qml as "dataHandler". Published itself as
// "testContext" so that tests can change a property (set), go back to the start (reset) and read
// their fixtures (readJson, a file of the test folder).
class TestContext : public QObject
{
    Q_OBJECT

public:
    TestContext(QQmlEngine *engine, const QString &testDir, QObject *parent = nullptr);

    void publish();

    Q_INVOKABLE void set(const QString &name, const QVariant &value);
    Q_INVOKABLE QVariant get(const QString &name) const;
    Q_INVOKABLE void reset();
    Q_INVOKABLE QVariant readJson(const QString &name) const;

private:
    QObject *createObject(const QByteArray &qml, const QUrl &url);

    QQmlEngine *m_engine;
    QString m_testDir;
    QHash<QString, QVariant> m_defaults;
    QStringList m_modelNames;
    QStringList m_recordedSlots;
    QHash<QString, QObject *> m_models;
    QObject *m_dataHandler = nullptr;
};

#endif // TESTCONTEXT_H

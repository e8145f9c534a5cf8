#ifndef SCRIPTEDSESSION_H
#define SCRIPTEDSESSION_H

#include "datahandler.h"
#include "jsondecoder.h"
#include "scriptedcontroller.h"
#include "zirrupmodel.h"

#include <QtTest>

#include <functional>
#include <memory>

// A JSON file of the test's fixtures/ folder, decoded as the client library decodes the service's
// answers (exact ids from "<key>_str").
inline QVariant fixtureFile(const QString &name)
{
    QFile file(QStringLiteral(ZIRRUP_TEST_DATA_DIR "/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return Zr::JsonDecoder::decode(file.readAll());
}

// What value() gives for each name, joined by "|".
template<typename Value> QString joined(const QStringList &names, Value value)
{
    QStringList parts;
    for (const QString &name : names)
        parts.append(value(name).toString());
    return parts.join(QLatin1Char('|'));
}

// Test functions that each start with a controller signed in as "Alice" on the scripted backend.
// A test class derives from it and calls start() from its init() slot.
class ScriptedSession : public QObject
{
protected:
    // A new controller; setup prepares its backend before the sign-in.
    void start(const std::function<void(ScriptedBackend *)> &setup = {})
    {
        c.reset(); // one controller at a time
        c = std::make_unique<ScriptedController>();
        if (setup)
            c->setBackendSetup(setup);
        c->startSignedIn();
        b = c->backend();
        h = c->handler();
    }

    bool flag(const char *name) const { return c->contextProperty(QLatin1String(name)).toBool(); }
    QString text(const char *name) const
    {
        return c->contextProperty(QLatin1String(name)).toString();
    }
    // Context properties joined by "|".
    QString values(const QStringList &names) const
    {
        return joined(names, [this](const QString &name) { return c->contextProperty(name); });
    }
    QVariantList shownError() const { return c->view().lastArguments(QStringLiteral("showError")); }

    std::unique_ptr<ScriptedController> c;
    ScriptedBackend *b = nullptr;
    DataHandler *h = nullptr;
};

// The values of one role, row by row.
inline QStringList column(const ZirrupModel *model, const QString &role)
{
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row)
        values.append(model->get(row).value(role).toString());
    return values;
}

// The values of named roles of a row, or of named properties of an object, joined by "|".
inline QString fields(const ZirrupModel *model, int row, const QStringList &roles)
{
    return joined(roles,
                  [values = model->get(row)](const QString &role) { return values.value(role); });
}

inline QString fields(const QObject *object, const QStringList &properties)
{
    return joined(properties,
                  [object](const QString &name) { return object->property(name.toLatin1()); });
}

// A request's arguments as "key=value&...".
inline QString query(const ScriptedCall &call)
{
    QStringList parts;
    for (auto it = call.args.cbegin(); it != call.args.cend(); ++it)
        parts.append(it.key() + QLatin1Char('=') + it.value());
    return parts.join(QLatin1Char('&'));
}

#endif // SCRIPTEDSESSION_H

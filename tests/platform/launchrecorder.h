#ifndef LAUNCHRECORDER_H
#define LAUNCHRECORDER_H

#include "zrlaunchrequests.h"

#include <QSignalSpy>

#include <memory>
#include <vector>

// Every launch request an object emits, as "signal argument ...", in the order of the signals'
// declaration (one request rarely emits more than one).
class LaunchRecorder
{
public:
    explicit LaunchRecorder(QObject *requests)
    {
        const QMetaObject &meta = ZrPlatform::ZrLaunchRequests::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                m_spies.emplace_back(std::make_unique<QSignalSpy>(requests, meta.method(i)));
        }
    }

    QStringList take()
    {
        QStringList taken;
        for (const auto &spy : m_spies) {
            for (const QList<QVariant> &arguments : std::as_const(*spy)) {
                QStringList entry {QString::fromLatin1(spy->signal()).section('(', 0, 0)};
                for (const QVariant &argument : arguments)
                    entry.append(argument.toString());
                taken.append(entry.join(QLatin1Char(' ')).trimmed());
            }
            spy->clear();
        }
        return taken;
    }

private:
    std::vector<std::unique_ptr<QSignalSpy>> m_spies;
};

#endif // LAUNCHRECORDER_H

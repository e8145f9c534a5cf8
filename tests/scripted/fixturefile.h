#ifndef FIXTUREFILE_H
#define FIXTUREFILE_H

#include "jsondecoder.h"

#include <QFile>

// A JSON file of the test's fixtures/ folder, decoded as the client library decodes the service's
// answers (exact ids from "<key>_str").
inline QVariant fixtureFile(const QString &name)
{
    QFile file(QStringLiteral(ZIRRUP_TEST_DATA_DIR "/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return Zr::JsonDecoder::decode(file.readAll());
}

#endif // FIXTUREFILE_H

#ifndef LIBRARYCALL_H
#define LIBRARYCALL_H

#include "zirrup.h"

#include <QMap>
#include <QMetaMethod>

// One call of the client library, named after its method, so that tables can list calls.
struct LibraryCall
{
    QString name;
    int type = 0; // the query type, of whichever enumeration the method takes
    Zr::ArgMap args;
    Zr::RetrieveBehavior behavior = Zr::CacheThenNetwork;
    QMap<QString, QByteArray> files; // the pictures of a media post, or a new profile image
};

// Makes the call; list receives what is answered at once, file a picture already stored.
int callLibrary(Zr::Zirrup *backend, const LibraryCall &call, int *queryId,
                QVariantList *list = nullptr, QString *file = nullptr);

// The library's signal of that name; invalid if there is none.
QMetaMethod librarySignal(const QByteArray &name);

#endif // LIBRARYCALL_H

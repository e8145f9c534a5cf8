#ifndef ZR_STREAMPARSER_H
#define ZR_STREAMPARSER_H

#include "zirruptypes.h"

#include <QByteArray>
#include <QList>
#include <QVariantList>
#include <QVariantMap>

namespace Zr {

// Cuts the user stream into its lines whatever the chunk boundaries, and tells what each
// object is.
class StreamParser
{
public:
    explicit StreamParser(qint64 maxLineBytes);

    // Appends a chunk and returns the lines it completed, without their line ends; keep-alive
    // (blank) lines are dropped. *overflow becomes true when an unfinished line outgrows the
    // limit; the parser then holds nothing.
    QList<QByteArray> feed(const QByteArray &chunk, bool *overflow = nullptr);
    void reset();
    qint64 pendingBytes() const { return m_buffer.size(); }

    // The client-side type and signal data of one decoded stream object; false for objects
    // the client does not know.
    static bool classify(const QVariantMap &object, StreamObjectType::StreamObjectType *type,
                         QVariantList *data);

private:
    qint64 m_maxLine;
    QByteArray m_buffer;
};

} // namespace Zr

#endif // ZR_STREAMPARSER_H

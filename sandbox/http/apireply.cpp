#include "apireply.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QLocale>

static const QByteArray jsonType = QByteArrayLiteral("application/json; charset=utf-8");

ApiReply ApiReply::json(const QJsonObject &object, int status)
{
    ApiReply reply;
    reply.m_status = status;
    reply.m_body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    reply.addHeader("Content-Type", jsonType);
    return reply;
}

ApiReply ApiReply::json(const QJsonArray &array, int status)
{
    ApiReply reply;
    reply.m_status = status;
    reply.m_body = QJsonDocument(array).toJson(QJsonDocument::Compact);
    reply.addHeader("Content-Type", jsonType);
    return reply;
}

ApiReply ApiReply::error(int status, const QString &message, const QString &path)
{
    return json(QJsonObject {{QStringLiteral("error"), message}, {QStringLiteral("request"), path}},
                status);
}

ApiReply ApiReply::file(const QByteArray &data, const QByteArray &contentType)
{
    ApiReply reply;
    reply.m_body = data;
    reply.addHeader("Content-Type", contentType);
    reply.addHeader("Cache-Control", "max-age=86400");
    return reply;
}

ApiReply ApiReply::html(const QByteArray &page)
{
    ApiReply reply;
    reply.m_body = page;
    reply.addHeader("Content-Type", "text/html; charset=utf-8");
    reply.addHeader("Cache-Control", "max-age=86400");
    return reply;
}

ApiReply ApiReply::redirect(const QByteArray &location)
{
    ApiReply reply;
    reply.m_status = 301;
    reply.addHeader("Location", location);
    reply.addHeader("Cache-Control", "max-age=86400");
    reply.addHeader("Content-Type", "text/plain; charset=utf-8");
    reply.m_body = location;
    return reply;
}

ApiReply ApiReply::takeOver(Taker taker)
{
    ApiReply reply;
    reply.m_taker = std::move(taker);
    return reply;
}

void ApiReply::addHeader(const QByteArray &name, const QByteArray &value)
{
    m_headers.append(Header(name, value));
}

QByteArray ApiReply::httpDate()
{
    return QLocale::c()
        .toString(QDateTime::currentDateTimeUtc(),
                  QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"))
        .toLatin1();
}

#include "sandboxfixture.h"

#include <QBuffer>
#include <QPainter>

SandboxFixture::SandboxFixture(QObject *parent)
    : QObject(parent)
{ }

SandboxFixture::~SandboxFixture()
{
    qDeleteAll(m_clients);
    delete m_anonymous;
}

bool SandboxFixture::start(SandboxOptions options)
{
    qDeleteAll(m_clients);
    m_clients.clear();
    delete m_anonymous;
    m_anonymous = nullptr;
    m_server.reset();
    options.memory = true;
    options.port = 0;
    m_server = std::make_unique<SandboxServer>();
    QString error;
    if (!m_server->start(options, &error)) {
        qWarning("cannot start the service: %s", qPrintable(error));
        return false;
    }
    return true;
}

ApiClient *SandboxFixture::client(const QString &name)
{
    if (ApiClient *existing = m_clients.value(name))
        return existing;
    m_server->createUser(name, name + QStringLiteral("-pw"));
    auto *client = new ApiClient(baseUrl());
    if (!client->signIn(name, name + QStringLiteral("-pw")).isValid())
        qWarning("cannot sign in as %s", qPrintable(name));
    m_clients.insert(name, client);
    return client;
}

ApiClient *SandboxFixture::anonymous()
{
    if (!m_anonymous)
        m_anonymous = new ApiClient(baseUrl());
    return m_anonymous;
}

QStringList SandboxFixture::ids(const QJsonArray &records)
{
    QStringList result;
    for (const QJsonValue &record : records)
        result.append(record.toObject().value(QStringLiteral("id_str")).toString());
    return result;
}

QByteArray SandboxFixture::picture(const QSize &size, const char *format, const QColor &color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(0, 0), size / 2), Qt::blue);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

#ifndef ZIRRUP_TESTS_SANDBOXFIXTURE_H
#define ZIRRUP_TESTS_SANDBOXFIXTURE_H

#include "apiclient.h"
#include "sandboxserver.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QObject>

#include <memory>

// The service in the test's own process (in memory, on a free port), and clients signed in
// as its accounts. Requests go over real HTTP on loopback.
class SandboxFixture : public QObject
{
    Q_OBJECT
public:
    explicit SandboxFixture(QObject *parent = nullptr);
    ~SandboxFixture() override;

    // Starts a fresh service; a running one is replaced.
    bool start(SandboxOptions options = SandboxOptions());
    SandboxServer *server() const { return m_server.get(); }
    QUrl baseUrl() const { return QUrl(m_server->baseUrl()); }

    // A client signed in as name (the account is made on first use, password name + "-pw").
    ApiClient *client(const QString &name);
    ApiClient *anonymous();

    // Status ids as text, in order, of an array answer.
    static QStringList ids(const QJsonArray &records);
    static QByteArray picture(const QSize &size, const char *format, const QColor &color = Qt::red);

private:
    std::unique_ptr<SandboxServer> m_server;
    QHash<QString, ApiClient *> m_clients;
    ApiClient *m_anonymous = nullptr;
};

#endif // ZIRRUP_TESTS_SANDBOXFIXTURE_H

#ifndef ZIRRUP_TESTS_SANDBOXPROCESS_H
#define ZIRRUP_TESTS_SANDBOXPROCESS_H

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QUrl>

// The built zirrup-sandbox as a child process, in memory on a free port:
//
//     SandboxProcess sandbox({"--user", "alice:secret"});
//     QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
//     ApiClient alice(sandbox.baseUrl());
//
// The process is killed when the object goes away.
class SandboxProcess : public QObject
{
    Q_OBJECT
public:
    explicit SandboxProcess(const QStringList &extraArguments = {}, QObject *parent = nullptr);
    ~SandboxProcess() override;

    // Starts the process and waits until it printed its address (false on failure or
    // timeout, with errorString() saying why).
    bool start(int timeoutMs = 20000);

    QUrl baseUrl() const { return m_baseUrl; }
    // The next line of output after the address (with --seed: "user: demo", then
    // "password: demo"); empty when none comes in time.
    QString readLine(int timeoutMs = 10000);
    QString errorString() const { return m_error; }

    static QString executable();

private:
    QStringList m_arguments;
    QProcess m_process;
    QUrl m_baseUrl;
    QString m_error;
};

#endif // ZIRRUP_TESTS_SANDBOXPROCESS_H

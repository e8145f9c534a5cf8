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
    void stop();

    QUrl baseUrl() const { return m_baseUrl; }
    // Lines printed after the address (the demo account with --seed).
    QStringList extraLines() const { return m_extraLines; }
    QString errorString() const { return m_error; }
    QProcess *process() { return &m_process; }

    static QString executable();

private:
    QStringList m_arguments;
    QProcess m_process;
    QUrl m_baseUrl;
    QStringList m_extraLines;
    QString m_error;
};

#endif // ZIRRUP_TESTS_SANDBOXPROCESS_H

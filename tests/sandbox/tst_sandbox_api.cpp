// The service's endpoints over HTTP, one scenario of requests and answers at a time; the
// scenarios are tests/sandbox/scenarios/<name>.json, one test program per file.
#include "scenariorunner.h"

#include <QtTest>

class TestSandboxApi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scenario_data()
    {
        QTest::addColumn<QJsonObject>("scenario");
        ScenarioRunner::addRows(QStringLiteral(ZIRRUP_SCENARIOS));
    }
    void scenario()
    {
        QFETCH(QJsonObject, scenario);
        QVERIFY2(m_runner.run(scenario), qPrintable(m_runner.failure()));
    }

private:
    ScenarioRunner m_runner;
};

QTEST_MAIN(TestSandboxApi)
#include "tst_sandbox_api.moc"

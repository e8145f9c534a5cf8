// Targets on the reference machine (Release build, median): merging 2,000 direct messages
// across 100 partners into the conversation list within 50 ms, opening the largest
// conversation within 10 ms. Run: bench_messages -median 9 (offscreen).

#include "datahandler.h"
#include "messagesview.h"
#include "zirrupmodel.h"

#include "scriptedcontroller.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
constexpr int MessageCount = 2000;
constexpr int PartnerCount = 100;

QVariantMap userRecord(const QString &screenName)
{
    return {{"screen_name", screenName},
            {"name", screenName.toUpper()},
            {"profile_image_url",
             QStringLiteral("http://127.0.0.1:8123/media/avatars/%1_normal.png").arg(screenName)}};
}
} // namespace

class BenchMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void mergeIntoConversationList();
    void openLargestConversation();

private:
    ScriptedController m_controller;
    QVariantList m_records;
    QString m_largestPartner;
    int m_largestSize = 0;
};

void BenchMessages::initTestCase()
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    // Every avatar is on the device already, as it is after the first run.
    m_controller.setBackendSetup([](ScriptedBackend *backend) {
        backend->setCachedRecords("retrieveUserResources", {"/tmp/avatar.png"});
        backend->setResult("retrieveUserResources", Zr::RequestAnswered);
    });
    m_controller.start(true);
    QTRY_COMPARE(m_controller.login()->loginCount(), 1);
    m_controller.signIn(QStringLiteral("me"));

    // Partners are far from equally busy: a few hold most of the messages.
    QRandomGenerator random(1844);
    QVector<int> perPartner(PartnerCount);
    const QVariantMap me = userRecord("me");
    for (int i = 0; i < MessageCount; ++i) {
        const double r = random.generateDouble();
        const int partner = qMin(PartnerCount - 1, int(PartnerCount * r * r));
        ++perPartner[partner];
        const QString name = QStringLiteral("partner%1").arg(partner);
        const bool received = random.bounded(2) == 0;
        const QVariantMap other = userRecord(name);
        m_records.prepend(
            QVariantMap {{"id", QString::number(1000000000000700000LL + i)},
                         {"created_at", "Sat Dec 05 10:11:12 +0000 2026"},
                         {"text", QStringLiteral("Message number %1 about lunch at 12?").arg(i)},
                         {"sender_screen_name", received ? name : QStringLiteral("me")},
                         {"recipient_screen_name", received ? QStringLiteral("me") : name},
                         {"sender", received ? other : me},
                         {"recipient", received ? me : other},
                         {"entities",
                          QVariantMap {{"urls", QVariantList()},
                                       {"hashtags", QVariantList()},
                                       {"user_mentions", QVariantList()},
                                       {"media", QVariantList()}}}});
    }
    for (int partner = 0; partner < PartnerCount; ++partner) {
        if (perPartner[partner] > m_largestSize) {
            m_largestSize = perPartner[partner];
            m_largestPartner = QStringLiteral("partner%1").arg(partner);
        }
    }
    qInfo("largest conversation: %d messages", m_largestSize);
}

void BenchMessages::mergeIntoConversationList()
{
    DataHandler *handler = m_controller.handler();
    ZirrupModel *list = handler->messagesView()->messageModel();
    QBENCHMARK
    {
        list->clear();
        handler->onDirectMessageAdded(m_records, false);
    }
    QCOMPARE(list->count(), PartnerCount);
}

void BenchMessages::openLargestConversation()
{
    DataHandler *handler = m_controller.handler();
    ZirrupModel *conversation = handler->messagesView()->conversationModel();
    QBENCHMARK
    {
        conversation->clear();
        handler->updateConversationView(m_largestPartner);
    }
    QCOMPARE(conversation->count(), m_largestSize);
}

QTEST_MAIN(BenchMessages)
#include "bench_messages.moc"

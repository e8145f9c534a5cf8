// What a faulty server does to what the user sees: broken answers end in notices with every
// busy flag down, and a broken stream runs again and the list catches up.

#include "datahandler.h"
#include "timelineview.h"
#include "zirrupmodel.h"

#include "fakeserver.h"
#include "scriptedcontroller.h"
#include "testsupport.h"

#include <QtTest>

namespace {
// The tweet ids of the rows, newest first, as one text.
QString timelineIds(ZirrupModel *model)
{
    QStringList ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->get(row).value(QStringLiteral("tweetid")).toString());
    return ids.join(QLatin1Char(' '));
}

// Signs in through the controller with the real client library, quick to give up.
void signIn(ScriptedController &c)
{
    c.handler()->setBackendFactory([](const QStringList &v, QObject *parent) {
        auto *backend =
            new Zr::Zirrup(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), parent);
        backend->setRequestTimeout(400);
        backend->setStreamSilenceTimeout(1500);
        return backend;
    });
    c.start(true);
    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn();
}
} // namespace

class TestHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every kind of broken answer is the same one error of the library (tests/backend): what
    // the user sees of one. Nothing is held after it, so the next case starts empty.
    void brokenAnswersBecomeNotices()
    {
        server->setHandler([](const HttpRequest &) { return HttpResponse::json("[{\"id\":,]"); });
        ScriptedController c;
        signIn(c);
        // Home, mentions and messages all fail: every flag comes down, one notice says so.
        auto notices = [&c] {
            QStringList texts;
            for (const ScriptedView::RootCall &call : c.view().calls()) {
                if (call.name == QLatin1String("showError"))
                    texts.append(call.args.value(0).toString());
            }
            return texts;
        };
        QTRY_VERIFY(notices().contains(qtTrId("qtn_zirrup_error_retrieve_tweets")));
        QTRY_COMPARE(c.contextProperty("timelineview_is_refreshing").toBool(), false);
        QTRY_COMPARE(c.contextProperty("mentions_is_refreshing").toBool(), false);
        QTRY_COMPARE(c.contextProperty("messagesview_loading").toBool(), false);
        QCOMPARE(c.handler()->timelineView()->timelineModel()->rowCount(), 0);
        // The failed stream is retried later, online.
        QTRY_VERIFY(c.handler()->throttlingTimer()->isActive());
    }
    void streamRunsAgainAndTheListCatchesUp()
    {
        QMap<QByteArray, QByteArray> home {{"1000000000000000001", "first"}};
        server->setHandler([&](const HttpRequest &request) {
            if (request.path == QLatin1String("/1/user_stream.json")) {
                HttpResponse stream;
                stream.mode = HttpResponse::Stream;
                return stream;
            }
            if (request.path == QLatin1String("/1/statuses/home_timeline.json")) {
                // Newest first, and only what is newer than since_id, as the service does (the
                // ids have one length, so they sort as text).
                const QByteArray since = request.query().value(QStringLiteral("since_id")).toUtf8();
                QList<QByteArray> newestFirst;
                for (auto it = home.cbegin(); it != home.cend(); ++it) {
                    if (it.key() > since)
                        newestFirst.prepend(statusJson(it.key(), it.value()));
                }
                return HttpResponse::json("[" + newestFirst.join(',') + "]");
            }
            return HttpResponse::json("[]");
        });

        ScriptedController c;
        QSignalSpy opened(server, &FakeServer::streamOpened);
        signIn(c);
        QVERIFY(opened.wait());
        ZirrupModel *model = c.handler()->timelineView()->timelineModel();
        QTRY_COMPARE(timelineIds(model), QStringLiteral("1000000000000000001"));
        QTimer *throttle = c.handler()->throttlingTimer();

        // The server drops the stream mid-object (a line beyond the limit and a refused stream
        // end the same way in the library: tests/backend).
        home.insert("1000000000000000002", "missed while cut off");
        server->sendStreamData("{\"id_str\":\"1000000000000000002\",\"te");
        server->dropStream();
        QTRY_VERIFY(throttle->isActive());
        // The retry the timer would make 65 s later.
        throttle->stop();
        c.handler()->onThrottlingTimerTriggered();
        QVERIFY(opened.wait());
        QTRY_COMPARE(timelineIds(model), QStringLiteral("1000000000000000002 1000000000000000001"));

        // Live again: what the stream brings shows at once.
        server->sendStreamData("{\"home_status\":" + statusJson("1000000000000000003", "live")
                               + "}\r\n");
        QTRY_VERIFY(timelineIds(model).startsWith(
            QLatin1String("1000000000000000003 1000000000000000002")));
    }

private:
    FakeServer *server = cannedService(this);
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"

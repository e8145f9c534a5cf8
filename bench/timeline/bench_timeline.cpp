// Run by hand: ./bench_timeline (Release build, see README). Runs offscreen by itself.

#include "datahandler.h"
#include "jsondecoder.h"
#include "scriptedbackend.h"
#include "scriptedcontroller.h"
#include "timelineview.h"
#include "zirrupmodel.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>
#include <malloc.h>
#include <memory>

namespace {
const int listRows = 5000;

QVariantList fixturePage()
{
    QFile file(QStringLiteral(ZIRRUP_FIXTURES_DIR "/home_first_page.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture home_first_page.json");
    return Zr::JsonDecoder::decode(file.readAll()).toList();
}

// The fixture page moved `pages` pages back, in ids and in time: its first record is the
// previous page's last. The page spans half an hour, so a long list spans days.
QVariantList olderPage(const QVariantList &page, int pages)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    static const QString serviceFormat = QStringLiteral("ddd MMM dd HH:mm:ss +0000 yyyy");
    const qint64 ids = qint64(pages) * (page.size() - 1);
    const QDateTime newest =
        english.toDateTime(page.constFirst().toMap().value("created_at").toString(), serviceFormat);
    const QDateTime oldest =
        english.toDateTime(page.constLast().toMap().value("created_at").toString(), serviceFormat);
    const qint64 seconds = qint64(pages) * oldest.secsTo(newest);
    QVariantList records;
    for (const QVariant &value : page) {
        QVariantMap record = value.toMap();
        const QString id = QString::number(record.value("id").toString().toLongLong() - ids);
        record.insert("id", id);
        record.insert("id_str", id);
        const QDateTime created =
            english.toDateTime(record.value("created_at").toString(), serviceFormat);
        record.insert("created_at", english.toString(created.addSecs(-seconds), serviceFormat));
        records.append(record);
    }
    return records;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

template<typename Work> double medianMilliseconds(int runs, Work work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(runs / 2);
}
} // namespace

class BenchTimeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void mergePageIntoLongList();
    void sectionDataOfLongList();
    // The targets are medians; QBENCHMARK reports means.
    void medians();
    void cleanupTestCase();

private:
    // One page of 51 records (50 rows after the held-back one) merged as the next page,
    // then the rows it added removed again, so the list stays at its length.
    void mergeOnePage();

    std::unique_ptr<ScriptedController> m_controller;
    QVariantList m_nextPage;
};

void BenchTimeline::initTestCase()
{
    m_controller = std::make_unique<ScriptedController>();
    m_controller->start(false);
    m_controller->signIn(QStringLiteral("Alice"));
    DataHandler *d = m_controller->handler();
    ScriptedBackend *b = m_controller->backend();
    ZirrupModel *home = d->timelineView()->timelineModel();

    const QVariantList page = fixturePage();
    m_nextPage = olderPage(page, listRows / 50);
    b->complete(b->lastCall("retrieveTimelineResources"), {});
    b->clearCalls();

    // Each page is made and dropped in turn, so what stays is what the rows hold.
    const size_t before = heapInUse();
    for (int p = 0; p < listRows / 50; ++p) {
        d->moreTimelineView();
        b->complete(b->lastCall("retrieveTimelineResources"), olderPage(page, p));
        b->clearCalls();
    }
    const size_t after = heapInUse();
    QCOMPARE(home->rowCount(), listRows);
    const double perRow = double(after - before) / listRows;
    qInfo("heap per row: %.0f bytes (target at most 4096)", perRow);
    QVERIFY(perRow <= 4096);
}

void BenchTimeline::mergeOnePage()
{
    DataHandler *d = m_controller->handler();
    ScriptedBackend *b = m_controller->backend();
    ZirrupModel *home = d->timelineView()->timelineModel();
    d->moreTimelineView();
    b->complete(b->lastCall("retrieveTimelineResources"), m_nextPage);
    home->removeRows(listRows, home->rowCount() - listRows);
    b->clearCalls();
}

void BenchTimeline::mergePageIntoLongList()
{
    QBENCHMARK
    {
        mergeOnePage();
    }
}

void BenchTimeline::sectionDataOfLongList()
{
    TimelineView *view = m_controller->handler()->timelineView();
    QBENCHMARK
    {
        view->updateSectionData();
    }
}

void BenchTimeline::medians()
{
    const double page = medianMilliseconds(101, [this] { mergeOnePage(); });
    qInfo("page of 51 records into %d rows: median %.3f ms (target at most 3 ms)", listRows, page);
    TimelineView *view = m_controller->handler()->timelineView();
    const double sections = medianMilliseconds(21, [view] { view->updateSectionData(); });
    qInfo("section data of %d rows: median %.3f ms (target at most 20 ms)", listRows, sections);
}

void BenchTimeline::cleanupTestCase()
{
    m_controller.reset();
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    BenchTimeline bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_timeline.moc"

#include "datahandler.h"
#include "photoscaler.h"
#include "zirrupmodel.h"

#include "scriptedcontroller.h"

#include <QBuffer>
#include <QImageReader>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A JPEG with an EXIF orientation: the pixels as given, the tag telling viewers how to turn them
// (6: turned right). Qt's own writer turns the pixels instead, so the tag is put in by hand.
QByteArray jpegWithOrientation(const QImage &image, quint8 orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg");
    const char exif[] = {'\xFF', '\xE1', 0, 0x22, 'E', 'x', 'i', 'f', 0, 0,
                         // Big-endian TIFF header, then one entry: Orientation, SHORT, 1 value.
                         'M', 'M', 0, 0x2A, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0,
                         char(orientation), 0, 0, 0, 0, 0, 0};
    return jpeg.insert(2, exif, sizeof exif);
}
} // namespace

class TestPhotos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void galleryListsPicturesNewestFirst();
    void picturesAreScaledForUpload();

private:
    QString m_pictures;
    QString m_turned;
    QString m_landscape;
};

void TestPhotos::initTestCase()
{
    m_pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QVERIFY(QDir().mkpath(m_pictures + QStringLiteral("/2025")));

    // A camera's shot, stored lying and marked to be shown turned right.
    m_turned = m_pictures + QStringLiteral("/turned.jpg");
    QImage shot(3264, 2448, QImage::Format_RGB32);
    shot.fill(Qt::darkCyan);
    QFile turned(m_turned);
    QVERIFY(turned.open(QIODevice::WriteOnly));
    turned.write(jpegWithOrientation(shot, 6));
    turned.close();

    m_landscape = m_pictures + QStringLiteral("/2025/landscape.png");
    QImage small(600, 400, QImage::Format_ARGB32);
    small.fill(Qt::yellow);
    QVERIFY(small.save(m_landscape));
    QFile old(m_landscape);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-3),
                            QFileDevice::FileModificationTime));

    QFile notes(m_pictures + QStringLiteral("/notes.jpg"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
}

void TestPhotos::galleryListsPicturesNewestFirst()
{
    ScriptedController c;
    DataHandler *h = c.handler();
    QSignalSpy changed(h, &DataHandler::photosModelChanged);

    // Asking twice: the first scan is dropped, the grid stays empty until the second is done.
    h->queryPhotosModel();
    h->queryPhotosModel();
    QCOMPARE(h->photosModel(), nullptr);
    QVERIFY(changed.wait());
    QCOMPARE(changed.count(), 1);

    auto *model = qobject_cast<ZirrupModel *>(h->photosModel());
    QVERIFY(model);
    QCOMPARE(model->count(), 2);
    const QVariantMap newest = model->get(0);
    QCOMPARE(newest.value("role_image_url").toString(), QUrl::fromLocalFile(m_turned).toString());
    QCOMPARE(newest.value("role_aspect_ratio").toFloat(), 0.75f);
    QCOMPARE(newest.value("role_orientation_portrait").toBool(), true);
    const QVariantMap older = model->get(1);
    QCOMPARE(older.value("role_image_url").toString(), QUrl::fromLocalFile(m_landscape).toString());
    QCOMPARE(older.value("role_orientation_portrait").toBool(), false);

    // A new query empties the grid at once.
    h->queryPhotosModel();
    QCOMPARE(h->photosModel(), nullptr);
    QCOMPARE(changed.count(), 2);
    QVERIFY(changed.wait());
    QVERIFY(h->photosModel());
}

void TestPhotos::picturesAreScaledForUpload()
{
    const QString broken = m_pictures + QStringLiteral("/notes.jpg");
    PhotoScaler scaler;
    QSignalSpy scaled(&scaler, &PhotoScaler::photosScaled);
    scaler.scale(QVariantMap {{m_turned, true}, {m_landscape, false}, {broken, false}});
    QVERIFY(scaled.wait(30000));

    // In key order, without what could not be read.
    QCOMPARE(scaled.first().at(0).toList(), (QVariantList {m_landscape, m_turned}));
    const QVariantList files = scaled.first().at(1).toList();
    QCOMPARE(files.size(), 2);

    const struct
    {
        QString suffix;
        QByteArray format;
        QSize size;
    } expected[] = {
        // Small pictures are enlarged to the upload height too.
        {QStringLiteral("landscape.png"), "png", QSize(1080, 720)},
        // Scaled to 720 high, then turned upright.
        {QStringLiteral("turned.jpg"), "jpeg", QSize(720, 960)},
    };
    for (int i = 0; i < 2; ++i) {
        const QString file = files.at(i).toString();
        QVERIFY2(file.startsWith(QDir::tempPath() + QStringLiteral("/zr")), qPrintable(file));
        QVERIFY2(file.endsWith(expected[i].suffix), qPrintable(file));
        QImageReader reader(file);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), expected[i].format);
        QCOMPARE(reader.size(), expected[i].size);
        QVERIFY(QFile::remove(file));
    }
}

QTEST_MAIN(TestPhotos)
#include "tst_photos.moc"

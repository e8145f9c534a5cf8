#include "picturefactory.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

static const QRgb palette[] = {0xff3b7dd8, 0xffd8553b, 0xff3bb37d, 0xff9b59b6,
                               0xffe0a526, 0xff1f9e9e, 0xffc0392b, 0xff5d6d7e,
                               0xff2e86c1, 0xff8e44ad, 0xff27ae60, 0xffd35400};

QColor PictureFactory::paletteColor(int index)
{
    const int n = int(sizeof(palette) / sizeof(palette[0]));
    return QColor::fromRgb(palette[((index % n) + n) % n]);
}

quint32 PictureFactory::seedOf(const QString &text)
{
    // Not qHash: that one is seeded differently in every process.
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
    return quint32(quint8(digest[0])) << 24 | quint32(quint8(digest[1])) << 16
        | quint32(quint8(digest[2])) << 8 | quint32(quint8(digest[3]));
}

QImage PictureFactory::defaultAvatar(int variant, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(paletteColor(variant).lighter(130));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    const qreal s = size;
    p.drawEllipse(QRectF(s * 0.32, s * 0.16, s * 0.36, s * 0.38));
    QPainterPath shoulders;
    shoulders.moveTo(s * 0.12, s);
    shoulders.cubicTo(s * 0.14, s * 0.62, s * 0.86, s * 0.62, s * 0.88, s);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    return image;
}

QImage PictureFactory::initialsAvatar(const QString &initials, const QColor &color, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRadialGradient gradient(QPointF(size * 0.35, size * 0.3), size * 0.8);
    gradient.setColorAt(0, color.lighter(125));
    gradient.setColorAt(1, color.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(QRectF(size * 0.04, size * 0.04, size * 0.92, size * 0.92));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(8, int(size * 0.38)));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, initials);
    return image;
}

QImage PictureFactory::landscape(const QString &seed, const QSize &size)
{
    QRandomGenerator random(seedOf(seed));
    const int w = size.width();
    const int h = size.height();
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky: a gradient between two colours of the time of day.
    const int hue = random.bounded(360);
    QLinearGradient sky(0, 0, 0, h * 0.7);
    sky.setColorAt(0, QColor::fromHsv(hue, 120 + random.bounded(80), 140 + random.bounded(80)));
    sky.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 60 + random.bounded(60), 230));
    p.fillRect(image.rect(), sky);

    // Sun or moon.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 245, 200, 230));
    const qreal r = h * (0.06 + random.bounded(6) / 100.0);
    p.drawEllipse(
        QPointF(w * (0.15 + random.bounded(70) / 100.0), h * (0.15 + random.bounded(25) / 100.0)),
        r, r);

    // Ranges of hills, each darker and nearer.
    const int ranges = 3 + random.bounded(3);
    for (int i = 0; i < ranges; ++i) {
        const qreal base = h * (0.45 + 0.5 * (i + 1) / (ranges + 1));
        QPainterPath hills;
        hills.moveTo(0, h);
        hills.lineTo(0, base);
        const int steps = 6 + random.bounded(6);
        for (int k = 1; k <= steps; ++k) {
            const qreal x = w * k / qreal(steps);
            const qreal y = base - h * (random.bounded(18) / 100.0);
            hills.quadTo(x - w / (2.0 * steps), y - h * 0.05, x, y);
        }
        hills.lineTo(w, h);
        hills.closeSubpath();
        p.setBrush(QColor::fromHsv((hue + 120 + i * 12) % 360, 90 + i * 25, 170 - i * 30));
        p.drawPath(hills);
    }
    return image;
}

QByteArray PictureFactory::encode(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

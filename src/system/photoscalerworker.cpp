#include "photoscalerworker.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>
#include <QTransform>
#include <QUrl>
#include <QVariantList>
#include <QtDebug>

namespace {
QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

// The format the file name's extension names; a name without a writable one keeps the format
// the picture was read in, so that what is uploaded is always a readable picture.
QByteArray outputFormat(const QString &filename, const QByteArray &readFormat)
{
    const QString name = filename.section(QLatin1Char('/'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QByteArray suffix = dot >= 0 ? name.mid(dot + 1).toLower().toLatin1() : QByteArray();
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    if (writable.contains(suffix))
        return suffix;
    if (writable.contains(readFormat))
        return readFormat;
    return QByteArrayLiteral("jpg");
}
} // namespace

PhotoScalerWorker::PhotoScalerWorker(QObject *parent)
    : QObject(parent)
{ }

QString PhotoScalerWorker::temporaryTemplate()
{
    static const QString path = QDir::tempPath() + QLatin1Char('/') + QLatin1String("zrXXXXXX");
    return path;
}

QString PhotoScalerWorker::scale(const QString &filename, bool isPortrait, const char *caller)
{
    QImageReader reader(filename);
    reader.setDecideFormatFromContent(true);
    // The picture as stored: the caller says whether it is to be turned.
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        qDebug().noquote() << caller << "unable to load image:" << quoted(filename) << "Skipping.";
        return QString();
    }

    // The copy keeps the picture's own name (and so its extension) after the unique part.
    QTemporaryFile file(temporaryTemplate() + filename.section(QLatin1Char('/'), -1));
    file.setAutoRemove(false);
    if (!file.open()) {
        qDebug().noquote() << caller << "unable to create a file for" << quoted(filename)
                           << "Skipping.";
        return QString();
    }
    qDebug() << "Image loaded with resolution" << image.width() << "x" << image.height();

    QImage scaled = image.scaledToHeight(ScaledHeight, Qt::SmoothTransformation);
    if (isPortrait)
        scaled = scaled.transformed(QTransform().rotate(90), Qt::FastTransformation);

    const QByteArray format = outputFormat(filename, reader.format());
    if (!scaled.save(&file, format.constData())) {
        qDebug().noquote() << caller << "unable to write the scaled copy of" << quoted(filename)
                           << "Skipping.";
        file.remove();
        return QString();
    }
    file.close();
    return file.fileName();
}

void PhotoScalerWorker::scalePhotos(QVariant filesMap)
{
    const QVariantMap files = filesMap.toMap();
    QVariantList originals;
    QVariantList scaledFiles;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const bool isPortrait = it.value().toBool();
        const QString scaled =
            scale(it.key(), isPortrait, "void PhotoScalerWorker::scalePhotos(QVariant)");
        if (scaled.isEmpty())
            continue;
        scaledFiles.append(scaled);
        originals.append(it.key());
        qDebug().noquote() << "Scaled file saved to " + quoted(scaled)
                           << "isPortrait =" << (isPortrait ? "true" : "false");
    }
    Q_EMIT photosScaled(originals, scaledFiles);
}

void PhotoScalerWorker::scalePhoto(QString filename, bool isPortrait)
{
    const QString original = QUrl::fromPercentEncoding(filename.toUtf8());
    const QString scaled =
        scale(original, isPortrait, "void PhotoScalerWorker::scalePhoto(QString, bool)");
    if (scaled.isEmpty())
        return;
    qDebug().noquote() << "Scaled file saved to" + quoted(scaled)
                       << "isPortrait =" << (isPortrait ? "true" : "false");
    Q_EMIT photoScaled(original, scaled);
}

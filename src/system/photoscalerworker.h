#ifndef PHOTOSCALERWORKER_H
#define PHOTOSCALERWORKER_H

#include <QObject>
#include <QString>
#include <QVariant>

// Does the scaling of PhotoScaler on its thread: every picture to 720 pixels high, portrait
// shots turned upright, written to a temporary file that keeps the picture's file name and
// format. The files are the receiver's to delete.
class PhotoScalerWorker : public QObject
{
    Q_OBJECT

public:
    explicit PhotoScalerWorker(QObject *parent = nullptr);

    // The height every scaled picture gets.
    static constexpr int ScaledHeight = 720;

    // The system temporary directory and "zrXXXXXX"; the six X become a unique part.
    static QString temporaryTemplate();

public Q_SLOTS:
    // filesMap: file name -> portrait flag; answered with photosScaled(originals, scaled), two
    // lists in key order without the pictures that could not be read.
    void scalePhotos(QVariant filesMap);
    // One picture whose name may be percent-encoded; answered with photoScaled.
    void scalePhoto(QString filename, bool isPortrait = false);

Q_SIGNALS:
    void photoScaled(QString original, QString scaled);
    void photosScaled(QVariant originals, QVariant scaled);

private:
    // The scaled copy's file name, or an empty string when the picture could not be read.
    static QString scale(const QString &filename, bool isPortrait, const char *caller);
};

#endif // PHOTOSCALERWORKER_H

#ifndef PHOTOSCALER_H
#define PHOTOSCALER_H

#include <QObject>
#include <QString>
#include <QVariant>

class PhotoScalerWorker;
class QThread;

// Prepares pictures for upload off the GUI thread. It owns a thread with a PhotoScalerWorker on
// it and talks to the worker only by queued signals; going away, it waits for the thread to end.
class PhotoScaler : public QObject
{
    Q_OBJECT

public:
    explicit PhotoScaler(QObject *parent = nullptr);
    ~PhotoScaler() override;

    // files: file name -> portrait flag; photosScaled follows.
    void scale(QVariant files);
    // photoScaled follows.
    void scalePhoto(QString filename, bool isPortrait);

Q_SIGNALS:
    void photoScaled(QString original, QString scaled);
    void photosScaled(QVariant originals, QVariant scaled);
    void startScaling(QString filename, bool isPortrait);
    void startScaling(QVariant files);

public Q_SLOTS:
    void onScalingDone(QString original, QString scaled);
    void onScalingDone(QVariant originals, QVariant scaled);

private:
    PhotoScalerWorker *m_worker;
    QThread *m_thread;
};

#endif // PHOTOSCALER_H

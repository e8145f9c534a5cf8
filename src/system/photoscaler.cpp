#include "photoscaler.h"

#include "photoscalerworker.h"

#include <QThread>

PhotoScaler::PhotoScaler(QObject *parent)
    : QObject(parent)
    , m_worker(new PhotoScalerWorker)
    , m_thread(new QThread)
{
    // Built here, before the worker could need it on its thread.
    PhotoScalerWorker::temporaryTemplate();

    connect(this, qOverload<QString, bool>(&PhotoScaler::startScaling), m_worker,
            &PhotoScalerWorker::scalePhoto);
    connect(this, qOverload<QVariant>(&PhotoScaler::startScaling), m_worker,
            &PhotoScalerWorker::scalePhotos);
    connect(m_worker, &PhotoScalerWorker::photoScaled, this,
            qOverload<QString, QString>(&PhotoScaler::onScalingDone));
    connect(m_worker, &PhotoScalerWorker::photosScaled, this,
            qOverload<QVariant, QVariant>(&PhotoScaler::onScalingDone));
    m_worker->moveToThread(m_thread);
    m_thread->start(QThread::InheritPriority);
}

PhotoScaler::~PhotoScaler()
{
    m_thread->quit();
    if (!m_thread->isFinished())
        m_thread->wait();
    delete m_thread;
    delete m_worker;
}

void PhotoScaler::scale(QVariant files)
{
    Q_EMIT startScaling(files);
}

void PhotoScaler::scalePhoto(QString filename, bool isPortrait)
{
    Q_EMIT startScaling(filename, isPortrait);
}

void PhotoScaler::onScalingDone(QString original, QString scaled)
{
    Q_EMIT photoScaled(original, scaled);
}

void PhotoScaler::onScalingDone(QVariant originals, QVariant scaled)
{
    Q_EMIT photosScaled(originals, scaled);
}

#ifndef GALLERY_H
#define GALLERY_H

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class GalleryResult;

// The user's photos for the picture picker: every picture under the Pictures folder
// (XDG_PICTURES_DIR), its subfolders included, newest first.
class Gallery : public QObject
{
    Q_OBJECT

public:
    // One picture as stored: the size before any turning, and whether the picture's own
    // metadata (EXIF orientation) says it is to be shown turned right.
    struct Photo
    {
        QString url; // a "file:" URL
        int width = 0;
        int height = 0;
        bool rotatedRight = false;
    };

    explicit Gallery(QObject *parent = nullptr);

    // The folder scanned; the user's Pictures folder unless set.
    QString root() const { return m_root; }
    void setRoot(const QString &root) { m_root = root; }

    // Starts a scan off the GUI thread; the result is the caller's and says when it is done.
    GalleryResult *exec(QObject *parent = nullptr) const;

    // The scan itself, on whatever thread calls it.
    static QList<Photo> scan(const QString &root, const std::function<bool()> &canceled = {});

private:
    QString m_root;
};

// One running or finished gallery scan. Releasing it before it has finished abandons the scan.
class GalleryResult : public QObject
{
    Q_OBJECT

public:
    explicit GalleryResult(const QString &root, QObject *parent = nullptr);
    ~GalleryResult() override;

    bool isFinished() const { return m_finished; }
    // The photos, newest first; empty until finished.
    QList<Gallery::Photo> photos() const { return m_photos; }

Q_SIGNALS:
    void finished();

private:
    QFutureWatcher<QList<Gallery::Photo>> m_watcher;
    QList<Gallery::Photo> m_photos;
    bool m_finished = false;
};

#endif // GALLERY_H

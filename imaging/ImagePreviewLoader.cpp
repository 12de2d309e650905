#include "ImagePreviewLoader.h"

#include "ImageFile.h"
#include "PictureImage.h"
#include "TImageIO.h"

#include <QMetaObject>
#include <mutex>
#include <thread>

// Lives as long as the last worker: a worker stuck on a read outlives the
// dialog and finds its owner gone.
struct ImagePreviewLoader::Shared
{
    std::mutex mutex;
    ImagePreviewLoader *owner = nullptr;
    QString pending;
    bool hasPending = false;
    bool running = false;
};

ImagePreviewLoader::ImagePreviewLoader(QObject *parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_shared->owner = this;
}

ImagePreviewLoader::~ImagePreviewLoader()
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->hasPending = false;
}

void ImagePreviewLoader::Request(const QString &path)
{
    m_current = path;
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->pending = path;
    m_shared->hasPending = true;
    if (m_shared->running)
        return;
    m_shared->running = true;
    // Detached: a read that never returns must not hold the program's exit.
    std::thread(&ImagePreviewLoader::run, m_shared).detach();
}

void ImagePreviewLoader::run(std::shared_ptr<Shared> shared)
{
    for (;;) {
        QString path;
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            if (!shared->hasPending || !shared->owner) {
                shared->running = false;
                return;
            }
            path = shared->pending;
            shared->hasPending = false;
        }
        QImage image;
        if (!path.isEmpty()) {
            Picture24 picture;
            LoadOptions options;
            options.maxFileBytes = kMaxPreviewBytes;
            if (ImageFile::load(TImageIO::LocalPath(path), picture, options))
                image = PictureImage::ToQImage(picture);
        }
        const std::lock_guard<std::mutex> lock(shared->mutex);
        // Posting under the lock: the owner cannot be destroyed in between,
        // and its destruction drops the posted call.
        if (shared->owner && !shared->hasPending) {
            ImagePreviewLoader *owner = shared->owner;
            QMetaObject::invokeMethod(
                owner,
                [owner, path, image] {
                    if (path == owner->m_current)
                        emit owner->Loaded(path, image);
                },
                Qt::QueuedConnection);
        }
    }
}

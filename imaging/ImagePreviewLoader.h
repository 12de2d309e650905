#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <memory>

/**
 * Decodes the pictures a file dialog previews on a thread of its own, so a
 * slow disk, a huge file or a name that points at something odd never holds
 * the dialog. Only the latest request counts: a request made while another
 * one runs replaces any that waits, and Loaded reports the latest only.
 *
 * Files are read as RegularFile reads them (regular files only, nothing
 * from /proc or /sys) and only up to kMaxPreviewBytes; anything else gives a
 * null image, without a message.
 */
class ImagePreviewLoader : public QObject
{
    Q_OBJECT

public:
    /** A preview is a glance: larger files are not read for it. */
    static constexpr std::uint64_t kMaxPreviewBytes = std::uint64_t(64) << 20;

    explicit ImagePreviewLoader(QObject *parent = nullptr);
    ~ImagePreviewLoader() override;

    /** Asks for the picture of @p path (a name as the dialog gives it). */
    void Request(const QString &path);

    /** The path of the latest request. */
    QString Current() const { return m_current; }

signals:
    /** The picture of @p path, or a null image when there is none to show. */
    void Loaded(const QString &path, const QImage &image);

private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> m_shared;
    QString m_current;
};

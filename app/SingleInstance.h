#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;

/**
 * One program per user and salon folder: a second start hands its photos
 * to the program already running on the same salon folder (over a local
 * socket) and ends, as image programs do when several photos are opened
 * from a file manager. Programs on different salon folders (tests, --home)
 * do not see each other.
 */
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    /** `salonDir` is the salon folder the program works in. */
    explicit SingleInstance(const QString &salonDir, QObject *parent = nullptr);
    ~SingleInstance() override;

    /** The socket name for this user and salon folder. */
    static QString ServerName(const QString &salonDir);
    /** False when QUENDA_SINGLE_INSTANCE=0 is set in the environment. */
    static bool Enabled();

    /**
     * Gives `photos` to the running program, or starts serving when there is
     * none. Returns true when a running program took them (this one should
     * end). Two programs starting together are serialised by a lock file,
     * so exactly one of them serves.
     */
    bool HandOffOrServe(const QStringList &photos);
    bool IsServing() const;

signals:
    /** A later start sent these photos (possibly none: it wants the window shown). */
    void PhotosArrived(const QStringList &photos);

private:
    bool handOff(const QStringList &photos);
    bool serve();
    void readFrom(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
    std::unique_ptr<QLockFile> m_lock;
};

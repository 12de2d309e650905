#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr quint32 kMagic = 0x51554e44; // "QUND"
constexpr int kConnectMs = 1000;
// The running program answers from its event loop; it may be busy opening
// a large photo.
constexpr int kAnswerMs = 15000;
constexpr char kTaken = 'k';

QString socketFolder()
{
    // The runtime folder is the user's own; /tmp is shared, so there the
    // user id in the name and owner-only access keep users apart.
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return runtime;
    return QDir::tempPath();
}
} // namespace

SingleInstance::SingleInstance(const QString &salonDir, QObject *parent)
    : QObject(parent), m_name(ServerName(salonDir))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString &salonDir)
{
    QString canonical = QFileInfo(salonDir).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(QFileInfo(salonDir).absoluteFilePath());
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return socketFolder() + QStringLiteral("/quenda-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::Enabled()
{
    return qgetenv("QUENDA_SINGLE_INSTANCE") != "0";
}

bool SingleInstance::IsServing() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::HandOffOrServe(const QStringList &photos)
{
    m_lock = std::make_unique<QLockFile>(m_name + QStringLiteral(".lock"));
    // A start that crashed while holding the lock leaves it behind; it is
    // stale well before anyone waits this long.
    m_lock->setStaleLockTime(10000);
    const bool locked = m_lock->tryLock(20000);
    const bool taken = handOff(photos);
    if (!taken)
        serve();
    if (locked)
        m_lock->unlock();
    return taken;
}

bool SingleInstance::handOff(const QStringList &photos)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    QByteArray message;
    {
        QDataStream out(&message, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kMagic << photos;
    }
    socket.write(message);
    if (!socket.waitForBytesWritten(kConnectMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kAnswerMs))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

bool SingleInstance::serve()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // Nobody answered on the name (we hold the lock and tried), so the
        // socket file is left from a program that did not end normally.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
            readFrom(socket);
        }
    });
    return true;
}

void SingleInstance::readFrom(QLocalSocket *socket)
{
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    quint32 magic = 0;
    QStringList photos;
    in >> magic >> photos;
    if (!in.commitTransaction())
        return; // the rest has not arrived yet
    if (magic != kMagic) {
        socket->abort();
        return;
    }
    // Answer first: the other program only waits for the hand-off, not for
    // the photos to open (an unreadable one shows a message box here).
    socket->putChar(kTaken);
    socket->flush();
    socket->disconnectFromServer();
    emit PhotosArrived(photos);
}

#include "SingleInstance.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include <unistd.h>

namespace {

// The first word of every request, so that a stray client is ignored.
constexpr quint32 kMagic = 0x56584c31;  // "VXL1"
// A request is a handful of paths; anything larger is not one of ours.
constexpr quint32 kMaxRequest = 1 << 20;
constexpr int kConnectMs = 1000;
// The running instance answers from its event loop; a modal dialog keeps
// that loop running, a long computation does not.
constexpr int kAnswerMs = 5000;
constexpr char kAccepted = 'k';

QString safePart(QString text)
{
    for (QChar& c : text)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    return text;
}

QString displayName()
{
    const QString platform = QGuiApplication::platformName();
    QString display;
    if (platform.startsWith(QLatin1String("wayland")))
        display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    else
        display = qEnvironmentVariable("DISPLAY");
    return safePart(platform + QLatin1Char('-') + display);
}

// Whether a live instance accepts connections under name.
bool answers(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool live = probe.waitForConnected(kConnectMs);
    probe.abort();
    return live;
}

}  // namespace

QString SingleInstance::serverName()
{
    const QString base = QStringLiteral("vexil-%1-%2").arg(::getuid()).arg(displayName());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(base + QStringLiteral(".socket"));
    return base;
}

bool SingleInstance::handOver(const QStringList& files, const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    QByteArray payload;
    for (const QString& f : files)
        payload += QFileInfo(f).absoluteFilePath().toUtf8() + '\0';
    if (payload.size() > static_cast<qsizetype>(kMaxRequest))
        return false;
    QByteArray request(8, '\0');
    qToBigEndian<quint32>(kMagic, request.data());
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), request.data() + 4);
    request += payload;
    socket.write(request);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kAnswerMs))
            return false;
    if (!socket.waitForReadyRead(kAnswerMs))
        return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kAccepted;
}

bool SingleInstance::listen(OpenFiles open, const QString& name)
{
    open_ = std::move(open);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Listening would take the name from a live instance (the socket file is
    // replaced), so ask first. One that is busy still accepts the connection.
    if (answers(name))
        return false;
    // Left behind by an instance that ended without closing it.
    QLocalServer::removeServer(name);
    if (!server_->listen(name))
        return false;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::receive);
    return true;
}

void SingleInstance::receive()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that never finishes its request is dropped.
        QTimer::singleShot(kAnswerMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Magic word, payload length, then the paths, each ended by a
            // null byte (which no path can hold).
            if (socket->bytesAvailable() < 8)
                return;
            char head[8];
            socket->peek(head, 8);
            const quint32 length = qFromBigEndian<quint32>(head + 4);
            if (qFromBigEndian<quint32>(head) != kMagic || length > kMaxRequest) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 8 + static_cast<qint64>(length))
                return;  // the rest of the request is still on its way
            socket->read(8);
            QStringList paths;
            for (const QByteArray& path : socket->read(length).split('\0'))
                if (!path.isEmpty())
                    paths << QString::fromUtf8(path);
            socket->putChar(kAccepted);
            socket->flush();
            socket->disconnectFromServer();
            // Opened from the event loop, after the sender has its answer:
            // opening may show a message box of its own.
            QTimer::singleShot(0, this, [this, paths] {
                if (open_)
                    open_(paths);
            });
        });
    }
}

#pragma once
// One Vexil per user and display: a second `vexil FILE` hands FILE to the
// instance already running, which opens it as File > Open does and comes to
// the front, and the second process ends.
//
// The running instance listens on a local socket named after the user and
// the display. The socket lives in the user's runtime folder where there is
// one (only the user can reach it), otherwise in the temporary folder with
// access for the user only. A socket file left behind by an instance that
// crashed answers no one and is replaced by the next instance.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    using OpenFiles = std::function<void(const QStringList& paths)>;

    // The socket of this user on this display.
    static QString serverName();

    // Sends the files (made absolute against the current folder) to the
    // running instance. True when it took them; false when none runs or it
    // did not answer in time, and the caller starts on its own.
    static bool handOver(const QStringList& files, const QString& name = serverName());

    // Starts listening for the files of later starts, which go to `open`
    // from the event loop. A stale socket is replaced; when another live
    // instance already listens, this one does not (false).
    bool listen(OpenFiles open, const QString& name = serverName());

private:
    void receive();

    QLocalServer* server_ = nullptr;
    OpenFiles open_;
};

// The hand-over of files from a second start to the running instance.

#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void filesReachTheRunningInstanceAsAbsolutePaths()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("s"));
        QVERIFY(!SingleInstance::handOver({QStringLiteral("a.ff")}, name));  // nobody listens yet

        QStringList received;
        SingleInstance first;
        QVERIFY(first.listen([&](const QStringList& paths) { received += paths; }, name));
        QVERIFY(!SingleInstance().listen({}, name));  // the first one keeps the socket

        // The sender blocks until the answer; the receiver answers from its loop.
        auto sent = std::async(std::launch::async, [&] {
            return SingleInstance::handOver({QStringLiteral("a.ff"), QStringLiteral("/x/b c.fits[1]")}, name);
        });
        QTRY_COMPARE(received.size(), 2);
        QVERIFY(sent.get());
        QCOMPARE(received, QStringList({QDir::current().absoluteFilePath(QStringLiteral("a.ff")),
                                        QStringLiteral("/x/b c.fits[1]")}));
    }

    void foreignRequestsAreDroppedUnread()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("s"));
        QStringList received;
        SingleInstance first;
        QVERIFY(first.listen([&](const QStringList& paths) { received += paths; }, name));
        // A wrong first word, and one of ours announcing more than any list of paths.
        for (const QByteArray& head : {QByteArray("GET / HT"), QByteArray::fromHex("56584c3100100001")}) {
            QLocalSocket client;
            client.connectToServer(name);
            QVERIFY(client.waitForConnected(1000));
            client.write(head + QByteArray(64, 'a'));
            QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 3000);  // before the idle drop
        }
        QTest::qWait(50);
        QVERIFY(received.isEmpty());
    }

    void staleSocketDoesNotBlockTheNextStart()
    {
        // A socket file bound by no live process, as a crashed instance leaves it.
        QTemporaryDir dir;
        const QByteArray path = dir.filePath(QStringLiteral("s")).toLocal8Bit();
        sockaddr_un addr{AF_UNIX, {}};
        std::strncpy(addr.sun_path, path.constData(), sizeof addr.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0);
        ::close(fd);
        QVERIFY(QFile::exists(QString::fromLocal8Bit(path)));
        QVERIFY(SingleInstance().listen({}, QString::fromLocal8Bit(path)));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"

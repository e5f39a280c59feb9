// SPDX-License-Identifier: MIT
#include "ui/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace nestora {

namespace {

// What a later start sends, and what the first answers once it has shown.
constexpr char ShowRequest[] = "show\n";
constexpr char Shown[] = "shown\n";

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

}  // namespace

QString InstanceName(const std::string& settingsPath) {
    const QString absolute = QFileInfo(QFile::decodeName(settingsPath.c_str())).absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(absolute), QCryptographicHash::Sha256);
    return "nestora-" + QString::fromLatin1(hash.toHex().left(16));
}

SingleInstance::SingleInstance(const std::string& settingsPath, const QString& folder) {
    const QDir where(folder.isEmpty() ? RuntimeFolder() : folder);
    const QString name = InstanceName(settingsPath);
    socketPath_ = where.filePath(name + ".socket");
    lock_ = std::make_unique<QLockFile>(where.filePath(name + ".lock"));
    // Only a lock whose process is gone is stale, never one that is merely old.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) return;
    // The lock is ours, so a socket file left behind is nobody's.
    QLocalServer::removeServer(socketPath_);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath_)) {
        // Without the socket this process still runs the window; a later
        // start cannot reach it and says so.
        delete server;
        server = new QLocalServer(this);
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

SingleInstance::~SingleInstance() {
    if (server_ != nullptr) server_->close();
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() == ShowRequest && show_) show_();
            socket->write(Shown);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::askFirstToShow(int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            socket.write(ShowRequest);
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
            while (!socket.canReadLine() &&
                   socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            }
            return socket.canReadLine() && socket.readLine() == Shown;
        }
        QThread::msleep(50);  // the first is still starting
    }
    return false;
}

}  // namespace nestora

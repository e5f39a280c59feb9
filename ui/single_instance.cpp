// SPDX-License-Identifier: MIT
#include "ui/single_instance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace nestora {

namespace {

// What a later start sends, and what the first answers once it has shown.
constexpr std::string_view ShowRequest = "show\n";
constexpr std::string_view Shown = "shown\n";
// Or "open ", the plan document's absolute path percent-encoded (so that it
// holds no line end), and a line end.
constexpr std::string_view OpenRequest = "open ";
constexpr std::size_t LongestRequest = 8192;

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

// The socket's address, or nothing for a path longer than an address holds.
std::optional<sockaddr_un> AddressOf(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return std::nullopt;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return address;
}

int StreamSocket(int flags) { return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0); }

bool WriteAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::send(descriptor, text.data(), text.size(), MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Reads up to the first end of line, or what came before the other side
// closed, waiting no later than `deadline`.
std::string ReadLine(int descriptor, const QDeadlineTimer& deadline) {
    std::string line;
    char c = 0;
    while (line.empty() || line.back() != '\n') {
        pollfd readable{descriptor, POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t read = ::recv(descriptor, &c, 1, 0);
        if (read < 0 && errno == EINTR) continue;
        if (read <= 0) break;
        line += c;
    }
    return line;
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
    first_ = true;
    // Without the socket this process still runs the window; a later start
    // cannot reach it and says so.
    listen();
}

SingleInstance::~SingleInstance() {
    if (listening_ < 0) return;
    ::close(listening_);
    QFile::remove(socketPath_);
}

void SingleInstance::listen() {
    const std::optional<sockaddr_un> address = AddressOf(socketPath_);
    if (!address) return;
    const int descriptor = StreamSocket(SOCK_NONBLOCK);
    if (descriptor < 0) return;
    // The lock is ours, so a socket file left behind is nobody's.
    QFile::remove(socketPath_);
    const QByteArray path = QFile::encodeName(socketPath_);
    if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(descriptor, 8) != 0) {
        ::close(descriptor);
        return;
    }
    listening_ = descriptor;
    auto* incoming = new QSocketNotifier(listening_, QSocketNotifier::Read, this);
    connect(incoming, &QSocketNotifier::activated, this, &SingleInstance::answer);
}

void SingleInstance::answer() {
    for (;;) {
        const int connection =
            ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0) {
            if (errno == EINTR) continue;
            return;  // none waiting (EAGAIN), or one that left already
        }
        auto* readable = new QSocketNotifier(connection, QSocketNotifier::Read, this);
        connect(readable, &QSocketNotifier::activated, this,
                [this, connection, readable] { readRequest(connection, readable); });
    }
}

// A request is one line; whatever else arrives, the connection gets its
// answer (or is dropped) and is closed.
void SingleInstance::readRequest(int connection, QSocketNotifier* readable) {
    std::array<char, LongestRequest> request{};
    const ssize_t read = ::recv(connection, request.data(), request.size(), MSG_PEEK);
    if (read < 0 && (errno == EAGAIN || errno == EINTR)) return;
    const auto size = static_cast<std::size_t>(std::max<ssize_t>(read, 0));
    const auto* end = static_cast<const char*>(std::memchr(request.data(), '\n', size));
    if (read > 0 && end == nullptr && size < request.size())
        return;  // the rest of the line is on its way
    readable->setEnabled(false);
    readable->deleteLater();
    // Taken off the socket, so that closing it is not taken for a reset.
    if (read > 0) ::recv(connection, request.data(), size, 0);
    const std::string_view line =
        end == nullptr ? std::string_view() : std::string_view(request.data(), end + 1);
    if (line == ShowRequest ||
        (line.starts_with(OpenRequest) && line.size() > OpenRequest.size() + 1)) {
        const QByteArray document =
            line == ShowRequest
                ? QByteArray()
                : QByteArray::fromPercentEncoding(
                      QByteArray(line.data() + OpenRequest.size(),
                                 static_cast<qsizetype>(line.size() - OpenRequest.size() - 1)));
        if (show_) show_(QString::fromUtf8(document));
        WriteAll(connection, Shown);
    }
    ::close(connection);
}

bool SingleInstance::askFirstToShow(int timeoutMs, const QString& document) const {
    const std::string request = document.isEmpty() ? std::string(ShowRequest)
                                                   : std::string(OpenRequest) +
                                                         QFileInfo(document)
                                                             .absoluteFilePath()
                                                             .toUtf8()
                                                             .toPercentEncoding()
                                                             .toStdString() +
                                                         "\n";
    const QDeadlineTimer deadline(timeoutMs);
    const std::optional<sockaddr_un> address = AddressOf(socketPath_);
    while (address && !deadline.hasExpired()) {
        const int descriptor = StreamSocket(0);
        if (descriptor < 0) return false;
        if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) ==
            0) {
            const bool answered =
                WriteAll(descriptor, request) && ReadLine(descriptor, deadline) == Shown;
            ::close(descriptor);
            return answered;
        }
        ::close(descriptor);
        QThread::msleep(50);  // the first is still starting
    }
    return false;
}

}  // namespace nestora

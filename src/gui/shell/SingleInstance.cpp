#include "gui/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace {

TSingleInstance* g_current = nullptr;

const QByteArray kRaise = "raise\n";
const QByteArray kOk = "ok\n";

// Unix socket paths are limited to about 107 bytes; a long program path
// keeps its start and gets a hash of the whole name.
QString SocketName(const QString& name) {
  const int room = 100 - int(QDir::tempPath().toUtf8().size()) - 1;
  if (int(name.toUtf8().size()) <= std::min(room, 200)) return name;
  const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return name.left(std::max(8, std::min(room, 200) - 17)) + QLatin1Char('-') + QString::fromLatin1(hash);
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& programPath, QObject* parent) : QObject(parent) {
  const QString path = programPath.isEmpty() ? QCoreApplication::applicationFilePath()
                                             : QFileInfo(programPath).absoluteFilePath();
  name_ = ServerName(path);
  socket_ = SocketName(name_);
}

TSingleInstance::~TSingleInstance() { Release(); }

QString TSingleInstance::ServerName(const QString& programPath) {
  QString name = programPath;
  name.remove(QLatin1Char('/'));
  name.remove(QLatin1Char('\\'));
  name.remove(QLatin1Char(' '));
  return name;
}

TSingleInstance* TSingleInstance::Current() { return g_current; }

bool TSingleInstance::Claim(int timeoutMs, bool listen) {
  if (claimed_) return true;
  QElapsedTimer clock;
  clock.start();
  const QString lockPath = QDir::tempPath() + QLatin1Char('/') + socket_ + QStringLiteral(".lock");
  lockPath_ = lockPath;
#ifdef Q_OS_UNIX
  // A lock the kernel holds for this process: it goes with the process,
  // however that ends, and nothing is written to disk to take it.
  const QByteArray lockFile = QFile::encodeName(lockPath);
  lockFd_ = ::open(lockFile.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  const bool lockable = lockFd_ >= 0;
  const auto tryLock = [this, &lockFile] {
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) return false;
    // Locked; but a holder that ended meanwhile removes the file: then this
    // lock is on a file nobody else sees, and the claim is made anew.
    struct stat held {
    }, named{};
    if (::fstat(lockFd_, &held) == 0 && ::stat(lockFile.constData(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev)
      return true;
    ::close(lockFd_);
    lockFd_ = ::open(lockFile.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    return lockFd_ >= 0 && ::flock(lockFd_, LOCK_EX | LOCK_NB) == 0;
  };
#else
  lock_ = std::make_unique<QLockFile>(lockPath);
  // Only a dead holder makes the lock stale, never its age.
  lock_->setStaleLockTime(0);
  const auto tryLock = [this] { return lock_->tryLock(0); };
  const auto lockableNow = [this] { return lock_->error() == QLockFile::LockFailedError; };
#endif

  for (;;) {
#ifdef Q_OS_UNIX
    if (lockable && tryLock()) break;
    if (!lockable) {
#else
    if (tryLock()) break;
    if (!lockableNow()) {
#endif
      // No lock can be made here (temp folder not writable): the socket alone
      // decides. Better to run twice than not at all.
      if (askRunningInstance(std::max(0, timeoutMs - int(clock.elapsed())))) return false;
      DropLock();
      break;
    }
    // Another instance holds the claim; it may still be starting its server.
    const int left = timeoutMs - int(clock.elapsed());
    if (askRunningInstance(std::max(0, left)) || clock.elapsed() >= timeoutMs) {
      DropLock();
      return false;
    }
    QThread::msleep(50);
  }

  claimed_ = true;
  g_current = this;
  // Without a server later starts cannot reach us, but the claim holds.
  if (listen) Listen();
  return true;
}

bool TSingleInstance::Listen() {
  if (!claimed_) return false;
  if (listening_) return true;
  if (listenedOnce_) return false;
  listenedOnce_ = true;
  listening_ = OpenServer();
  return listening_;
}

void TSingleInstance::DropLock(bool held) {
#ifdef Q_OS_UNIX
  if (lockFd_ < 0) return;
  // Removed while still locked: a start waiting on it sees that (see Claim).
  if (held) ::unlink(QFile::encodeName(lockPath_).constData());
  ::close(lockFd_);  // closing lets the lock go
  lockFd_ = -1;
#else
  if (lock_) lock_->unlock();
  lock_.reset();
#endif
}

void TSingleInstance::Release() {
  CloseServer();
  listening_ = false;
  listenedOnce_ = false;
  DropLock(claimed_);
  claimed_ = false;
  if (g_current == this) g_current = nullptr;
}

#ifdef Q_OS_UNIX
// A plain local socket, as Qt's local sockets make it (the same path, so
// either kind of client reaches it), without loading the network library at
// start.

namespace {

QString SocketPath(const QString& name) {
  return QDir::cleanPath(QDir::tempPath()) + QLatin1Char('/') + name;
}

bool ToAddress(const QString& path, sockaddr_un& address) {
  const QByteArray encoded = QFile::encodeName(path);
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (size_t(encoded.size()) >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
  return true;
}

// Waits up to `ms` for `events` on `fd`.
bool Wait(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int n = ::poll(&p, 1, ms);
    if (n < 0 && errno == EINTR) continue;
    return n > 0 && (p.revents & events);
  }
}

// One later start talking to us; dropped when it says nothing for 3 s.
class TClient : public QObject {
 public:
  TClient(int fd, TSingleInstance* owner)
      : QObject(owner), fd_(fd), notifier_(fd, QSocketNotifier::Read, this) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this, owner] { readFrom(owner); });
    QTimer::singleShot(3000, this, [this] { deleteLater(); });
  }
  ~TClient() override { ::close(fd_); }

 private:
  void readFrom(TSingleInstance* owner) {
    char chunk[256];
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
      notifier_.setEnabled(false);
      deleteLater();
      return;
    }
    buffer_.append(chunk, n);
    for (qsizetype at; (at = buffer_.indexOf('\n')) >= 0;) {
      const QByteArray line = buffer_.left(at + 1);
      buffer_.remove(0, at + 1);
      if (line == kRaise) {
        [[maybe_unused]] const ssize_t written = ::write(fd_, kOk.constData(), size_t(kOk.size()));
        emit owner->RaiseRequested();
      }
    }
    if (buffer_.size() > 1024) deleteLater();  // not one of ours
  }

  int fd_;
  QSocketNotifier notifier_;
  QByteArray buffer_;
};

}  // namespace

bool TSingleInstance::OpenServer() {
  const QString path = SocketPath(socket_);
  // A name left behind by a crashed instance: nobody answers on it.
  if (QFileInfo::exists(path)) {
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    const bool answered = probe >= 0 && ToAddress(path, address) &&
                          ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (probe >= 0) ::close(probe);
    if (answered) return false;
  }
  // Made in a folder of our own, readable by this user only, then moved into
  // place: nobody else ever sees it with wider rights.
  QByteArray folder = QFile::encodeName(QDir::cleanPath(QDir::tempPath()) + QStringLiteral("/klv820-XXXXXX"));
  if (!::mkdtemp(folder.data())) return false;
  const QString inFolder = QFile::decodeName(folder) + QStringLiteral("/s");
  sockaddr_un address{};
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  bool ok = fd >= 0 && ToAddress(inFolder, address) &&
            ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::chmod(address.sun_path, 0600) == 0 && ::listen(fd, 16) == 0 &&
            ::rename(address.sun_path, QFile::encodeName(path).constData()) == 0;
  ::unlink(address.sun_path);
  ::rmdir(folder.constData());
  if (!ok) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  listenFd_ = fd;
  listenPath_ = path;
  acceptor_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(acceptor_, &QSocketNotifier::activated, this, [this] {
    for (;;) {
      const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (client < 0) return;
      new TClient(client, this);
    }
  });
  return true;
}

void TSingleInstance::CloseServer() {
  if (listenFd_ < 0) return;
  delete acceptor_;
  acceptor_ = nullptr;
  ::close(listenFd_);
  listenFd_ = -1;
  ::unlink(QFile::encodeName(listenPath_).constData());
}

bool TSingleInstance::askRunningInstance(int timeoutMs) {
  sockaddr_un address{};
  if (!ToAddress(SocketPath(socket_), address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  if (!connected && (errno == EINPROGRESS || errno == EAGAIN) &&
      Wait(fd, POLLOUT, std::clamp(timeoutMs, 1, 500))) {
    int error = 0;
    socklen_t length = sizeof error;
    connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  const bool sent = connected && Wait(fd, POLLOUT, 1000) &&
                    ::write(fd, kRaise.constData(), size_t(kRaise.size())) == kRaise.size();
  // The answer only tells that the request was read; its absence changes nothing.
  if (sent && Wait(fd, POLLIN, 1000)) {
    char answer[8];
    [[maybe_unused]] const ssize_t n = ::read(fd, answer, sizeof answer);
  }
  ::close(fd);
  return sent;
}

#else

bool TSingleInstance::OpenServer() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::onNewConnection);
  if (server_->listen(socket_)) return true;
  // A name left behind by a crashed instance: nobody answers on it.
  QLocalSocket probe;
  probe.connectToServer(socket_);
  if (probe.waitForConnected(200)) return false;
  QLocalServer::removeServer(socket_);
  return server_->listen(socket_);
}

void TSingleInstance::CloseServer() {
  if (!server_) return;
  server_->close();
  delete server_;
  server_ = nullptr;
}

bool TSingleInstance::askRunningInstance(int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(socket_);
  if (!socket.waitForConnected(std::clamp(timeoutMs, 1, 500))) return false;
  socket.write(kRaise);
  if (!socket.waitForBytesWritten(1000)) return false;
  // The answer only tells that the request was read; its absence changes nothing.
  socket.waitForReadyRead(1000);
  socket.disconnectFromServer();
  return true;
}

void TSingleInstance::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    QPointer<QLocalSocket> guard(socket);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      while (socket->canReadLine()) {
        if (socket->readLine() == kRaise) {
          socket->write(kOk);
          socket->flush();
          emit RaiseRequested();
        }
      }
    });
    // A client that never says anything is dropped.
    QTimer::singleShot(3000, socket, [guard] {
      if (guard) guard->abort();
    });
  }
}

#endif

QStringList RestartArguments;
std::function<void()> RestartPreparation;

bool RestartProgram() {
  TSingleInstance* instance = TSingleInstance::Current();
  if (instance) instance->Release();
  if (RestartPreparation) RestartPreparation();
  const bool started =
      QProcess::startDetached(QCoreApplication::applicationFilePath(), RestartArguments, QDir::currentPath());
  if (!started) {
    if (instance) instance->Claim(500);
    return false;
  }
  QCoreApplication::exit(0);
  return true;
}

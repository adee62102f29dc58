#include "gui/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <algorithm>

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
  lock_ =
      std::make_unique<QLockFile>(QDir::tempPath() + QLatin1Char('/') + socket_ + QStringLiteral(".lock"));
  // Only a dead holder makes the lock stale, never its age.
  lock_->setStaleLockTime(0);

  for (;;) {
    if (lock_->tryLock(0)) break;
    if (lock_->error() != QLockFile::LockFailedError) {
      // No lock can be made here (temp folder not writable): the socket alone
      // decides. Better to run twice than not at all.
      if (askRunningInstance(std::max(0, timeoutMs - int(clock.elapsed())))) return false;
      lock_.reset();
      break;
    }
    // Another instance holds the claim; it may still be starting its server.
    const int left = timeoutMs - int(clock.elapsed());
    if (askRunningInstance(std::max(0, left))) return false;
    if (clock.elapsed() >= timeoutMs) return false;
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
  if (server_) return server_->isListening();
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

void TSingleInstance::Release() {
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
  if (lock_) {
    lock_->unlock();
    lock_.reset();
  }
  claimed_ = false;
  if (g_current == this) g_current = nullptr;
}

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

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;
class QSocketNotifier;

// One running instance per program file. Copies of the program at other
// paths do not see each other.
//
// The claim is a lock on the file "<ServerName>.lock" in the temp folder,
// held for the whole run (on Unix a kernel lock (flock) that ends with the
// process; elsewhere a QLockFile, whose crashed holder is found by its
// process and replaced). The holder listens on a local socket named ServerName() (on Unix
// the socket file of that name in the temp folder, user-only); a later
// start of the same program file connects to it, sends "raise\n", waits up to
// a second for "ok\n" and gives up its start.
class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  // programPath: the program file; by default the running one.
  explicit TSingleInstance(const QString& programPath = QString(), QObject* parent = nullptr);
  ~TSingleInstance() override;

  // The program file's full path with every '/', '\\' and blank removed.
  static QString ServerName(const QString& programPath);

  // True when this process now holds the claim and listens for requests.
  // False when another instance of the same program file runs: it has been
  // asked to come to the front (within `timeoutMs`), and this start should
  // end quietly with exit status 0. Also false when the running holder does
  // not answer within timeoutMs.
  // With `listen` false the claim is held without listening yet: a later
  // start keeps retrying (within its own timeout) until Listen() is called.
  bool Claim(int timeoutMs = 3000, bool listen = true);
  // Starts answering later starts, once per claim; false when the socket
  // cannot be made (the claim holds all the same).
  bool Listen();

  // Gives the claim up: stops listening and removes the lock. A new instance
  // of the program can claim right after.
  void Release();
  bool IsClaimed() const { return claimed_; }
  // The local socket name in use: ServerName(), shortened with a hash when
  // too long for a socket path.
  QString Name() const { return socket_; }

  // The instance that holds this process's claim, or null.
  static TSingleInstance* Current();

 signals:
  // A later start asked this instance to restore and activate its window.
  void RaiseRequested();

 private:
  bool OpenServer();
  // Lets the lock go; `held`: it was ours, its file is removed.
  void DropLock(bool held = false);
  void CloseServer();
  void onNewConnection();
  bool askRunningInstance(int timeoutMs);

  QString name_;                     // ServerName(programPath)
  QString socket_;                   // the socket name actually used (shortened when too long)
  std::unique_ptr<QLockFile> lock_;  // not on Unix
  int lockFd_ = -1;                  // Unix
  QString lockPath_;
  bool claimed_ = false;
  bool listening_ = false;
  bool listenedOnce_ = false;
  // The server: a socket of our own on Unix, Qt's local server elsewhere.
  int listenFd_ = -1;
  QString listenPath_;
  QSocketNotifier* acceptor_ = nullptr;
  QLocalServer* server_ = nullptr;
};

// Starts the program file anew and ends this process: releases the single
// instance claim first, so the new process is not refused while this one is
// still ending, then runs RestartPreparation (when set), launches the program
// with RestartArguments (same working folder) detached and leaves the event
// loop with status 0. When the launch fails the claim is taken back, nothing
// ends, and the result is false.
bool RestartProgram();
// How the program was started, so that a restart starts it the same way
// (the demo passes its folder); empty by default.
extern QStringList RestartArguments;
// Work to finish before the new process starts (the demo saves its box).
extern std::function<void()> RestartPreparation;

#include "gui/shell/SafeEnding.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/ImageControl.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>
#endif

namespace {

#ifdef Q_OS_UNIX
int g_signalPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Async-signal-safe: one write, errno kept.
void OnSignal(int signal) {
  const int saved = errno;
  const char byte = char(signal);
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &byte, 1);
  errno = saved;
}
#endif

}  // namespace

TSafeEnding::TSafeEnding(QObject* parent) : QObject(parent) {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    connect(app, &QGuiApplication::commitDataRequest, this, [](QSessionManager&) { SaveNow(); });
#ifdef Q_OS_UNIX
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  notifier_ = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSafeEnding::SignalArrived);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kSignals) ::sigaction(s, &action, nullptr);
#endif
}

TSafeEnding::~TSafeEnding() {
#ifdef Q_OS_UNIX
  if (g_signalPipe[0] < 0) return;
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) ::sigaction(s, &action, nullptr);
  delete notifier_;
  ::close(g_signalPipe[0]);
  ::close(g_signalPipe[1]);
  g_signalPipe[0] = g_signalPipe[1] = -1;
#endif
}

bool TSafeEnding::SaveNow() {
  if (!TLoadSave::Instance()->Save().Ok) return false;
  Recovery::Remove();
  return true;
}

void TSafeEnding::SignalArrived() {
#ifdef Q_OS_UNIX
  char byte = 0;
  [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
#endif
  SaveNow();
  // Every running event loop ends, also that of an open dialog.
  QCoreApplication::exit(0);
}

void RunStartupChecks(QWidget* parent) {
  if (Recovery::CopyPending()) {
    const int choice = AskMeld(GetText(MoreTextId::ChangesNotSaved), GetText(MoreTextId::RestoreThem),
                               GetText(TextId::Yes), GetText(TextId::No), parent);
    if (choice == 1)
      Recovery::Restore();
    else if (choice == 2)
      Recovery::Remove();
    // Closed without an answer: asked again at the next start.
  }

  TLoadSave* ls = TLoadSave::Instance();
  const QStringList damaged = ls->DamagedFiles;
  if (damaged.isEmpty()) return;
  ls->KeepDamagedCopies();
  for (const QString& name : damaged) {
    // What was lost, as the reader described it for this file.
    QStringList lost;
    for (const QString& problem : ls->LoadProblems)
      if (problem.startsWith(name + QLatin1Char(':'))) lost << problem.mid(name.size() + 1).trimmed();
    // The lines hold the file; what was lost (the reader's own words) is
    // there for the pointer and the screen reader.
    const QString detail = lost.join(QStringLiteral("; "));
    TfrmMeld dialog(parent ? parent : QApplication::activeWindow());
    dialog.Label2()->setToolTip(detail);
    dialog.Label2()->setAccessibleDescription(detail);
    TfrmMeld* outer = frmMeld;
    frmMeld = &dialog;
    dialog.Meld(GetText(MoreTextId::FileDamaged), name, GetText(TextId::OK), QString());
    frmMeld = outer;
  }
}

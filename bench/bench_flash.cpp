// A full firmware update of the embedded image against the simulated loader.
// First the core engine alone: the reports written and read, and the
// program's own time over the whole update apart from the transport (time
// spent inside the HID layer's write and read calls), next to the time the
// transfer takes on USB. Then the real update window over the same loader,
// with each report taking its 1 ms USB frame: the program's own time
// (wall, and process CPU) against the transfer, offscreen and, when DISPLAY
// is set, under xcb (each in a process of its own: `bench_flash --window`).
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "BenchSupport.h"
#include "core/device/FirmwareImage.h"
#include "core/device/FirmwareUpdater.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "core/shell/WorkingFolder.h"
#include "gui/device/updateflash.h"
#include "gui/widgets/ImageControl.h"

namespace {

struct Meter {
  qint64 transportNs = 0;
  qint64 transportCpuNs = 0;  // CPU time inside those calls (the simulated box, pacing)
  int writes = 0;
  int reads = 0;       // reads that delivered a report
  int emptyPolls = 0;  // zero-wait reads finding nothing (stale-answer checks)
  bool paced = false;  // each report fills its 1 ms USB frame
  QElapsedTimer clock;
  qint64 cpuStartNs = -1;  // process CPU at the first report, -1 before it
};

qint64 ProcessCpuNs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Times one call into the HID layer; when paced, a call that moved a report
// lasts at least the 1 ms frame it would take on USB.
template <typename Call>
auto Timed(Meter* meter, Call call) {
  if (!meter->clock.isValid()) meter->clock.start();
  if (meter->paced && meter->cpuStartNs < 0) meter->cpuStartNs = ProcessCpuNs();
  const qint64 start = meter->clock.nsecsElapsed();
  // CPU is read only for the window, where it is the figure.
  const qint64 cpu = meter->paced ? ProcessCpuNs() : 0;
  const auto [result, moved] = call();
  if (meter->paced && moved) {
    const qint64 frameEnd = start + 1000000;
    qint64 now = meter->clock.nsecsElapsed();
    if (now < frameEnd - 100000) QThread::usleep(quint64((frameEnd - now) / 1000 - 80));
    while ((now = meter->clock.nsecsElapsed()) < frameEnd) {
    }
  }
  meter->transportNs += meter->clock.nsecsElapsed() - start;
  if (meter->paced) meter->transportCpuNs += ProcessCpuNs() - cpu;
  return result;
}

class TimedConnection : public HidConnection {
 public:
  TimedConnection(std::unique_ptr<HidConnection> inner, Meter* meter)
      : inner_(std::move(inner)), meter_(meter) {}
  bool Write(const uint8_t* report) override {
    ++meter_->writes;
    return Timed(meter_, [&] {
      const bool ok = inner_->Write(report);
      return std::pair{ok, true};
    });
  }
  HidReadResult Read(uint8_t* report, int timeoutMs) override {
    const HidReadResult r = Timed(meter_, [&] {
      const HidReadResult got = inner_->Read(report, timeoutMs);
      return std::pair{got, got == HidReadResult::Report};
    });
    if (r == HidReadResult::Report) {
      ++meter_->reads;
    } else {
      ++meter_->emptyPolls;
    }
    return r;
  }

 private:
  std::unique_ptr<HidConnection> inner_;
  Meter* meter_;
};

class TimedTransport : public HidTransport {
 public:
  TimedTransport(std::unique_ptr<SimulatedHidTransport> inner, Meter* meter)
      : inner_(std::move(inner)), meter_(meter) {}
  std::vector<HidDeviceInfo> Enumerate() override { return inner_->Enumerate(); }
  std::unique_ptr<HidConnection> Open(const QString& path, HidOpenStatus* status, QString* error) override {
    auto c = inner_->Open(path, status, error);
    return c ? std::make_unique<TimedConnection>(std::move(c), meter_) : nullptr;
  }
  void WatchDeviceChanges(std::function<void()> changed) override {
    inner_->WatchDeviceChanges(std::move(changed));
  }

 private:
  std::unique_ptr<SimulatedHidTransport> inner_;
  Meter* meter_;
};

// A loader box on a fresh link over the timed transport; false when it was
// not found. `meter` is cleared afterwards: the update only, not the arrival.
bool ConnectLoader(Meter* meter) {
  auto box = std::make_shared<SimulatedBox>();
  box->ProductId = SimulatedBox::LoaderProductId;
  box->Loader.NeverComesBack = true;
  auto sim = std::make_unique<SimulatedHidTransport>();
  sim->AddBox(box);
  CreateBoxLink(std::make_unique<TimedTransport>(std::move(sim), meter));
  const bool paced = meter->paced;
  *meter = Meter();
  meter->paced = paced;
  if (!BoxDevice) std::fprintf(stderr, "the simulated loader was not found\n");
  return BoxDevice != nullptr;
}

// The embedded image; false (and told) when it does not parse.
bool EmbeddedImage(TFirmwareImage* image) {
  QString error;
  if (ReadHexFile(QString::fromLatin1(EmbeddedFirmwarePath), image, &error) && image->Ok()) return true;
  std::fprintf(stderr, "the embedded image does not parse: %s\n", qPrintable(error));
  return false;
}

int EngineFigure() {
  TFirmwareImage image;
  if (!EmbeddedImage(&image)) return 1;

  const int rounds = 50;
  Meter meter;
  qint64 totalNs = 0;
  int pages = 0;
  for (int round = 0; round < rounds; ++round) {
    Meter run;
    if (!ConnectLoader(&run)) return 1;
    FirmwareUpdateStarted = true;
    BoxConnected = true;

    TFirmwareUpdater updater({});
    QElapsedTimer t;
    t.start();
    const TFirmwareUpdater::Outcome outcome = updater.updateprog(image, QStringLiteral("KLV-820"));
    totalNs += t.nsecsElapsed();
    if (!outcome.Ok()) {
      std::fprintf(stderr, "round %d: the update failed\n", round);
      return 1;
    }
    pages = outcome.PagesProgrammed;
    meter.transportNs += run.transportNs;
    meter.writes += run.writes;
    meter.reads += run.reads;
    meter.emptyPolls += run.emptyPolls;
    ReleaseBoxLink();
    FirmwareUpdateStarted = false;
  }

  const int writes = meter.writes / rounds, reads = meter.reads / rounds;
  const int expectedWrites = 2 + 2 + 6 * pages + 1;  // B B E S, F d d f r r per page, X
  const int expectedReads = 1 + 2 * pages;           // S, r r per page
  const double ownMs = double(totalNs - meter.transportNs) / rounds / 1e6;
  const double simMs = double(meter.transportNs) / rounds / 1e6;
  // A full-speed HID interrupt endpoint moves one 65-byte report per 1 ms frame.
  const double usbMs = writes + reads;
  std::printf("firmware update of %d of %d pages, %d rounds\n", pages, FlashPageCount, rounds);
  std::printf("reports written: %d (expected %d), read: %d (expected %d), empty polls: %d\n", writes,
              expectedWrites, reads, expectedReads, meter.emptyPolls / rounds);
  std::printf("engine's own time per update: %.3f ms (simulated transport %.3f ms)\n", ownMs, simMs);
  std::printf("USB transfer at one report per 1 ms frame: %.0f ms; own time is %.4f %% of it\n", usbMs,
              100.0 * ownMs / usbMs);
  return writes == expectedWrites && reads == expectedReads ? 0 : 1;
}

// The update window, shown as the main window shows it, over a loader whose
// reports each take 1 ms. Measured from the first report until the window
// waits for the box and its last repaints are done (not its closing).
// Without `window` the engine runs alone over the same paced loader: what
// the measuring itself costs.
int WindowFigure(bool window) {
  TFirmwareImage image;
  if (!EmbeddedImage(&image)) return 1;
  const int rounds = 5;
  std::vector<double> ownPct, cpuPct;
  double usbMs = 0;
  for (int round = 0; round < rounds; ++round) {
    Meter meter;
    meter.paced = true;
    if (!ConnectLoader(&meter)) return 1;
    FirmwareUpdateStarted = true;
    BoxConnected = true;
    bool ok = false;
    qint64 wallNs = 0, cpuNs = 0;
    // The figure ends where the update does: closing the window later is the
    // user's doing, not part of the transfer.
    auto stop = [&] {
      wallNs = meter.clock.nsecsElapsed();
      cpuNs = ProcessCpuNs() - meter.cpuStartNs;
    };
    if (window) {
      TfrmUpdate w(ProductName);
      w.Label1()->setText(GetText(TextId::Updating) + BoxDevice->ProductString() + GetText(TextId::To) +
                          ProductName + QLatin1Char(' ') + ExpectedFirmwareVersion);
      w.show();
      using State = TfrmUpdate::State;
      while (w.state() == State::Created || w.state() == State::Updating)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
      QApplication::processEvents();
      stop();
      ok = w.LastOutcome().Ok();
      w.quitClick();
    } else {
      TFirmwareUpdater updater({});
      ok = updater.updateprog(image, BoxDevice->ProductString()).Ok();
      stop();
    }
    if (!ok) {
      std::fprintf(stderr, "round %d: the update failed\n", round);
      return 1;
    }
    usbMs = meter.writes + meter.reads;
    ownPct.push_back(100.0 * double(wallNs - meter.transportNs) / 1e6 / usbMs);
    cpuPct.push_back(100.0 * double(cpuNs - meter.transportCpuNs) / 1e6 / usbMs);
    ReleaseBoxLink();
    FirmwareUpdateStarted = false;
  }
  std::printf("%s, %s (median of %d runs of %.0f ms): own time %.2f %% of the transfer, own CPU %.2f %%\n",
              window ? "update window" : "engine alone, paced", qPrintable(QGuiApplication::platformName()),
              rounds, usbMs, Median(ownPct), Median(cpuPct));
  return 0;
}

// Runs this program with --window on `platform`; its output goes to ours.
int RunWindowFigure(const char* platform) {
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedChannels);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
  p.setProcessEnvironment(env);
  std::fflush(stdout);
  p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--window")});
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return 1;
  return p.exitCode();
}

// Platform notes (offscreen windows cannot be masked) say nothing here.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type != QtDebugMsg && !text.startsWith(QLatin1String("This plugin does not support")))
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char** argv) {
  const bool window = argc > 1 && qstrcmp(argv[1], "--window") == 0;
  if (window) qInstallMessageHandler(QuietHandler);
  std::unique_ptr<QCoreApplication> app =
      window ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
  SetWorkingFolder(dir.path());
  TLoadSave::Instance();
  if (window) return WindowFigure(false) | WindowFigure(true);

  int failed = EngineFigure();
  failed |= RunWindowFigure("offscreen");
  if (qEnvironmentVariableIsSet("DISPLAY")) failed |= RunWindowFigure("xcb");
  return failed ? 1 : 0;
}

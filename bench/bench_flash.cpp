// A full firmware update of the embedded image against the simulated loader.
// Prints the reports written and read, and the program's own time over the
// whole update apart from the transport (time spent inside the HID layer's
// write and read calls), next to the time the transfer takes on USB.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "core/device/FirmwareImage.h"
#include "core/device/FirmwareUpdater.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/shell/WorkingFolder.h"

namespace {

struct Meter {
  qint64 transportNs = 0;
  int writes = 0;
  int reads = 0;       // reads that delivered a report
  int emptyPolls = 0;  // zero-wait reads finding nothing (stale-answer checks)
};

class TimedConnection : public HidConnection {
 public:
  TimedConnection(std::unique_ptr<HidConnection> inner, Meter* meter)
      : inner_(std::move(inner)), meter_(meter) {}
  bool Write(const uint8_t* report) override {
    QElapsedTimer t;
    t.start();
    const bool ok = inner_->Write(report);
    meter_->transportNs += t.nsecsElapsed();
    ++meter_->writes;
    return ok;
  }
  HidReadResult Read(uint8_t* report, int timeoutMs) override {
    QElapsedTimer t;
    t.start();
    const HidReadResult r = inner_->Read(report, timeoutMs);
    meter_->transportNs += t.nsecsElapsed();
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

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
  SetWorkingFolder(dir.path());
  TLoadSave::Instance();

  TFirmwareImage image;
  QString error;
  if (!ReadHexFile(QString::fromLatin1(EmbeddedFirmwarePath), &image, &error) || !image.Ok()) {
    std::fprintf(stderr, "the embedded image does not parse: %s\n", qPrintable(error));
    return 1;
  }

  const int rounds = 50;
  Meter meter;
  qint64 totalNs = 0;
  int pages = 0;
  for (int round = 0; round < rounds; ++round) {
    auto box = std::make_shared<SimulatedBox>();
    box->ProductId = SimulatedBox::LoaderProductId;
    box->Loader.NeverComesBack = true;
    auto sim = std::make_unique<SimulatedHidTransport>();
    sim->AddBox(box);
    Meter run;
    CreateBoxLink(std::make_unique<TimedTransport>(std::move(sim), &run));
    if (!BoxDevice) {
      std::fprintf(stderr, "the simulated loader was not found\n");
      return 1;
    }
    run = Meter();  // the update only, not the arrival
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
  std::printf("program's own time per update: %.3f ms (simulated transport %.3f ms)\n", ownMs, simMs);
  std::printf("USB transfer at one report per 1 ms frame: %.0f ms; own time is %.2f %% of it\n", usbMs,
              100.0 * ownMs / usbMs);
  return writes == expectedWrites && reads == expectedReads ? 0 : 1;
}

// klv820-usbbox: a KLV-820 on a real kernel, for the tests that run the USB
// path end to end in a virtual machine. Linux only, run as root.
//
// The box's firmware is the core's SimulatedBox (application and loader), so
// it behaves exactly as the simulated box of the unit tests. It meets the
// kernel through one of two faces:
//   gadget  a USB device on a USB device controller (dummy_hcd) built through
//           configfs with a HID function: the host side sees a real USB
//           device through usbhid, with bcdDevice and the product string in
//           its descriptors, as a real box shows them. The default.
//   uhid    a HID device through /dev/uhid. The kernel keeps the version of
//           a uhid device to itself (hidraw and sysfs do not show it), so
//           hidapi lists it as version 0.0 and the link takes it for a box
//           that needs a firmware update.
//
// Commands, one a line on standard input:
//   unplug | plug        pull the box out / plug it in again
//   loader               restart the box in its loader (product id 2049)
//   save                 write the state file now
//   quit                 save the state file and end (also at end of input)
// Every report the box receives and every answer it gives is appended to the
// log file as one line, in klv820ctl --trace's format ("> " received,
// "< " answered, the 65 bytes in hex).
#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/device/SimulatedBox.h"

namespace {

// One vendor-defined collection with a 64-byte input and a 64-byte output
// report, no report ids.
const uint8_t ReportDescriptor[] = {
    0x06, 0x00, 0xFF,  // usage page, vendor defined 0xFF00
    0x09, 0x01,        // usage 1
    0xA1, 0x01,        // collection, application
    0x15, 0x00,        //   logical minimum 0
    0x26, 0xFF, 0x00,  //   logical maximum 255
    0x75, 0x08,        //   report size 8 bits
    0x95, 0x40,        //   report count 64
    0x09, 0x02,        //   usage 2
    0x81, 0x02,        //   input (data, variable, absolute)
    0x95, 0x40,        //   report count 64
    0x09, 0x03,        //   usage 3
    0x91, 0x02,        //   output (data, variable, absolute)
    0xC0,              // end collection
};

QString Hex(const uint8_t* r) {
  QString s;
  for (int i = 0; i < 65; ++i) {
    if (i) s += QLatin1Char(' ');
    s += QString::asprintf("%02x", r[i]);
  }
  return s;
}

// The kernel side of the box: presents the box's identity while plugged in
// and hands over the output reports the host writes.
class Face {
 public:
  virtual ~Face() = default;
  // Presents a device with this identity; false (with a line on stderr) on
  // failure.
  virtual bool Attach(const SimulatedBox& box) = 0;
  virtual void Detach() = 0;
  // The descriptor to watch for output reports, -1 when none.
  virtual int Fd() const = 0;
  // Reads what is waiting; true with the 65-byte report (byte 0 = 0) when it
  // was an output report.
  virtual bool ReadReport(uint8_t* report) = 0;
  // Sends one input report (payload bytes 1..64).
  virtual bool SendInput(const uint8_t* report) = 0;
};

bool WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) {
    std::fprintf(stderr, "usb-box: cannot write %s: %s\n", qPrintable(path), qPrintable(f.errorString()));
    return false;
  }
  return true;
}

class GadgetFace : public Face {
 public:
  GadgetFace(QString udc, QString dir) : udc_(std::move(udc)), dir_(std::move(dir)) {}
  ~GadgetFace() override {
    Detach();
    // Take the gadget apart again, innermost first.
    QFile::remove(dir_ + QStringLiteral("/configs/c.1/hid.usb0"));
    QDir().rmdir(dir_ + QStringLiteral("/configs/c.1/strings/0x409"));
    QDir().rmdir(dir_ + QStringLiteral("/configs/c.1"));
    QDir().rmdir(dir_ + QStringLiteral("/functions/hid.usb0"));
    QDir().rmdir(dir_ + QStringLiteral("/strings/0x409"));
    QDir().rmdir(dir_);
  }

  bool Attach(const SimulatedBox& box) override {
    if (!built_ && !Build()) return false;
    const QString p = dir_ + QLatin1Char('/');
    if (!WriteFile(p + QStringLiteral("idVendor"), QByteArray::number(box.VendorId)) ||
        !WriteFile(p + QStringLiteral("idProduct"), QByteArray::number(box.ProductId)) ||
        !WriteFile(p + QStringLiteral("bcdDevice"), QByteArray::number(box.Version)) ||
        !WriteFile(p + QStringLiteral("strings/0x409/product"), box.ProductString.toUtf8()) ||
        !WriteFile(p + QStringLiteral("UDC"), udc_.toUtf8()))
      return false;
    // The function's node exists while the gadget is bound.
    for (int i = 0; i < 200 && fd_ < 0; ++i) {
      fd_ = ::open(NodePath().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
      if (fd_ < 0) QThread::msleep(10);
    }
    if (fd_ < 0)
      std::fprintf(stderr, "usb-box: cannot open %s: %s\n", NodePath().constData(), std::strerror(errno));
    return fd_ >= 0;
  }

  void Detach() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (built_) WriteFile(dir_ + QStringLiteral("/UDC"), "\n");
  }

  int Fd() const override { return fd_; }

  bool ReadReport(uint8_t* report) override {
    uint8_t buf[64];
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n <= 0) return false;
    std::memset(report, 0, 65);
    std::memcpy(report + 1, buf, size_t(n));
    return true;
  }

  bool SendInput(const uint8_t* report) override {
    // Non-blocking: a host that stopped reading must not stall the box.
    return ::write(fd_, report + 1, 64) == 64;
  }

 private:
  bool Build() {
    const QString p = dir_ + QLatin1Char('/');
    QDir d;
    if (!d.mkpath(dir_) || !d.mkpath(p + QStringLiteral("strings/0x409")) ||
        !d.mkpath(p + QStringLiteral("configs/c.1/strings/0x409")) ||
        !d.mkpath(p + QStringLiteral("functions/hid.usb0"))) {
      std::fprintf(stderr, "usb-box: cannot build the gadget under %s\n", qPrintable(dir_));
      return false;
    }
    if (!WriteFile(p + QStringLiteral("bcdUSB"), "0x0200") ||
        !WriteFile(p + QStringLiteral("strings/0x409/manufacturer"), "Dravik") ||
        !WriteFile(p + QStringLiteral("strings/0x409/serialnumber"), "0001") ||
        !WriteFile(p + QStringLiteral("configs/c.1/strings/0x409/configuration"), "KLV-820") ||
        !WriteFile(p + QStringLiteral("configs/c.1/MaxPower"), "100") ||
        !WriteFile(p + QStringLiteral("functions/hid.usb0/protocol"), "0") ||
        !WriteFile(p + QStringLiteral("functions/hid.usb0/subclass"), "0") ||
        !WriteFile(p + QStringLiteral("functions/hid.usb0/report_length"), "64") ||
        !WriteFile(p + QStringLiteral("functions/hid.usb0/report_desc"),
                   QByteArray(reinterpret_cast<const char*>(ReportDescriptor), sizeof ReportDescriptor)))
      return false;
    if (!QFile::link(p + QStringLiteral("functions/hid.usb0"), p + QStringLiteral("configs/c.1/hid.usb0"))) {
      std::fprintf(stderr, "usb-box: cannot link the HID function into the configuration\n");
      return false;
    }
    built_ = true;
    return true;
  }

  // "major:minor" of the function gives its /dev/hidgN.
  QByteArray NodePath() const {
    QFile f(dir_ + QStringLiteral("/functions/hid.usb0/dev"));
    if (!f.open(QIODevice::ReadOnly)) return "/dev/hidg0";
    const int minor = f.readAll().trimmed().split(':').value(1).toInt();
    return "/dev/hidg" + QByteArray::number(minor);
  }

  QString udc_;
  QString dir_;
  bool built_ = false;
  int fd_ = -1;
};

class UhidFace : public Face {
 public:
  ~UhidFace() override {
    Detach();
    if (fd_ >= 0) ::close(fd_);
  }

  bool Attach(const SimulatedBox& box) override {
    if (fd_ < 0) fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
      std::fprintf(stderr, "usb-box: cannot open /dev/uhid: %s\n", std::strerror(errno));
      return false;
    }
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    const QByteArray name = box.ProductString.toUtf8().left(sizeof ev.u.create2.name - 1);
    std::memcpy(ev.u.create2.name, name.constData(), size_t(name.size()));
    std::strcpy(reinterpret_cast<char*>(ev.u.create2.phys), "klv820-usbbox");
    ev.u.create2.rd_size = sizeof ReportDescriptor;
    std::memcpy(ev.u.create2.rd_data, ReportDescriptor, sizeof ReportDescriptor);
    ev.u.create2.bus = 0x03;  // BUS_USB
    ev.u.create2.vendor = box.VendorId;
    ev.u.create2.product = box.ProductId;
    ev.u.create2.version = box.Version;
    if (::write(fd_, &ev, sizeof ev) != ssize_t(sizeof ev)) {
      std::fprintf(stderr, "usb-box: cannot create the uhid device: %s\n", std::strerror(errno));
      return false;
    }
    created_ = true;
    return true;
  }

  void Detach() override {
    if (!created_) return;
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    if (::write(fd_, &ev, sizeof ev) != ssize_t(sizeof ev))
      std::fprintf(stderr, "usb-box: cannot destroy the uhid device: %s\n", std::strerror(errno));
    created_ = false;
  }

  int Fd() const override { return fd_; }

  bool ReadReport(uint8_t* report) override {
    uhid_event ev{};
    if (::read(fd_, &ev, sizeof ev) <= 0) return false;
    if (ev.type == UHID_GET_REPORT || ev.type == UHID_SET_REPORT) {
      // No feature reports: refuse, so the caller is not left waiting.
      uhid_event reply{};
      reply.type = ev.type == UHID_GET_REPORT ? UHID_GET_REPORT_REPLY : UHID_SET_REPORT_REPLY;
      reply.u.get_report_reply.id = ev.u.get_report.id;
      reply.u.get_report_reply.err = EIO;
      if (::write(fd_, &reply, sizeof reply) < 0) return false;
      return false;
    }
    if (ev.type != UHID_OUTPUT || ev.u.output.size == 0) return false;
    // hidraw passes the report id byte through for unnumbered reports.
    std::memset(report, 0, 65);
    const size_t n = std::min<size_t>(ev.u.output.size, 65);
    if (n == 65)
      std::memcpy(report, ev.u.output.data, 65);
    else
      std::memcpy(report + 1, ev.u.output.data, std::min<size_t>(n, 64));
    return true;
  }

  bool SendInput(const uint8_t* report) override {
    uhid_event ev{};
    ev.type = UHID_INPUT2;
    ev.u.input2.size = 64;
    std::memcpy(ev.u.input2.data, report + 1, 64);
    return ::write(fd_, &ev, sizeof ev) == ssize_t(sizeof ev);
  }

 private:
  int fd_ = -1;
  bool created_ = false;
};

class UsbBox {
 public:
  UsbBox(std::unique_ptr<Face> face, std::shared_ptr<SimulatedBox> box, QString logPath, QString statePath)
      : face_(std::move(face)), box_(std::move(box)), log_(logPath), statePath_(std::move(statePath)) {
    if (!logPath.isEmpty() && !log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
      std::fprintf(stderr, "usb-box: cannot write %s\n", qPrintable(logPath));
    box_->OnPlugChange = [this] { Follow(); };
  }
  ~UsbBox() { box_->OnPlugChange = nullptr; }

  bool Start() { return Follow(); }

  void Command(const QString& line) {
    const QString c = line.trimmed();
    if (c == QLatin1String("unplug")) {
      box_->Unplug();
    } else if (c == QLatin1String("plug")) {
      box_->Plug();
    } else if (c == QLatin1String("loader")) {
      box_->Unplug();
      box_->Mode = SimulatedBox::Firmware::Loader;
      box_->ProductId = SimulatedBox::LoaderProductId;
      box_->Plug();
    } else if (c == QLatin1String("save")) {
      Save();
    } else if (c == QLatin1String("quit")) {
      QCoreApplication::quit();
      return;
    } else if (!c.isEmpty()) {
      std::fprintf(stderr, "usb-box: unknown command %s\n", qPrintable(c));
    }
    std::printf("ok %s\n", qPrintable(c));
    std::fflush(stdout);
  }

  void Save() {
    QString error;
    if (!statePath_.isEmpty() && !box_->SaveState(statePath_, &error))
      std::fprintf(stderr, "usb-box: %s\n", qPrintable(error));
  }

 private:
  // Presents the box when it is plugged in, takes it away when not.
  bool Follow() {
    // May run inside the notifier's own signal: let it go later.
    if (notifier_) {
      notifier_->setEnabled(false);
      notifier_.release()->deleteLater();
    }
    face_->Detach();
    if (!box_->Plugged()) return true;
    if (!face_->Attach(*box_)) return false;
    notifier_ = std::make_unique<QSocketNotifier>(face_->Fd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { OnReadable(); });
    return true;
  }

  void OnReadable() {
    uint8_t report[65];
    while (notifier_ && face_->Fd() >= 0 && face_->ReadReport(report)) {
      // Receive may pull the box out (a loader restart); answers go out
      // only while it is still attached.
      box_->Receive(report);
      uint8_t answer[65];
      while (box_->Plugged() && box_->TakeAnswer(answer, 0) == HidReadResult::Report) {
        if (!face_->SendInput(answer)) std::fprintf(stderr, "usb-box: an answer could not be sent\n");
      }
      FlushLog();
    }
  }

  void FlushLog() {
    if (log_.isOpen()) {
      for (const auto& e : box_->Log())
        log_.write(((e.ToBox ? "> " : "< ") + Hex(e.Bytes.data()) + '\n').toUtf8());
      log_.flush();
    }
    box_->ClearLog();
  }

  std::unique_ptr<Face> face_;
  std::shared_ptr<SimulatedBox> box_;
  QFile log_;
  QString statePath_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A KLV-820 on a real kernel (gadget or uhid)."));
  parser.addHelpOption();
  const QCommandLineOption faceOpt(QStringLiteral("face"), QStringLiteral("gadget (default) or uhid"),
                                   QStringLiteral("FACE"), QStringLiteral("gadget"));
  const QCommandLineOption udcOpt(QStringLiteral("udc"), QStringLiteral("USB device controller"),
                                  QStringLiteral("UDC"), QStringLiteral("dummy_udc.0"));
  const QCommandLineOption gadgetOpt(QStringLiteral("gadget-dir"),
                                     QStringLiteral("configfs folder of the gadget"), QStringLiteral("DIR"),
                                     QStringLiteral("/sys/kernel/config/usb_gadget/klv820"));
  const QCommandLineOption logOpt(QStringLiteral("log"), QStringLiteral("report log"),
                                  QStringLiteral("FILE"));
  const QCommandLineOption stateOpt(
      QStringLiteral("state"), QStringLiteral("state file (klv820ctl --simulate's)"), QStringLiteral("FILE"));
  const QCommandLineOption loaderOpt(QStringLiteral("loader"), QStringLiteral("start in the loader"));
  parser.addOptions({faceOpt, udcOpt, gadgetOpt, logOpt, stateOpt, loaderOpt});
  parser.process(app);

  auto box = std::make_shared<SimulatedBox>();
  QString error;
  if (parser.isSet(stateOpt) && !box->LoadState(parser.value(stateOpt), &error)) {
    std::fprintf(stderr, "usb-box: %s\n", qPrintable(error));
    return 2;
  }
  if (parser.isSet(loaderOpt)) {
    box->Mode = SimulatedBox::Firmware::Loader;
    box->ProductId = SimulatedBox::LoaderProductId;
  }
  // The loader's restart waits for the host to let go first.
  box->Loader.ReturnDelayMs = 300;

  std::unique_ptr<Face> face;
  if (parser.value(faceOpt) == QLatin1String("uhid")) {
    face = std::make_unique<UhidFace>();
  } else if (parser.value(faceOpt) == QLatin1String("gadget")) {
    face = std::make_unique<GadgetFace>(parser.value(udcOpt), parser.value(gadgetOpt));
  } else {
    std::fprintf(stderr, "usb-box: unknown face %s\n", qPrintable(parser.value(faceOpt)));
    return 2;
  }

  UsbBox usbBox(std::move(face), box, parser.value(logOpt), parser.value(stateOpt));
  if (!usbBox.Start()) return 1;
  std::printf("ok started\n");
  std::fflush(stdout);

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QByteArray pending;
  QObject::connect(&input, &QSocketNotifier::activated, &input, [&] {
    char buf[256];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {  // end of input ends the box
      input.setEnabled(false);
      QCoreApplication::quit();
      return;
    }
    pending.append(buf, n);
    for (qsizetype eol; (eol = pending.indexOf('\n')) >= 0;) {
      const QString line = QString::fromUtf8(pending.left(eol));
      pending.remove(0, eol + 1);
      usbBox.Command(line);
    }
  });
  const int rc = app.exec();
  usbBox.Save();
  return rc;
}

#include "core/device/FirmwareUpdater.h"

#include <cstring>

#include "core/device/MyDevFunctions.h"
#include "core/device/Protocol.h"
#include "core/shell/Language.h"

namespace {

// The sum of an erased application area: 28672 x 0xFF = 0x6F9000.
constexpr uint8_t kErasedSum[3] = {0x6F, 0x90, 0x00};

}  // namespace

TFirmwareUpdater::TFirmwareUpdater(Hooks hooks) : hooks_(std::move(hooks)) {
  image_.Bytes.fill(0xFF);
  readBack_.fill(0xFF);
}

bool TFirmwareUpdater::Write() {
  if (WriteReport(OutReport)) return true;
  if (!BoxConnected) outcome_.BoxLost = true;
  return false;
}

bool TFirmwareUpdater::Read() {
  if (ReadReport(InReport)) return true;
  if (!BoxConnected) outcome_.BoxLost = true;
  return false;
}

void TFirmwareUpdater::Send(uint8_t command, int address) {
  std::memset(OutReport, 0, ReportSize);
  OutReport[Protocol::CommandByte] = command;
  if (address >= 0) {
    OutReport[Protocol::OffsetByte] = uint8_t(address & 0xFF);
    OutReport[Protocol::OffsetByte + 1] = uint8_t(address >> 8);
  }
  Write();
}

void TFirmwareUpdater::Error(const QString& text) {
  if (hooks_.ShowError) hooks_.ShowError(text);
}

bool TFirmwareUpdater::sumflash(uint8_t s1, uint8_t s2, uint8_t s3) {
  Send(Protocol::Loader::Sum);
  // No answer is no proof of an erased flash.
  if (!Read()) return false;
  const uint8_t* a = InReport + Protocol::AnswerByte;
  return a[0] == s1 && a[1] == s2 && a[2] == s3;
}

bool TFirmwareUpdater::Eraseflash() {
  Send(Protocol::Loader::Erase);
  const bool ok = sumflash(kErasedSum[0], kErasedSum[1], kErasedSum[2]);
  if (!ok) Error(GetText(TextId::ErrorErasing));
  return ok;
}

void TFirmwareUpdater::ReadPage(int address) {
  Send(Protocol::Loader::SelectPage, address);
  for (int half = 0; half < 2; ++half) {
    Send(Protocol::Loader::ReadPage, address);
    const bool ok = Read();
    halfRead_[address / 64 + half] = ok;
    // A read that timed out leaves the buffer as it was and is caught by verifyflash.
    if (ok) std::memcpy(readBack_.data() + address + 64 * half, InReport + 1, 64);
  }
}

void TFirmwareUpdater::ProgPage(int address) {
  if (AllFF(address)) return;
  Send(Protocol::Loader::ProgramPage, address);
  for (int half = 0; half < 2; ++half) {
    std::memset(OutReport, 0, ReportSize);
    std::memcpy(OutReport + 1, image_.Bytes.data() + address + 64 * half, 64);
    Write();
  }
  ReadPage(address);
  ++outcome_.PagesProgrammed;
}

void TFirmwareUpdater::progflash() {
  readBack_.fill(0xFF);
  halfRead_.fill(false);
  gaugeMaximum_ = image_.UsedPages();
  gaugeProgress_ = 0;
  if (hooks_.SetGaugeMaximum) hooks_.SetGaugeMaximum(gaugeMaximum_);
  for (int address = 0; address < FlashLimit; address += FlashPageSize) {
    if (AllFF(address)) continue;
    ProgPage(address);
    // The bar counts the pages actually sent, so it is full exactly at the end.
    if (gaugeProgress_ < gaugeMaximum_) ++gaugeProgress_;
    if (hooks_.SetGaugeProgress) hooks_.SetGaugeProgress(gaugeProgress_);
  }
}

int TFirmwareUpdater::verifyflash() {
  for (int page = 0; page < FlashLimit; page += FlashPageSize) {
    const bool sent = !AllFF(page);
    for (int address = page; address < page + FlashPageSize; ++address) {
      if (sent && !halfRead_[address / 64]) return address;
      if (readBack_[address] != image_.Bytes[address]) return address;
    }
  }
  return -1;
}

TFirmwareUpdater::Outcome TFirmwareUpdater::updateprog(const TFirmwareImage& image,
                                                       const QString& boxProductString) {
  image_ = image;
  outcome_ = Outcome();
  auto repaint = [this] {
    if (hooks_.Repaint) hooks_.Repaint();
  };

  if (hooks_.SetGaugeMaximum) hooks_.SetGaugeMaximum(FlashLimit);
  if (hooks_.ShowQuitButton) hooks_.ShowQuitButton(false);
  Send(Protocol::Loader::Begin);
  Send(Protocol::Loader::Begin);

  if (hooks_.SetLabel2) hooks_.SetLabel2(GetText(TextId::Erasing) + boxProductString);
  if (hooks_.SetGaugeProgress) hooks_.SetGaugeProgress(0);
  repaint();
  outcome_.EraseOk = Eraseflash();

  if (hooks_.ShowGauge) hooks_.ShowGauge(true);
  if (hooks_.SetLabel2) hooks_.SetLabel2(GetText(TextId::Programming) + ProductName);
  if (hooks_.SetGaugeProgress) hooks_.SetGaugeProgress(0);
  repaint();
  progflash();

  outcome_.VerifyErrorAddress = verifyflash();
  if (outcome_.VerifyErrorAddress >= 0) {
    Error(GetText(TextId::VerifyErrorAtAddress) +
          QStringLiteral("%1").arg(outcome_.VerifyErrorAddress, 4, 16, QLatin1Char('0')).toUpper());
  }

  std::memset(OutReport, 0, ReportSize);
  OutReport[Protocol::CommandByte] = Protocol::Loader::Restart;
  outcome_.RestartSent = Write();

  if (hooks_.ShowGauge) hooks_.ShowGauge(false);
  if (hooks_.SetLabel1)
    hooks_.SetLabel1(GetText(TextId::WaitForReconnectionOf) + ProductName + QStringLiteral("...."));
  if (hooks_.SetLabel2) hooks_.SetLabel2(QString());
  repaint();
  BoxConnected = false;
  return outcome_;
}

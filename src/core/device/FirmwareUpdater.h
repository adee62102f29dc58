#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "core/device/FirmwareImage.h"

// The firmware update as the box's loader sees it, over WriteReport and
// ReadReport of the box link (OutReport/InReport). The GUI window and
// `klv820ctl flash` drive the same engine through hooks; the engine shows
// nothing itself.
//
// The loader's commands are Protocol::Loader (Protocol.h). A page is read
// back with SelectPage and two ReadPage requests. Pages whose 128 bytes are all 0xFF are neither programmed nor read back.
class TFirmwareUpdater {
 public:
  // Unset hooks do nothing.
  struct Hooks {
    std::function<void(const QString&)> SetLabel1;
    std::function<void(const QString&)> SetLabel2;
    std::function<void(bool visible)> ShowGauge;
    std::function<void(int maximum)> SetGaugeMaximum;
    std::function<void(int progress)> SetGaugeProgress;
    std::function<void(bool visible)> ShowQuitButton;
    // After every text change: the user must see the step.
    std::function<void()> Repaint;
    // An error message; returns when the user has seen it.
    std::function<void(const QString&)> ShowError;
  };

  // What one run found.
  struct Outcome {
    bool EraseOk = false;         // the sum after erasing was 28672 x 0xFF
    int VerifyErrorAddress = -1;  // first address that differs or was not read back, -1 none
    int PagesProgrammed = 0;
    bool RestartSent = false;  // Restart reached the box
    bool BoxLost = false;      // a write or read failed because the box went away
    bool Ok() const { return EraseOk && VerifyErrorAddress < 0 && RestartSent; }
  };

  explicit TFirmwareUpdater(Hooks hooks);

  // The whole sequence: Begin twice, erase and its sum check, programming and
  // reading back the used pages, verification, Restart, the reconnection text,
  // and BoxConnected cleared. Errors are shown and the sequence goes on.
  // `boxProductString` is the box's USB product string.
  Outcome updateprog(const TFirmwareImage& image, const QString& boxProductString);

  // The steps, for tests.
  bool Eraseflash();
  bool sumflash(uint8_t s1, uint8_t s2, uint8_t s3);
  void progflash();
  void ProgPage(int address);
  bool AllFF(int address) const { return image_.AllFF(address); }
  void ReadPage(int address);
  // The first address (0..28671) where the read-back differs from the image or
  // could not be read; -1 when they agree.
  int verifyflash();

  const FlashBuffer& ReadBack() const { return readBack_; }
  void SetImage(const TFirmwareImage& image) { image_ = image; }

 private:
  void Send(uint8_t command, int address = -1);
  bool Write();
  bool Read();
  void Error(const QString& text);

  Hooks hooks_;
  TFirmwareImage image_;
  FlashBuffer readBack_;
  std::array<bool, FlashPageCount * 2> halfRead_{};  // each half page read back successfully
  int gaugeProgress_ = 0;
  int gaugeMaximum_ = 0;
  Outcome outcome_;
};

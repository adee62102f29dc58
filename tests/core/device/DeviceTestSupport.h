#pragma once

#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "TestSupport.h"
#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"

using Report = std::array<uint8_t, 65>;

// Hooks that record what the link asked the GUI to do.
struct HookRecorder {
  QStringList messages;  // "line1|line2"
  int timerArmed = 0;
  bool messageOpen = false;
  bool updateWindowVisible = false;
  QStringList completions;
  std::function<void()> duringMessage;  // runs while the message "is open"

  void Install() {
    BoxLinkHooks h;
    h.ShowMessage = [this](const QString& a, const QString& b) {
      messages << a + QLatin1Char('|') + b;
      if (duringMessage) {
        const bool was = messageOpen;
        messageOpen = true;
        duringMessage();
        messageOpen = was;
      }
    };
    h.MessageOpen = [this] { return messageOpen; };
    h.ArmUpdateTimer = [this] { ++timerArmed; };
    h.UpdateWindowVisible = [this] { return updateWindowVisible; };
    h.CompleteUpdateWindow = [this](const QString& a, const QString& b) {
      completions << a + QLatin1Char('|') + b;
    };
    SetBoxLinkHooks(h);
  }
};

// Puts the box link's process-wide state back as a fresh process has it:
// no link, no hooks, no transport factory, the default read time limit, no
// update running, no address check, zeroed report buffers. Every test
// function that touches the link calls it in cleanup(), so that one failure
// does not spill into the next function.
inline void ResetBoxLink() {
  ReleaseBoxLink();
  SetBoxLinkHooks({});
  SetBoxTransportFactory({});
  SetSystemHidTransportFactory({});
  SetReadTimeout(1000);
  FirmwareUpdateStarted = false;
  LastAddressCheck = BoxAddressCheck();
  BoxVersion.clear();
  std::fill(std::begin(OutReport), std::end(OutReport), uint8_t(0));
  std::fill(std::begin(InReport), std::end(InReport), uint8_t(0));
}

// The working folder of one test against the simulated box. Begin() in init()
// makes a fresh one and sets the read time limit; End() in cleanup() resets
// the link (ResetBoxLink) before the folder goes.
class BoxTestWorkspace {
 public:
  void Begin(int readTimeoutMs) {
    ws_ = std::make_unique<TempWorkspace>();
    SetReadTimeout(readTimeoutMs);
  }
  void End() {
    ResetBoxLink();
    ws_.reset();
  }

 private:
  std::unique_ptr<TempWorkspace> ws_;
};

using ClockBytes = std::array<uint8_t, 12>;

// A box whose 't' answer (bytes 1..12) is given by the test when set; unset,
// the simulated clock answers.
class CannedClockBox : public SimulatedBox {
 public:
  std::optional<ClockBytes> ClockAnswer;

 protected:
  void HandleApplicationReport(const uint8_t* report) override {
    if (report[1] == 't' && ClockAnswer) {
      uint8_t a[64] = {};
      std::copy(ClockAnswer->begin(), ClockAnswer->end(), a);
      Answer(a);
      return;
    }
    SimulatedBox::HandleApplicationReport(report);
  }
};

// A valid address (12 34 56, check byte 63), so that arrival sends no 'D'.
inline void GiveValidAddress(SimulatedBox& box) {
  box.Address = {0x12, 0x34, 0x56};
  box.AddressCheck = 0x63;
}

// Links made from now on find `box` on their bus; with null, an empty bus.
inline void UseSimulatedBus(const std::shared_ptr<SimulatedBox>& box) {
  SetBoxTransportFactory([box] {
    auto transport = std::make_unique<SimulatedHidTransport>();
    if (box) transport->AddBox(box);
    return std::unique_ptr<HidTransport>(std::move(transport));
  });
}

// Lets queued plug/unplug notifications run.
inline void DeliverNotifications() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

inline Report Rep(std::initializer_list<int> head) {
  Report r{};
  int i = 0;
  for (int v : head) r[i++] = uint8_t(v);
  return r;
}

// The command letters of the reports the box received, e.g. "cccccccc".
inline QString Letters(const SimulatedBox& box) {
  QString s;
  for (const Report& r : box.Received()) s += QLatin1Char(char(r[1]));
  return s;
}

inline int Offset(const Report& r) { return r[2] | (r[3] << 8); }

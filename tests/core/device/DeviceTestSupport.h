#pragma once

#include <QCoreApplication>
#include <QTest>
#include <array>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "device/MyDevFunctions.h"
#include "device/SimulatedBox.h"

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

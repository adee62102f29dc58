#pragma once

#include <QStringList>
#include <memory>

#include "Ctl.h"

class SimulatedBox;

// The box link for one box command: USB, or the simulated box of --simulate
// (its state loaded from and saved to STATEFILE), with --trace printing every
// report on standard error.
//
//   BoxSession box(ctx);
//   if (int rc = box.Open()) return rc;
//   ... talk to the box ...
//   return box.Finish(CtlOk);
class BoxSession {
 public:
  explicit BoxSession(CtlContext& ctx);
  ~BoxSession();  // releases the link
  BoxSession(const BoxSession&) = delete;
  BoxSession& operator=(const BoxSession&) = delete;

  // Creates the link, which finds the box and runs its arrival sequence.
  // Returns CtlOk when a box with the expected firmware is connected (or,
  // with requireExpectedFirmware false, when any box is held, e.g. for status
  // and flash). Otherwise prints one line (no box, no permission, firmware
  // update needed, bad state file) and returns the exit code.
  int Open(bool requireExpectedFirmware = true);

  // Saves the simulated box's state file when there is one; returns `code`,
  // or CtlFailed when the state could not be saved.
  int Finish(int code);

  // The simulated box, or null on USB.
  SimulatedBox* Simulated() const { return box_.get(); }
  // Messages the link would have shown, as "line 1 | line 2".
  const QStringList& Messages() const { return messages_; }
  // The firmware update was asked for (a box with other firmware).
  bool UpdateNeeded() const { return updateNeeded_; }
  // One line describing why no usable box is there (empty when there is one).
  QString Problem() const;
  // Reads that ended without an answer since Open.
  int Timeouts() const { return timeouts_; }

 private:
  CtlContext& ctx_;
  std::shared_ptr<SimulatedBox> box_;
  QStringList messages_;
  bool updateNeeded_ = false;
  int timeouts_ = 0;
  bool open_ = false;
};

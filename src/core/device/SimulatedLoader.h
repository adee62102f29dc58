#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class SimulatedBox;

// The box's loader firmware, as the simulated box runs it while it is not on
// the application firmware 1.1 (product id 2049, or 2050 with another
// version). It works on the box's 28672-byte `Flash`.
//
// The commands of Protocol::Loader (Protocol.h), as this model runs them:
//   Begin        forgets a half-finished ProgramPage, as does plugging in again
//   Erase        every flash byte becomes 0xFF
//   ProgramPage  the page address is a multiple of 128 below 28672; the next
//                two reports are data whatever their byte 1. Programming can
//                only clear bits (new = old AND data), as real flash does. A
//                bad address still takes its two data reports but writes
//                nothing.
//   ReadPage     the first after SelectPage gives bytes 0..63, the second
//                64..127, a third starts again at 0
//   Restart      the box is pulled out and, ReturnDelayMs of event loop time
//                later, plugged in again as product id 2050, version 1.1,
//                running the application.
// Other commands are ignored without an answer.
class SimulatedLoader {
 public:
  SimulatedLoader();
  ~SimulatedLoader();
  SimulatedLoader(const SimulatedLoader&) = delete;
  SimulatedLoader& operator=(const SimulatedLoader&) = delete;

  // Faults on demand.
  bool EraseLeavesBytes = false;  // Erase leaves flash bytes 0x0100..0x0107 at 0x00
  int CorruptPage = -1;           // page address whose read-back has byte 5 inverted, -1 none
  bool NeverComesBack = false;    // after Restart the box stays away
  bool ReturnInLoader = false;    // after Restart the box comes back still in the loader (same identity)

  int ReturnDelayMs = 20;

  // Counts, for tests and the benchmark.
  int Erases = 0;
  int PagesProgrammed = 0;
  int Restarts = 0;

  // Handles one report the box received in loader mode; `answer` queues the
  // box's answer payload (64 bytes, to report bytes 1..64).
  void Handle(SimulatedBox& box, const uint8_t* report, const std::function<void(const uint8_t*)>& answer);

 private:
  int generation_ = -1;  // the box's plug generation the state below belongs to
  int pendingData_ = 0;  // data reports still expected after ProgramPage
  int programPage_ = -1;
  int readPage_ = 0;
  int readHalf_ = 0;
  std::unique_ptr<QObject> context_;  // cancels a pending return with the box
};

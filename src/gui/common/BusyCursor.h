#pragma once

// The busy cursor for the length of a scope: put it around every box
// transfer and file work run from a screen (a transfer blocks the event loop,
// so anything from one report upwards can take longer than 100 ms).
// Construction first lets pending paints through (a question just closed is
// repainted away instead of staying frozen on screen during the transfer),
// then sets the cursor; destruction restores it. Pause takes it away while a
// question is on screen, Resume brings it back.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

  void Pause();
  void Resume();

  // Whether a TBusyCursor is active now (tests).
  static bool Active();

 private:
  bool on_ = false;
};

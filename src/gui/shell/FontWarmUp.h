#pragma once

#include <future>

// Reads the font database on a second thread while the caller does other
// start-up work (loading the working files, say). Reading it (fontconfig's
// configuration and the list of installed fonts) is most of the cost of the
// first text measured or drawn, some 35 M instructions; whichever thread
// needs a font meanwhile waits for it, as it would have read it itself.
// Construct with the application object in place; the destructor waits for
// the thread, so it never outlives that object.
class TFontWarmUp {
 public:
  TFontWarmUp();
  ~TFontWarmUp();
  TFontWarmUp(const TFontWarmUp&) = delete;
  TFontWarmUp& operator=(const TFontWarmUp&) = delete;

 private:
  std::future<void> done_;
};

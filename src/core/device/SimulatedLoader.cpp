#include "core/device/SimulatedLoader.h"

#include <QTimer>
#include <cstring>

#include "core/device/Protocol.h"
#include "core/device/SimulatedBox.h"

namespace {

int PageAddress(const uint8_t* r) { return r[Protocol::OffsetByte] | (r[Protocol::OffsetByte + 1] << 8); }

bool ValidPage(int address) {
  return address >= 0 && address < SimulatedBox::FlashSize && address % 128 == 0;
}

}  // namespace

SimulatedLoader::SimulatedLoader() : context_(std::make_unique<QObject>()) {}

SimulatedLoader::~SimulatedLoader() = default;

void SimulatedLoader::Handle(SimulatedBox& box, const uint8_t* r,
                             const std::function<void(const uint8_t*)>& answer) {
  QByteArray& flash = box.Flash;
  if (flash.size() != SimulatedBox::FlashSize) flash.resize(SimulatedBox::FlashSize, char(0xFF));
  // Pulled out and plugged in again: the loader starts afresh and no longer
  // waits for the data of a page it was given before.
  if (box.PlugGeneration() != generation_) {
    generation_ = box.PlugGeneration();
    pendingData_ = 0;
    programPage_ = -1;
    readPage_ = readHalf_ = 0;
  }

  if (pendingData_ > 0) {
    const int half = 2 - pendingData_;
    --pendingData_;
    if (programPage_ >= 0) {
      for (int i = 0; i < 64; ++i) {
        const int at = programPage_ + 64 * half + i;
        flash[at] = char(uint8_t(flash[at]) & r[1 + i]);
      }
      if (pendingData_ == 0) ++PagesProgrammed;
    }
    return;
  }

  uint8_t a[64] = {};
  switch (r[Protocol::CommandByte]) {
    case Protocol::Loader::Begin:
      pendingData_ = 0;
      programPage_ = -1;
      break;
    case Protocol::Loader::Erase:
      flash.fill(char(0xFF));
      if (EraseLeavesBytes) {
        for (int i = 0x100; i < 0x108; ++i) flash[i] = 0;
      }
      ++Erases;
      break;
    case Protocol::Loader::Sum: {
      uint32_t sum = 0;
      for (char c : flash) sum += uint8_t(c);
      a[0] = uint8_t(sum >> 16);
      a[1] = uint8_t(sum >> 8);
      a[2] = uint8_t(sum);
      answer(a);
      break;
    }
    case Protocol::Loader::ProgramPage:
      programPage_ = ValidPage(PageAddress(r)) ? PageAddress(r) : -1;
      pendingData_ = 2;
      break;
    case Protocol::Loader::SelectPage:
      readPage_ = ValidPage(PageAddress(r)) ? PageAddress(r) : 0;
      readHalf_ = 0;
      break;
    case Protocol::Loader::ReadPage:
      std::memcpy(a, flash.constData() + readPage_ + 64 * readHalf_, 64);
      if (readPage_ == CorruptPage && readHalf_ == 0) a[5] = uint8_t(~a[5]);
      readHalf_ = (readHalf_ + 1) % 2;
      answer(a);
      break;
    case Protocol::Loader::Restart: {
      ++Restarts;
      box.Unplug();
      if (NeverComesBack) break;
      SimulatedBox* b = &box;
      const bool stayInLoader = ReturnInLoader;
      QTimer::singleShot(ReturnDelayMs, context_.get(), [b, stayInLoader] {
        if (!stayInLoader) {
          b->ProductId = SimulatedBox::ApplicationProductId;
          b->Version = 0x0101;
          b->Mode = SimulatedBox::Firmware::Application;
        }
        b->Plug();
      });
      break;
    }
    default:
      break;
  }
}

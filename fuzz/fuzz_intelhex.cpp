// libFuzzer target for the Intel HEX reader of the firmware update: any text
// gives an image or a message, never a write outside the image.
#include <QStringList>
#include <cstdint>

#include "core/device/FirmwareImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
  const TFirmwareImage image = readbuf(text.split(QLatin1Char('\n')));
  image.Ok();
  image.Sum();
  image.UsedPages();
  return 0;
}

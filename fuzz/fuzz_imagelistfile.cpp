// libFuzzer target for the image list file reader: any input must either be
// rejected with an error and the list left as it was, or give pictures of the
// list's size that survive a write and a second read.
#include <cstdint>
#include <cstdlib>

#include "core/model/ImageListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
  TImageList list;
  list.Name = QStringLiteral("untouched");
  QString error;
  if (!ParseImageListFile(input, list, &error)) {
    if (error.isEmpty() || list.Count() != 0 || list.Name != QStringLiteral("untouched")) abort();
    return 0;
  }
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Get(i).size() != QSize(list.Width(), list.Height())) abort();
    const QImage mask = list.Mask(i);
    if (!mask.isNull() && mask.size() != QSize(list.Width(), list.Height())) abort();
    list.MaskColour(i);
  }
  TImageList again;
  if (!ParseImageListFile(WriteImageListFile(list), again, &error)) abort();
  if (again.Count() != list.Count() || again.Name != list.Name) abort();
  for (int i = 0; i < list.Count(); ++i)
    if (again.Mask(i) != list.Mask(i) || again.GetMasked(i) != list.GetMasked(i)) abort();
  return 0;
}

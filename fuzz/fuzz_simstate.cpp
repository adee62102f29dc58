// libFuzzer target for the simulated box's state file: any JSON is refused
// with a reason or read into a box whose state writes and reads back the same.
#include <QJsonDocument>
#include <cstdint>
#include <cstdlib>

#include "core/device/SimulatedBox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QJsonDocument doc =
      QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (!doc.isObject()) return 0;
  SimulatedBox box;
  QString error;
  if (!box.FromJson(doc.object(), &error)) {
    if (error.isEmpty()) std::abort();
    return 0;
  }
  const QJsonObject state = box.ToJson();
  SimulatedBox again;
  if (!again.FromJson(state, &error) || again.ToJson() != state) std::abort();
  return 0;
}

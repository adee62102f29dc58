// libFuzzer target for the JSON reader of `klv820ctl import`: whatever it
// accepts lies inside every value's range.
#include <QJsonDocument>
#include <cstdint>
#include <cstdlib>

#include "ImportJson.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QJsonDocument doc =
      QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (!doc.isObject()) return 0;
  ImportedInstallation in;
  QString error;
  if (!ReadImportJson(doc.object(), in, &error)) {
    Check(!error.isEmpty());
    return 0;
  }
  Check(in.Language >= 0 && in.Language <= 9 && in.Programme.size() <= 300);
  for (const TRuimte& room : in.Ruimtes)
    for (const TApparaat& d : room.Apparaten)
      Check(d.Code >= -1 && d.Code <= 255 && d.DimNiveau >= 1 && d.DimNiveau <= 16 && d.ImageIndex >= -1);
  for (const TScene& scene : in.Scenes)
    for (const TSceneAktie& a : scene.Akties) Check(a.Ruimte < RoomCount && a.Waarde >= 0 && a.Waarde <= 17);
  for (const ProgAktiePtr& e : in.Programme)
    Check(e->Ruimte >= 0 && e->Ruimte != RoomCount && e->Ruimte < 17 + SceneCount && e->Aktie <= 17);
  return 0;
}

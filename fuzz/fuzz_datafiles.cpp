// libFuzzer target over the readers of "kvl820.dat" and "environment.dat".
// Besides not crashing, whatever a reader accepts must survive a write and a
// second read unchanged.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/model/DataFiles.h"

using namespace DataFiles;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool SameEntries(const std::vector<ProgAktiePtr>& a, const std::vector<ProgAktiePtr>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const ProgAktie& x = *a[i];
    const ProgAktie& y = *b[i];
    if (x.Ruimte != y.Ruimte || x.Apparaat != y.Apparaat || x.Maand != y.Maand || x.DagDatum != y.DagDatum ||
        x.Uur != y.Uur || x.Minuut != y.Minuut || x.ZonTijd != y.ZonTijd || x.Random != y.Random ||
        x.Aktie != y.Aktie)
      return false;
    // Compare the bits: a NaN read from the file must come back as the same NaN.
    if (std::memcmp(&x.Aangemaakt, &y.Aangemaakt, sizeof(double)) != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const QByteArrayView file(reinterpret_cast<const char*>(bytes), qsizetype(size));

  MainData main;
  ReadMainData(file, main);
  Check(main.Programme.size() <= size_t(MaxProgrammeEntries));
  KeyedAktieList keyed;
  for (const auto& e : main.Programme) {
    Check(e->Ruimte >= 0);
    keyed.push_back({e->SortKey(), e});
  }
  const QByteArray image = WriteMainData(main.Ruimtes, main.Scenes, keyed, 45000.0);
  Check(image.size() == MainFileSize);
  MainData again;
  Check(ReadMainData(image, again).isEmpty());
  Check(SameEntries(main.Programme, again.Programme));
  for (int r = 0; r < RoomCount; ++r) {
    Check(main.Ruimtes[r].Naam == again.Ruimtes[r].Naam);
    Check(main.Ruimtes[r].ImageIndex == again.Ruimtes[r].ImageIndex);
    for (int a = 0; a < DevicesPerRoom; ++a)
      Check(main.Ruimtes[r].Apparaten[a].Code == again.Ruimtes[r].Apparaten[a].Code);
  }
  for (int s = 0; s < SceneCount; ++s) Check(main.Scenes[s].Naam == again.Scenes[s].Naam);

  EnvironmentData env;
  ReadEnvironment(file, env);
  EnvironmentData envAgain;
  Check(ReadEnvironment(WriteEnvironment(env), envAgain).isEmpty());
  Check(envAgain.OldModel == env.OldModel && envAgain.ShowHints == env.ShowHints);
  return 0;
}

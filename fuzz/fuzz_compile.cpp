// libFuzzer target: a "kvl820.dat" image, however damaged, through the reader
// and everything compiled from it for the box (programme image, scene table,
// switch report bytes) and the programme's texts. Under UBSan no input may
// overflow or index out of range, and nothing compiled may address a device
// or scene that does not exist.
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "core/device/Communicatie.h"
#include "core/model/DataFiles.h"
#include "core/model/LoadSave.h"
#include "core/shell/WorkingFolder.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

TLoadSave* EmptyInstallation() {
  static QTemporaryDir folder;  // no working files: a new installation
  static TLoadSave* ls = [] {
    SetWorkingFolder(folder.path());
    return TLoadSave::Instance();
  }();
  return ls;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  DataFiles::MainData main;
  DataFiles::ReadMainData(QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(size)), main);
  TLoadSave* ls = EmptyInstallation();
  ls->Ruimtes = main.Ruimtes;
  ls->Scenes = main.Scenes;
  ls->Programma->AllItems.clear();
  for (const ProgAktiePtr& e : main.Programme) {
    ls->Programma->AllItems.push_back(KeyedAktie{e->SortKey(), e});
    e->Texts();
    e->MissingFields();
    e->IsValid();
  }

  TCommunicatie c;
  c.BuildProgrammeImage();
  const int records = (c.ImageLength() - 1) / 5;
  Check(c.ImageLength() == 5 * records + 1 && records <= TCommunicatie::MaxRecords);
  Check(c.Image[5 * records] == TCommunicatie::EndByte);
  Check(records + int(c.SkippedEntries.size()) ==
            std::min<int>(int(main.Programme.size()), TCommunicatie::MaxRecords) ||
        records == TCommunicatie::MaxRecords);
  for (int i = 0; i < records; ++i) {
    const uint8_t* r = c.Image.data() + 5 * i;
    if (r[0] & 2)
      Check(r[4] < SceneCount);  // a scene entry names an existing scene
    else
      Check((r[3] >> 3) <= 17);  // a device entry's action exists
  }

  c.BuildSceneTable();
  for (int s = 0; s < SceneCount; ++s)
    for (int k = 0; k < ItemsPerScene; ++k) {
      const uint8_t value = c.SceneTable[32 * s + 2 * k + 1] & 0x7F;
      Check((value >> 1) <= 17);
    }

  for (const TRuimte& room : ls->Ruimtes)
    for (const TApparaat& d : room.Apparaten) {
      const uint8_t dim = DimValueByte(d);
      Check(dim >= 3 && dim <= 33 && (dim & 1));
      SwitchOnByte(d);
      SwitchOffByte(d);
      LearningTickByte(d);
      HasSendableCode(d);
    }
  return 0;
}

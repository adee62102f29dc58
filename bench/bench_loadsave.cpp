// Save and load of a full installation: 16 rooms of 16 devices with
// pictures, 16 full scenes, 300 programme entries and picture lists of 32,
// 32, 16 and 256 pictures. Prints milliseconds; the aim is under 30 ms each.
// A save skips files whose bytes are unchanged, so after the first round the
// plain save figure is of unchanged picture lists.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "core/model/DataFiles.h"
#include "core/model/ImageListFile.h"
#include "core/model/LoadSave.h"
#include "core/shell/WorkingFolder.h"

namespace {

void Fill(TImageList& list, int count, int seed) {
  for (int i = 0; i < count; ++i)
    list.Add(Picture(seed + i), i % 2 ? std::optional<QRgb>(qRgb(255, 0, 255)) : std::nullopt);
}

void BuildFullInstallation(TLoadSave& d) {
  for (int r = 0; r < RoomCount; ++r) {
    d.Ruimtes[r].Naam = QStringLiteral("Kamer nummer %1 met een naam").arg(r);
    d.Ruimtes[r].ImageIndex = r;
    for (int a = 0; a < DevicesPerRoom; ++a) {
      TApparaat& dev = d.Ruimtes[r].Apparaten[a];
      dev.Naam = QStringLiteral("Apparaat %1/%2 in de kamer").arg(r).arg(a);
      dev.ImageIndex = r * 16 + a;
      dev.Dimbaar = a % 2;
      dev.Code = r * 16 + a;
    }
  }
  for (int s = 0; s < SceneCount; ++s) {
    d.Scenes[s].Naam = QStringLiteral("Scene %1 voor de avond").arg(s);
    for (int i = 0; i < ItemsPerScene; ++i) d.Scenes[s].Akties[i] = {i, s, (i + s) % 18};
  }
  for (int n = 0; n < MaxProgrammeEntries; ++n) {
    auto e = std::make_shared<ProgAktie>();
    e->Ruimte = n % 33;
    e->Apparaat = n % 16;
    e->Maand = 1 + n % 13;
    e->DagDatum = 128 + n % 128;
    e->Uur = n % 24;
    e->Minuut = n % 60;
    e->Aktie = uint8_t(n % 18);
    e->Aangemaakt = 45000 + n * 0.01;
    d.Programma->AddUnique(e);
  }
  Fill(*d.RuimteImageList, 32, 0);
  Fill(*d.AppImageList, 32, 100);
  Fill(*d.CustomRuimteImageList, 16, 200);
  Fill(*d.CustomAppImageList, 256, 300);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/config")));
  SetWorkingFolder(dir.path());

  TLoadSave::ResetToNew();
  BuildFullInstallation(*TLoadSave::Instance());

  constexpr int kRounds = 9;
  std::vector<double> save, load, encode, dataFiles;
  for (int i = 0; i < kRounds; ++i) {
    QElapsedTimer t;
    t.start();
    const SaveResult r = TLoadSave::Instance()->Save();
    save.push_back(t.nsecsElapsed() / 1e6);
    if (!r.Ok) {
      std::fprintf(stderr, "save failed: %s: %s\n", qPrintable(r.FailedFile), qPrintable(r.Error));
      return 1;
    }
    t.restart();
    const SaveResult dr = TLoadSave::Instance()->SaveDataFiles();
    dataFiles.push_back(t.nsecsElapsed() / 1e6);
    t.restart();
    const TLoadSave* s = TLoadSave::Instance();
    qsizetype bytes = 0;
    for (const TImageList* list : {s->RuimteImageList.get(), s->AppImageList.get(),
                                   s->CustomRuimteImageList.get(), s->CustomAppImageList.get()})
      bytes += WriteImageListFile(*list).size();
    encode.push_back(t.nsecsElapsed() / 1e6);
    if (!dr.Ok || bytes == 0) return 1;
    t.restart();
    TLoadSave::Recreate();
    load.push_back(t.nsecsElapsed() / 1e6);
  }
  // A save after one name changed: only the main file differs, the picture
  // lists are left as they are.
  std::vector<double> oneName;
  for (int i = 0; i < kRounds; ++i) {
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Kamer %1").arg(i);
    QElapsedTimer t;
    t.start();
    if (!TLoadSave::Instance()->Save().Ok) return 1;
    oneName.push_back(t.nsecsElapsed() / 1e6);
  }
  const TLoadSave* d = TLoadSave::Instance();
  std::printf("installation: %d rooms, %d entries, pictures %d/%d/%d/%d\n", d->RoomCount(),
              d->Programma->Count(), d->RuimteImageList->Count(), d->AppImageList->Count(),
              d->CustomRuimteImageList->Count(), d->CustomAppImageList->Count());
  std::printf("save  (median of %d): %.2f ms\n", kRounds, Median(save));
  std::printf("load  (median of %d): %.2f ms\n", kRounds, Median(load));
  std::printf("save after one name changed (median of %d): %.2f ms\n", kRounds, Median(oneName));
  std::printf("  of the save: the two data files %.2f ms, encoding the four picture lists %.2f ms\n",
              Median(dataFiles), Median(encode));
  TLoadSave::Release();
  return 0;
}

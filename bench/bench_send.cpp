// Sends everything for a full installation (300 entries, 16 full scenes) to
// the simulated box and prints the reports written and read against the
// protocol's count, and the program's own time per report.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/shell/WorkingFolder.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
  SetWorkingFolder(dir.path());
  TLoadSave* ls = TLoadSave::Instance();
  ls->InitData();
  for (int r = 0; r < RoomCount; ++r) {
    ls->Ruimtes[r].Naam = QStringLiteral("room %1").arg(r);
    for (int d = 0; d < DevicesPerRoom; ++d) {
      TApparaat& a = ls->Ruimtes[r].Apparaten[d];
      a.Naam = QStringLiteral("device %1").arg(d);
      a.Code = (r * 16 + d) & 0xFF;
      a.CodeSchijf = uint8_t(d & 1);
    }
  }
  for (int s = 0; s < SceneCount; ++s)
    for (int k = 0; k < ItemsPerScene; ++k) ls->Scenes[s].Akties[k] = TSceneAktie{s, k, (s + k) % 18};
  ls->Programma->AllItems.clear();
  for (int i = 0; i < MaxProgrammeEntries; ++i) {
    auto e = std::make_shared<ProgAktie>();
    e->Ruimte = i % 20 < 17 ? i % 16 : 17 + i % 16;
    e->Apparaat = i % 16;
    e->Maand = 1 + i % 13;
    e->DagDatum = i % 2 ? 128 + (i % 127) : 1 + i % 31;
    e->Uur = i % 24;
    e->Minuut = i % 60;
    e->ZonTijd = i % 3 == 0 ? 60 + (i % 119) - 59 : 0;
    e->Aktie = uint8_t(i % 18);
    ls->Programma->AllItems.push_back(KeyedAktie{QString(), e});
  }

  auto box = std::make_shared<SimulatedBox>();
  CreateSimulatedBoxLink(box);
  if (!BoxConnected) {
    std::fprintf(stderr, "the simulated box did not connect\n");
    return 1;
  }

  const int rounds = 200;
  qint64 totalNs = 0;
  int written = 0, read = 0;
  for (int round = 0; round < rounds; ++round) {
    box->SceneTable.fill(0);  // every round must send the scene table
    box->ClearLog();
    QElapsedTimer t;
    t.start();
    TCommunicatie c;
    c.SyncSceneTable();
    c.SendSunTable();
    c.UploadProgramme();
    totalNs += t.nsecsElapsed();
    written = read = 0;
    for (const auto& e : box->Log()) (e.ToBox ? written : read)++;
  }
  // Protocol: 8 'c' + 9 'C' + 8 'c' for the scene table, 3 'E', and one 'P'
  // per 60 image bytes of 5 x 300 + 1 = 1501 (26).
  const int expectWritten = 8 + 9 + 8 + 3 + (5 * MaxProgrammeEntries + 1 + 59) / 60;
  const int expectRead = 16;
  std::printf("reports written: %d (protocol: %d)\n", written, expectWritten);
  std::printf("reports read:    %d (protocol: %d)\n", read, expectRead);
  std::printf("time per report: %.2f us (%d rounds)\n", double(totalNs) / 1000.0 / rounds / (written + read),
              rounds);
  ReleaseBoxLink();
  TLoadSave::Release();
  return written == expectWritten && read == expectRead ? 0 : 1;
}

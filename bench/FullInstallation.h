#pragma once

#include "BenchSupport.h"
#include "core/model/LoadSave.h"

// Saves a full installation into the working folder: 16 rooms of 16
// devices, each with its picture, and picture libraries of 32 each (336
// pictures, about 10.5 MB of picture lists).
inline bool WriteFullInstallationFiles() {
  TLoadSave::ResetToNew();
  TLoadSave& d = *TLoadSave::Instance();
  for (int i = 0; i < 32; ++i) d.RuimteImageList->Add(Picture(i));
  for (int i = 0; i < 32; ++i) d.AppImageList->Add(Picture(100 + i));
  for (int r = 0; r < RoomCount; ++r) {
    d.Ruimtes[r].Naam = QStringLiteral("Kamer %1").arg(r);
    d.Ruimtes[r].ImageIndex = d.CustomRuimteImageList->Add(Picture(200 + r));
    for (int a = 0; a < DevicesPerRoom; ++a) {
      TApparaat& dev = d.Ruimtes[r].Apparaten[a];
      dev.Naam = QStringLiteral("Apparaat %1").arg(a);
      dev.ImageIndex = d.CustomAppImageList->Add(Picture(300 + r * 16 + a));
      dev.Code = r * 16 + a;
    }
  }
  const bool ok = d.Save().Ok;
  TLoadSave::Release();
  return ok;
}

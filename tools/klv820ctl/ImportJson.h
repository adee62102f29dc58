#pragma once

#include <QJsonObject>
#include <QString>
#include <array>
#include <vector>

#include "core/model/LoadSave.h"

// What `import` takes from its JSON (schema in the tool's contract).
struct ImportedInstallation {
  int32_t Language = 1;
  uint8_t OldModel = 0;
  uint8_t ShowHints = 1;
  TLocation Location;
  std::array<TRuimte, ::RoomCount> Ruimtes;
  std::array<TScene, SceneCount> Scenes;
  std::vector<ProgAktiePtr> Programme;
};

// Reads `root` into `in`: the shapes (16 rooms of 16 devices, 16 scenes of 16
// items, at most 300 entries), names (length, Windows-1252) and every value's
// range. False on the first problem, named in *error; `in` is then partly filled.
bool ReadImportJson(const QJsonObject& root, ImportedInstallation& in, QString* error);

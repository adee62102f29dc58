#include "core/model/LoadSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/model/DataFiles.h"
#include "core/model/FileMemory.h"
#include "core/model/ImageListFile.h"
#include "core/model/LanguageStore.h"
#include "core/shell/Language.h"
#include "core/shell/WorkingFolder.h"

namespace {

std::unique_ptr<TLoadSave>& Current() {
  static std::unique_ptr<TLoadSave> instance;
  return instance;
}

// Texts follow the installation's language from the first text on; asking
// for it makes the installation, as any other first use does.
int InstallationLanguage() { return TLoadSave::Instance()->Language; }
[[maybe_unused]] const bool kTextsFollowInstallation = (SetTextLanguageSource(&InstallationLanguage), true);

const QString kMainFile = QStringLiteral("kvl820.dat");
const QString kEnvironmentFile = QStringLiteral("environment.dat");

struct ImageListFileName {
  const char* file;
  const char* component;
};
// File order of loading and saving.
constexpr ImageListFileName kImageListFiles[4] = {
    {"RuimteImageList.dat", "RuimteImages"},
    {"AppImageList.dat", "appimages"},
    {"CustomRuimteImageList.dat", "usedRuimteimages"},
    {"CustomAppImageList.dat", "usedAppimages"},
};

// Writes `data` aside and renames it over `name`, so that a failed or
// interrupted save leaves the old file whole. A file that already holds
// exactly `data` is left alone.
bool WriteWorkingFile(const QString& name, const QByteArray& data, SaveResult& result) {
  const QString path = WorkingFile(name);
  if (FileMemory::Unchanged(path, data)) return true;
  QSaveFile file(path);
  QString error;
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
  } else if (file.write(data) != data.size()) {
    error = file.errorString();
    file.cancelWriting();
  } else if (!file.commit()) {
    error = file.errorString();
  }
  if (error.isNull()) {
    FileMemory::Remember(path, data);
    return true;
  }
  if (result.Ok) {  // the first failure is the one reported
    result.Ok = false;
    result.FailedFile = name;
    result.Error = error.isEmpty() ? QStringLiteral("could not be written") : error;
  }
  return false;
}

// Reads a working file, at most `limit` bytes when `limit` > 0; false, with a
// problem line, when it exists but cannot be opened.
bool ReadWorkingFile(const QString& name, qint64 limit, QByteArray& data, QStringList& problems) {
  QFile file(WorkingFile(name));
  if (!file.open(QIODevice::ReadOnly)) {
    problems << QStringLiteral("%1: cannot be opened (%2); defaults are used").arg(name, file.errorString());
    return false;
  }
  data = limit > 0 ? file.read(limit) : file.readAll();
  if (limit <= 0 || data.size() < limit) FileMemory::Remember(file.fileName(), data);
  return true;
}

}  // namespace

int TRuimte::DeviceCount() const {
  int n = 0;
  while (n < DevicesPerRoom && !Apparaten[n].IsEmpty()) ++n;
  return n;
}

TLoadSave::TLoadSave()
    : RuimteImageList(std::make_unique<TImageList>(130, 80)),
      AppImageList(std::make_unique<TImageList>(130, 80)),
      CustomRuimteImageList(std::make_unique<TImageList>(130, 80)),
      CustomAppImageList(std::make_unique<TImageList>(130, 80)),
      Programma(std::make_unique<GlobalProgAktieList>()) {}

TLoadSave::~TLoadSave() = default;

TLoadSave* TLoadSave::Instance() {
  auto& current = Current();
  if (!current) {
    Locations::Reset();  // a new installation starts from the built-in table
    current.reset(new TLoadSave());
    // Published before loading, so that a lookup made while loading finds it.
    current->Load();
  }
  return current.get();
}

void TLoadSave::Recreate() {
  Release();
  Instance();
}

void TLoadSave::Release() { Current().reset(); }

void TLoadSave::ResetToNew() {
  Release();
  Locations::Reset();
  auto fresh = std::unique_ptr<TLoadSave>(new TLoadSave());
  fresh->Language = ReadLanguage();
  fresh->InitData();
  fresh->DefaultEnvironment();
  Current() = std::move(fresh);
}

void TLoadSave::Load() {
  Language = ReadLanguage();

  std::unique_ptr<TImageList>* lists[4] = {&RuimteImageList, &AppImageList, &CustomRuimteImageList,
                                           &CustomAppImageList};
  for (int i = 0; i < 4; ++i) {
    const QString name = QString::fromLatin1(kImageListFiles[i].file);
    if (!QFileInfo::exists(WorkingFile(name))) continue;
    QByteArray bytes;
    if (!ReadWorkingFile(name, 0, bytes, LoadProblems)) continue;
    auto list = std::make_unique<TImageList>(130, 80);
    QString error;
    if (!ParseImageListFile(bytes, *list, &error)) {
      LoadProblems << QStringLiteral("%1: cannot be read (%2); the list stays empty").arg(name, error);
      continue;
    }
    list->Name = QString::fromLatin1(kImageListFiles[i].component);
    *lists[i] = std::move(list);
  }

  InitData();
  QByteArray bytes;
  if (QFileInfo::exists(WorkingFile(kMainFile)) &&
      ReadWorkingFile(kMainFile, DataFiles::MaxMeaningfulMainFileSize, bytes, LoadProblems)) {
    DataFiles::MainData data;
    LoadProblems << DataFiles::ReadMainData(bytes, data);
    Ruimtes = std::move(data.Ruimtes);
    Scenes = std::move(data.Scenes);
    for (ProgAktiePtr& e : data.Programme)
      Programma->AllItems.push_back(KeyedAktie{e->SortKey(), std::move(e)});
  }

  DefaultEnvironment();
  if (QFileInfo::exists(WorkingFile(kEnvironmentFile)) &&
      ReadWorkingFile(kEnvironmentFile, 2 + 0xFFFF, bytes, LoadProblems)) {
    DataFiles::EnvironmentData env{OldModel, ShowHints, Location};
    LoadProblems << DataFiles::ReadEnvironment(bytes, env);
    OldModel = env.OldModel;
    ShowHints = env.ShowHints;
    Location = env.Location;
  }
}

SaveResult TLoadSave::SaveDataFiles() {
  SaveResult result;
  WriteWorkingFile(kMainFile,
                   DataFiles::WriteMainData(Ruimtes, Scenes, Programma->AllItems, ProgAktie::Now()), result);
  WriteWorkingFile(kEnvironmentFile, DataFiles::WriteEnvironment({OldModel, ShowHints, Location}), result);
  return result;
}

SaveResult TLoadSave::Save() {
  SaveResult result = SaveDataFiles();
  const TImageList* lists[4] = {RuimteImageList.get(), AppImageList.get(), CustomRuimteImageList.get(),
                                CustomAppImageList.get()};
  for (int i = 0; i < 4; ++i)
    WriteWorkingFile(QString::fromLatin1(kImageListFiles[i].file), WriteImageListFile(*lists[i]), result);
  return result;
}

int TLoadSave::ReadLanguage() {
  const std::optional<int> stored = ReadStoredLanguage();
  if (!stored || *stored < 0 || *stored > 9) return 1;
  return *stored;
}

void TLoadSave::WriteLanguage() const { WriteStoredLanguage(Language); }

bool TLoadSave::CodeInUse(int code) const {
  for (const TRuimte& room : Ruimtes)
    for (const TApparaat& device : room.Apparaten)
      if (device.Code == code) return true;
  return false;
}

int TLoadSave::FreeCode() const {
  for (int code = 0; code <= 255; ++code)
    if (!CodeInUse(code)) return code;
  return 0;
}

namespace {

// Removes from every scene the items of `room` (all its devices when `device`
// is -1, else that one device). Scanning from the end keeps every match in
// sight while later items move up.
void RemoveSceneItems(std::array<TScene, SceneCount>& scenes, int room, int device) {
  for (TScene& s : scenes)
    for (int i = ItemsPerScene - 1; i >= 0; --i) {
      const TSceneAktie& a = s.Akties[i];
      if (a.Ruimte == room && a.Apparaat >= 0 && (device < 0 || a.Apparaat == device))
        TLoadSave::DeleteSceneItem(s, i);
    }
}

}  // namespace

void TLoadSave::DeleteSceneItem(TScene& scene, int item) {
  if (item < 0 || item >= ItemsPerScene) return;
  for (int j = item; j < ItemsPerScene - 1; ++j) scene.Akties[j] = scene.Akties[j + 1];
  scene.Akties[ItemsPerScene - 1] = TSceneAktie{};
}

void TLoadSave::DeleteRoom(int room) {
  if (room < 0 || room >= ::RoomCount) return;
  for (int i = room; i < ::RoomCount - 1; ++i) Ruimtes[i] = Ruimtes[i + 1];
  Ruimtes[::RoomCount - 1] = TRuimte{};
  RemoveSceneItems(Scenes, room, -1);
  for (TScene& s : Scenes)
    for (TSceneAktie& a : s.Akties)
      if (a.Ruimte > room && a.Ruimte < ::RoomCount) --a.Ruimte;
  Programma->RemoveRuimte(room);
}

void TLoadSave::DeleteDevice(int room, int device) {
  if (room < 0 || room >= ::RoomCount || device < 0 || device >= DevicesPerRoom) return;
  RemoveSceneItems(Scenes, room, device);
  for (TScene& s : Scenes)
    for (TSceneAktie& a : s.Akties)
      if (a.Ruimte == room && a.Apparaat > device) --a.Apparaat;
  Programma->RemoveApparaat(room, device);
  auto& devices = Ruimtes[room].Apparaten;
  for (int i = device; i < DevicesPerRoom - 1; ++i) devices[i] = devices[i + 1];
  // A wholly fresh slot: a device added there later inherits nothing.
  devices[DevicesPerRoom - 1] = TApparaat{};
}

void TLoadSave::InitData() {
  Ruimtes.fill(TRuimte());
  Scenes.fill(TScene());
}

void TLoadSave::DefaultEnvironment() {
  static const char* const kPlaces[10][2] = {
      {"Nederland", "Amsterdam"}, {"England", "London"},    {"Deutschland", "Berlin"},
      {"France", "Paris"},        {"España", "Madrid"},     {"Portugal", "Lisboa"},
      {"Italiana", "Rome"},       {"Suomesta", "Helsinki"}, {"Magyarország", "Budapest"},
      {"Türkiye", "Ankara"},
  };
  OldModel = 0;
  ShowHints = 1;
  QString country, city;
  if (Language >= 0 && Language <= 9) {
    country = QString::fromUtf8(kPlaces[Language][0]);
    city = QString::fromUtf8(kPlaces[Language][1]);
  }
  Location = Locations::At(Locations::FindIndex(country, city));
}

int TLoadSave::RoomCount() const {
  int n = 0;
  while (n < ::RoomCount && !Ruimtes[n].IsEmpty()) ++n;
  return n;
}

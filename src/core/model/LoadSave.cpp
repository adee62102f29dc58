#include "core/model/LoadSave.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <filesystem>
#include <system_error>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include "core/model/DataFiles.h"
#include "core/model/FileMemory.h"
#include "core/model/HeldFile.h"
#include "core/model/ImageListFile.h"
#include "core/model/LanguageStore.h"
#include "core/model/PictureServices.h"
#include "core/model/Recovery.h"
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

// One save's file, written and synced aside, waiting to replace its working file.
struct AsideFile {
  QString name;
  QString aside;
};

bool SyncToDisk(QFile& file) {
#ifdef Q_OS_WIN
  return _commit(file.handle()) == 0;
#else
  return ::fsync(file.handle()) == 0;
#endif
}

std::filesystem::path FsPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

void Fail(SaveResult& result, const QString& name, const QString& error) {
  if (!result.Ok) return;  // the first failure is the one reported
  result.Ok = false;
  result.FailedFile = name;
  result.Error = error.isEmpty() ? QStringLiteral("could not be written") : error;
}

bool WriteAside(const QString& name, const QByteArray& data, std::vector<AsideFile>& aside,
                SaveResult& result) {
  const QString path = WorkingFile(name) + QStringLiteral(".saving");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    Fail(result, name, file.errorString());
    return false;
  }
  aside.push_back({name, path});
  if (file.write(data) != data.size() || !file.flush() || !SyncToDisk(file)) {
    Fail(result, name, file.errorString());
    return false;
  }
  return true;
}

const QByteArray& DataOf(const std::vector<std::pair<QString, QByteArray>>& files, const QString& name) {
  for (const auto& [n, data] : files)
    if (n == name) return data;
  static const QByteArray none;
  return none;
}

}  // namespace

// All files are written and synced aside before the first one replaces its
// working file, so a kill or a failure leaves the files of one save, never a
// mix of two: the renames follow back to back.
SaveResult ReplaceWorkingFiles(const std::vector<std::pair<QString, QByteArray>>& files) {
  SaveResult result;
  std::vector<AsideFile> aside;
  for (const auto& [name, data] : files) {
    // A file that already holds exactly these bytes is left alone.
    if (FileMemory::Unchanged(WorkingFile(name), data)) continue;
    if (!WriteAside(name, data, aside, result)) break;
  }
  if (result.Ok) {
    for (const AsideFile& f : aside) {
      std::error_code error;
      std::filesystem::rename(FsPath(f.aside), FsPath(WorkingFile(f.name)), error);
      if (error)
        Fail(result, f.name, QString::fromStdString(error.message()));
      else
        FileMemory::Remember(WorkingFile(f.name), DataOf(files, f.name));
    }
  }
  if (!result.Ok)
    for (const AsideFile& f : aside) QFile::remove(f.aside);
  return result;
}

namespace {

// 256 pictures of 130 x 80 at 32 bits with their mask take under 11 MB; a
// picture-list file past this is damaged and is not read whole.
constexpr qint64 kMaxImageListFileSize = 32 * 1024 * 1024;

// Reads a working file, at most `limit` bytes when `limit` > 0; false, with a
// problem line, when it exists but cannot be opened.
bool ReadWorkingFile(const QString& name, qint64 limit, QByteArray& data, QStringList& problems) {
  QFile file(WorkingFile(name));
  if (!file.open(QIODevice::ReadOnly)) {
    problems << QStringLiteral("%1: cannot be opened (%2); defaults are used").arg(name, file.errorString());
    return false;
  }
  // No more than the file holds and one byte: picture lists keep the buffer
  // (their pictures stay in it undecoded), so it must not be oversized.
  data = limit > 0 ? file.read(std::min(limit, file.size() + 1)) : file.readAll();
  if (limit <= 0 || data.size() < limit) FileMemory::RememberKept(file.fileName(), data);
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

TLoadSave::~TLoadSave() {
  // The lists go before the mappings their pictures may lie in.
  RuimteImageList.reset();
  AppImageList.reset();
  CustomRuimteImageList.reset();
  CustomAppImageList.reset();
}

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

TLoadSave* TLoadSave::InstanceForReading() {
  auto& current = Current();
  if (!current) {
    Locations::Reset();
    current.reset(new TLoadSave());
    current->Load(true);
  }
  return current.get();
}

TLoadSave* TLoadSave::IfLoaded() { return Current().get(); }

void TLoadSave::Recreate() {
  Release();
  Instance();
}

void TLoadSave::Release() {
  // A recovery copy still due is written before its installation goes.
  if (Current()) Recovery::Flush();
  Current().reset();
}

void TLoadSave::ResetToNew() {
  Release();
  Locations::Reset();
  auto fresh = std::unique_ptr<TLoadSave>(new TLoadSave());
  fresh->Language = ReadLanguage();
  fresh->InitData();
  fresh->DefaultEnvironment();
  Current() = std::move(fresh);
}

bool TLoadSave::ReadImageListFile(const QString& name, bool mapped, QByteArray& bytes,
                                  std::shared_ptr<const void>& keeper) {
  if (!mapped) {
    // Mapped where a lease keeps the bytes as they are: no copy of the
    // megabytes of pictures at start, and only the shown ones in memory.
    if (std::optional<THeldFile> held = HoldFile(WorkingFile(name), kMaxImageListFileSize)) {
      bytes = held->bytes;
      keeper = held->keeper;
      FileMemory::RememberKept(WorkingFile(name), bytes, keeper);
      return true;
    }
  } else {
    auto file = std::make_shared<QFile>(WorkingFile(name));
    if (file->open(QIODevice::ReadOnly) && file->size() > 0 && file->size() <= kMaxImageListFileSize) {
      if (const uchar* at = file->map(0, file->size())) {
        bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(at), qsizetype(file->size()));
        keeper = std::move(file);  // the mapping lives as long as the pictures in it
        return true;
      }
    }
    // Anything unusual is read as usual, to be reported the same way.
  }
  if (!ReadWorkingFile(name, kMaxImageListFileSize + 1, bytes, LoadProblems)) return false;
  if (bytes.size() > kMaxImageListFileSize) {
    LoadProblems << QStringLiteral("%1: larger than %2 bytes, damaged; the list stays empty")
                        .arg(name)
                        .arg(kMaxImageListFileSize);
    return false;
  }
  return true;
}

void TLoadSave::Load(bool mapped) {
  Language = ReadLanguage();

  std::unique_ptr<TImageList>* lists[4] = {&RuimteImageList, &AppImageList, &CustomRuimteImageList,
                                           &CustomAppImageList};
  for (int i = 0; i < 4; ++i) {
    const QString name = QString::fromLatin1(kImageListFiles[i].file);
    if (!QFileInfo::exists(WorkingFile(name))) continue;
    QByteArray bytes;
    std::shared_ptr<const void> keeper;
    if (!ReadImageListFile(name, mapped, bytes, keeper)) {
      DamagedFiles << name;
      continue;
    }
    auto list = std::make_unique<TImageList>(130, 80);
    QString error;
    if (!ParseImageListFile(bytes, *list, &error, keeper)) {
      LoadProblems << QStringLiteral("%1: cannot be read (%2); the list stays empty").arg(name, error);
      DamagedFiles << name;
      continue;
    }
    list->Name = QString::fromLatin1(kImageListFiles[i].component);
    *lists[i] = std::move(list);
  }

  InitData();
  QByteArray bytes;
  int before = LoadProblems.size();
  if (QFileInfo::exists(WorkingFile(kMainFile)) &&
      ReadWorkingFile(kMainFile, DataFiles::MaxMeaningfulMainFileSize, bytes, LoadProblems)) {
    DataFiles::MainData data;
    LoadProblems << DataFiles::ReadMainData(bytes, data);
    Ruimtes = std::move(data.Ruimtes);
    Scenes = std::move(data.Scenes);
    for (ProgAktiePtr& e : data.Programme)
      Programma->AllItems.push_back(KeyedAktie{e->SortKey(), std::move(e)});
  }
  if (LoadProblems.size() > before) DamagedFiles << kMainFile;

  before = LoadProblems.size();
  DefaultEnvironment();
  if (QFileInfo::exists(WorkingFile(kEnvironmentFile)) &&
      ReadWorkingFile(kEnvironmentFile, 2 + 0xFFFF, bytes, LoadProblems)) {
    DataFiles::EnvironmentData env{OldModel, ShowHints, Location};
    LoadProblems << DataFiles::ReadEnvironment(bytes, env);
    OldModel = env.OldModel;
    ShowHints = env.ShowHints;
    Location = env.Location;
  }
  if (LoadProblems.size() > before) DamagedFiles << kEnvironmentFile;
}

std::vector<std::pair<QString, QByteArray>> TLoadSave::FileImages(bool withImageLists) const {
  std::vector<std::pair<QString, QByteArray>> files;
  files.emplace_back(kMainFile,
                     DataFiles::WriteMainData(Ruimtes, Scenes, Programma->AllItems, ProgAktie::Now()));
  files.emplace_back(kEnvironmentFile, DataFiles::WriteEnvironment({OldModel, ShowHints, Location}));
  if (!withImageLists) return files;
  const TImageList* lists[4] = {RuimteImageList.get(), AppImageList.get(), CustomRuimteImageList.get(),
                                CustomAppImageList.get()};
  for (int i = 0; i < 4; ++i)
    files.emplace_back(QString::fromLatin1(kImageListFiles[i].file), WriteImageListFile(*lists[i]));
  return files;
}

SaveResult TLoadSave::KeepDamagedCopies(const QStringList& names) {
  SaveResult result;
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (const QString& name : DamagedFiles) {
    if (!names.isEmpty() && !names.contains(name)) continue;
    QString copy = WorkingFile(name + QStringLiteral(".damaged-") + stamp);
    for (int n = 2; QFileInfo::exists(copy); ++n)
      copy = WorkingFile(name + QStringLiteral(".damaged-") + stamp + QStringLiteral("-%1").arg(n));
    QFile file(WorkingFile(name));
    if (file.copy(copy))
      KeptCopies << copy;
    else
      Fail(result, name,
           QStringLiteral("the damaged file could not be kept as a copy (%1)").arg(file.errorString()));
  }
  for (const QString& kept : KeptCopies)
    DamagedFiles.removeAll(QFileInfo(kept).fileName().section(QStringLiteral(".damaged-"), 0, 0));
  return result;
}

SaveResult TLoadSave::SaveFiles(const std::vector<std::pair<QString, QByteArray>>& files) {
  QStringList names;
  for (const auto& f : files) names << f.first;
  // A file that loaded with problems is replaced only once it is kept.
  SaveResult kept = KeepDamagedCopies(names);
  if (!kept.Ok) return kept;
  return ReplaceWorkingFiles(files);
}

SaveResult TLoadSave::SaveDataFiles() { return SaveFiles(FileImages(false)); }

SaveResult TLoadSave::Save() {
  // Pictures are encoded by the picture part, which klv820ctl loads only now:
  // without it no file is replaced.
  const TImageList* lists[4] = {RuimteImageList.get(), AppImageList.get(), CustomRuimteImageList.get(),
                                CustomAppImageList.get()};
  for (int i = 0; i < 4; ++i) {
    QString error;
    if (lists[i]->Count() > 0 && !PictureServices(&error)) {
      SaveResult result;
      Fail(result, QString::fromLatin1(kImageListFiles[i].file), error);
      return result;
    }
  }
  return SaveFiles(FileImages(true));
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

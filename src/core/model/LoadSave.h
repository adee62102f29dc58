#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/model/ImageList.h"
#include "core/model/ProgAktie.h"
#include "core/settings/Location.h"

constexpr int RoomCount = 16;
constexpr int DevicesPerRoom = 16;
constexpr int SceneCount = 16;
constexpr int ItemsPerScene = 16;
constexpr int MaxProgrammeEntries = 300;
constexpr int MaxNameLength = 30;

// One device. Code 0..255, -1 = none; for a code-wheel receiver
// (number - 1) * 16 + (letter - 'A').
struct TApparaat {
  QString Naam;
  int32_t ImageIndex = -1;  // into CustomAppImageList
  uint8_t CodeSchijf = 0;
  uint8_t Dimbaar = 0;
  int32_t Code = -1;
  int32_t DimNiveau = 8;
  bool IsEmpty() const { return Naam.isEmpty() && ImageIndex == -1; }
};

struct TRuimte {
  QString Naam;
  int32_t ImageIndex = -1;  // into CustomRuimteImageList
  std::array<TApparaat, DevicesPerRoom> Apparaten;
  bool IsEmpty() const { return Naam.isEmpty() && ImageIndex == -1; }
  // Number of used device slots counted from 0 up to the first empty one.
  int DeviceCount() const;
};

struct TSceneAktie {
  int32_t Ruimte = -1;
  int32_t Apparaat = -1;  // -1 ends the scene's list
  int32_t Waarde = 0;
};

struct TScene {
  QString Naam;
  std::array<TSceneAktie, ItemsPerScene> Akties;
  // Items in use: the leading items whose Ruimte is not -1 (0..16).
  int ItemCount() const {
    int n = 0;
    while (n < ItemsPerScene && Akties[n].Ruimte != -1) ++n;
    return n;
  }
  // No item names a device (every Apparaat is -1), whatever the name says.
  bool IsEmpty() const {
    for (const TSceneAktie& a : Akties)
      if (a.Apparaat != -1) return false;
    return true;
  }
};

// What Save managed; on failure names the file that could not be written.
struct SaveResult {
  bool Ok = true;
  QString FailedFile;  // file name, e.g. "kvl820.dat"
  QString Error;       // the system's reason
};

// Writes each (file name, bytes) aside in the working folder and syncs it,
// then renames them all over their working files back to back. Nothing is
// replaced when any write fails; the result names the first failure.
SaveResult ReplaceWorkingFiles(const std::vector<std::pair<QString, QByteArray>>& files);

// The one installation object. Created and loaded from the working files by
// the first Instance(); replaced only by Recreate().
class TLoadSave {
 public:
  static TLoadSave* Instance();
  // As Instance(), for a caller that only reads the installation and never
  // saves it (klv820ctl dump): when this loads, the picture-list files are
  // mapped, not read, so that only their headers are touched, and nothing is
  // remembered for a save. An instance that exists already is returned as is.
  static TLoadSave* InstanceForReading();
  // The instance when one exists, else null (never loads).
  static TLoadSave* IfLoaded();
  static void Recreate();
  // Destroys the instance (program end, tests); the next Instance() loads anew.
  static void Release();
  // Replaces the instance by a new, unloaded installation: InitData,
  // DefaultEnvironment, empty image lists and programme, language from the
  // setting. Nothing is read from the working files (klv820ctl init).
  static void ResetToNew();

  ~TLoadSave();

  int32_t Language = 1;
  std::array<TRuimte, ::RoomCount> Ruimtes;  // qualified: RoomCount() below
  std::array<TScene, SceneCount> Scenes;
  uint8_t OldModel = 0;
  uint8_t ShowHints = 1;
  TLocation Location;
  std::unique_ptr<TImageList> RuimteImageList;
  std::unique_ptr<TImageList> AppImageList;
  std::unique_ptr<TImageList> CustomRuimteImageList;
  std::unique_ptr<TImageList> CustomAppImageList;
  std::unique_ptr<GlobalProgAktieList> Programma;

  // Files that could not be read whole at load time, with what was lost;
  // the program starts anyway with defaults for the unreadable parts.
  QStringList LoadProblems;

  // Working files that loaded with problems and are not yet kept as a copy;
  // a save replaces none of them before it has kept it.
  QStringList DamagedFiles;
  // Paths of the copies kept so far ("kvl820.dat.damaged-YYYYMMDD-HHMMSS").
  QStringList KeptCopies;
  // Copies the damaged files among `names` (all when empty) to
  // "<name>.damaged-YYYYMMDD-HHMMSS" beside them; the result names the first
  // one that could not be copied.
  SaveResult KeepDamagedCopies(const QStringList& names = {});

  // Writes the six working files: all are written and synced aside, then
  // renamed over the old ones back to back. On any failure nothing is
  // replaced and the result names the first file that failed.
  SaveResult Save();
  // Writes only "kvl820.dat" and "environment.dat", leaving the image list
  // files as they are.
  SaveResult SaveDataFiles();

  // Registry value "Language" (QSettings "Dravik"/"KLV-820"); a missing key
  // or value, or a value outside 0..9, reads as 1 (English).
  static int ReadLanguage();
  void WriteLanguage() const;

  // The working files' images, in save order: "kvl820.dat", "environment.dat"
  // and, with `withImageLists`, the four image list files.
  std::vector<std::pair<QString, QByteArray>> FileImages(bool withImageLists) const;

  int FreeCode() const;
  bool CodeInUse(int code) const;

  // Deleting keeps used slots packed at the front: the later rooms, devices
  // or scene items move up one slot and the vacated last slot is blank.
  // Room `room` (0..15): its scene items and timer entries go; those of later
  // rooms follow their room. Scene timer entries stay. Out of range: nothing.
  void DeleteRoom(int room);
  // Device `device` (0..15) of room `room`: its scene items and timer entries
  // go; those of the room's later devices follow their device.
  void DeleteDevice(int room, int device);
  // Item `item` (0..15) of a scene, also of a working copy: later items move
  // up and the last slot becomes free (Ruimte and Apparaat -1, Waarde 0).
  static void DeleteSceneItem(TScene& scene, int item);
  void InitData();
  void DefaultEnvironment();

  int RoomCount() const;

  QStringList CountryList() const { return Locations::CountryList(); }
  QStringList CityList(const QString& country) const { return Locations::CityList(country); }
  int FindIndex(const QString& country, const QString& city) const {
    return Locations::FindIndex(country, city);
  }
  TLocation FindLocation(const QString& country, const QString& city) const {
    return Locations::FindLocation(country, city);
  }

 private:
  TLoadSave();
  // Reads a picture-list file (limits and problems as Load); false when it
  // could not be read whole. `mapped` maps it instead of reading it, for
  // reading only; otherwise it is mapped under a lease where the system
  // allows it, else read. A mapping is held by `keeper`.
  bool ReadImageListFile(const QString& name, bool mapped, QByteArray& bytes,
                         std::shared_ptr<const void>& keeper);
  SaveResult SaveFiles(const std::vector<std::pair<QString, QByteArray>>& files);
  void Load(bool mapped = false);
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <array>
#include <vector>

#include "core/model/LoadSave.h"
#include "core/model/ProgAktie.h"
#include "core/settings/Location.h"

// Readers and writers of the two data files, on byte images so that the file
// I/O stays apart (and the readers can be fuzzed).
//
// Common rules: every section starts with a 2-byte length, HIGH byte first,
// counting the data bytes that follow; values inside sections are
// little-endian, signed 32-bit values two's complement; names are short
// strings (length byte + 30 Windows-1252 characters); padding and the bytes
// after a name's length are written as 0 and ignored on reading.
//
// "kvl820.dat", 30854 bytes as written:
//   0      2      0x32 0x40 (12864)
//   2      12864  16 room records of 804 bytes
//   12866  2      0x0E 0x00 (3584)
//   12868  3584   16 scene records of 224 bytes
//   16452  2      0x38 0x40 (14400)
//   16454  14400  300 programme records of 48 bytes
// Room record: 0 name (31), 31 pad, 32 ImageIndex i32, 36 16 device records.
// Device record (48): 0 name (31), 31 pad, 32 ImageIndex i32, 36 CodeSchijf u8,
//   37 Dimbaar u8, 38 pad 2, 40 Code i32, 44 DimNiveau i32.
// Scene record (224): 0 name (31), 31 pad, 32 16 items of Ruimte, Apparaat,
//   Waarde (i32 each).
// Programme record (48): 0 Ruimte, 4 Apparaat, 8 Maand, 12 DagDatum, 16 Uur,
//   20 Minuut, 24 ZonTijd (i32 each), 28 Random u8, 29 pad 3, 32 Aktie as u32
//   (read from its low byte), 36 pad 4, 40 Aangemaakt IEEE double.
//
// "environment.dat", 54 bytes as written:
//   0 2 0x00 0x34 (52), 2 OldModel u8, 3 ShowHints u8, 4 the 50-byte location
//   record (TLocation::ToRecord).

namespace DataFiles {

constexpr int RoomRecordSize = 804;
constexpr int DeviceRecordSize = 48;
constexpr int SceneRecordSize = 224;
constexpr int ProgrammeRecordSize = 48;
constexpr int RoomSectionSize = RoomCount * RoomRecordSize;                                          // 12864
constexpr int SceneSectionSize = SceneCount * SceneRecordSize;                                       // 3584
constexpr int ProgrammeSectionSize = MaxProgrammeEntries * ProgrammeRecordSize;                      // 14400
constexpr int MainFileSize = 2 + RoomSectionSize + 2 + SceneSectionSize + 2 + ProgrammeSectionSize;  // 30854
constexpr int EnvironmentBlockSize = 2 + TLocation::RecordSize;                                      // 52
constexpr int EnvironmentFileSize = 2 + EnvironmentBlockSize;                                        // 54
// No well-formed reader needs more of a file than three maximal sections.
constexpr int MaxMeaningfulMainFileSize = 3 * (2 + 0xFFFF);

// Rooms, scenes and programme as held in "kvl820.dat". A default-constructed
// value carries the defaults of a new installation (InitData, no programme).
struct MainData {
  std::array<TRuimte, RoomCount> Ruimtes;
  std::array<TScene, SceneCount> Scenes;
  std::vector<ProgAktiePtr> Programme;  // in stored order
};

struct EnvironmentData {
  uint8_t OldModel = 0;
  uint8_t ShowHints = 1;
  TLocation Location;
};

// Reads a "kvl820.dat" image into `data`, which the caller fills with the
// defaults first. Never reads past a section or `file`:
// - rooms and scenes are taken as whole records only; records the file does
//   not hold whole keep their defaults;
// - a stated section length above the section's size reads the section and
//   skips the surplus (as far as the file holds it);
// - a programme section that is missing or shorter than its stated length
//   leaves the programme empty; records with a negative Ruimte are dropped.
// Returns a description of every part that could not be read (empty when the
// image was whole).
QStringList ReadMainData(QByteArrayView file, MainData& data);

// The 30854-byte image: the first 300 entries of `programme`, then blank
// records (defaults of a new entry) with Aangemaakt = `now`.
QByteArray WriteMainData(const std::array<TRuimte, RoomCount>& rooms,
                         const std::array<TScene, SceneCount>& scenes, const KeyedAktieList& programme,
                         double now);

// Reads an "environment.dat" image into `env`, which the caller fills with the
// defaults first. Fields wholly present within the stated length and the file
// are read; a location record that is not whole keeps the default location.
// Returns what could not be read.
QStringList ReadEnvironment(QByteArrayView file, EnvironmentData& env);

// The 54-byte image.
QByteArray WriteEnvironment(const EnvironmentData& env);

}  // namespace DataFiles

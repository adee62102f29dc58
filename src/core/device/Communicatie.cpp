#include "core/device/Communicatie.h"

#include <QDate>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

#include "core/device/BoxClock.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/Protocol.h"
#include "core/model/LoadSave.h"
#include "core/timers/sunrise.h"

BoxAddressCheck LastAddressCheck;

namespace {

// A device the installation refers to; out-of-range indices give an empty
// device (no code, no code wheel) instead of reading past the tables.
const TApparaat& DeviceAt(int ruimte, int apparaat) {
  static const TApparaat none;
  if (ruimte < 0 || ruimte >= RoomCount || apparaat < 0 || apparaat >= DevicesPerRoom) return none;
  return TLoadSave::Instance()->Ruimtes[ruimte].Apparaten[apparaat];
}

bool HasCodeWheel(const TApparaat& d) { return d.CodeSchijf != 0; }

// Why room `ruimte`'s device `apparaat` cannot be switched, or empty.
QString DeviceProblem(int ruimte, int apparaat) {
  if (ruimte < 0 || ruimte >= RoomCount) return QStringLiteral("room %1 does not exist").arg(ruimte);
  if (apparaat < 0 || apparaat >= DevicesPerRoom)
    return QStringLiteral("room %1 has no device %2").arg(ruimte).arg(apparaat);
  // -1 (no code yet) compiles as it always has, to the low byte 0xFF.
  const TApparaat& d = DeviceAt(ruimte, apparaat);
  if (d.Code < -1 || d.Code > 255)
    return QStringLiteral("room %1 device %2 has code %3, outside 0..255")
        .arg(ruimte)
        .arg(apparaat)
        .arg(d.Code);
  return {};
}

// Starts a report in OutReport. Bytes a command does not name are zero, so a
// trace of the link is the same on every run.
void BeginReport(uint8_t command) {
  std::memset(OutReport, 0, ReportSize);
  OutReport[Protocol::CommandByte] = command;
}

void PutOffset(int offset) {
  OutReport[Protocol::OffsetByte] = uint8_t(offset & 0xFF);
  OutReport[Protocol::OffsetByte + 1] = uint8_t((offset >> 8) & 0xFF);
}

bool Request() {
  WriteReport(OutReport);
  return ReadReport(InReport);
}

}  // namespace

// ---- programme ----

void TCommunicatie::DeriveSunFields(ProgAktie& e) {
  const int z = e.ZonTijd;
  if (z > 0 && z < 120) {
    e.Uur = 0;
    if (z < 60) {
      e.Uur = 2;
      e.Minuut = 60 - z;
    } else {
      e.Minuut = z - 60;
    }
  } else if (z > 120 && z < 240) {
    e.Uur = 1;
    if (z < 180) {
      e.Uur = 3;
      e.Minuut = 180 - z;
    } else {
      e.Minuut = z - 180;
    }
  }
}

std::array<uint8_t, 5> TCommunicatie::BuildRecord(const ProgAktie& e) {
  const int month = e.Maand == 13 ? 0 : (e.Maand & 0x0F);
  const int dag = e.DagDatum & 0xFF;
  // A scene entry has no device of its own; the box takes each device's code
  // wheel flag from the scene table's slots, so bit 2 stays 0 here.
  const bool noWheel = !e.IsScene() && !HasCodeWheel(DeviceAt(e.Ruimte, e.Apparaat));
  std::array<uint8_t, 5> r{};
  // Each field is masked to its width so a bad value cannot spill into its neighbours.
  r[0] = uint8_t((e.ZonTijd != 0 ? 1 : 0) | (e.IsScene() ? 2 : 0) | ((e.Minuut & 0x3F) << 2));
  r[1] = uint8_t((e.Uur & 0x1F) | ((month & 0x07) << 5));
  r[2] = uint8_t(((month >> 3) & 1) | ((dag & 0x7F) << 1));
  r[3] = uint8_t(((dag >> 7) & 1) | (e.Random ? 2 : 0) | (noWheel ? 4 : 0) | ((e.Aktie & 0x1F) << 3));
  r[4] = e.IsScene() ? e.SceneIndex() : uint8_t(DeviceAt(e.Ruimte, e.Apparaat).Code & 0xFF);
  return r;
}

QString TCommunicatie::ProgrammeTargetProblem(const ProgAktie& e) {
  if (e.IsScene()) {
    const int scene = e.Ruimte - 17;
    return scene < SceneCount ? QString() : QStringLiteral("scene %1 does not exist").arg(scene);
  }
  if (e.Aktie > 17) return QStringLiteral("action %1 does not exist").arg(e.Aktie);
  return DeviceProblem(e.Ruimte, e.Apparaat);
}

void TCommunicatie::BuildProgrammeImage() {
  Image.fill(0);
  SkippedEntries.clear();
  const GlobalProgAktieList* list = TLoadSave::Instance()->Programma.get();
  int count = 0;
  if (list) {
    for (size_t i = 0; i < list->AllItems.size(); ++i) {
      const KeyedAktie& k = list->AllItems[i];
      if (count == MaxRecords) break;  // the image holds 300 records
      if (!k.Entry) continue;
      const QString problem = ProgrammeTargetProblem(*k.Entry);
      if (!problem.isEmpty()) {
        SkippedEntries << QStringLiteral("programme entry %1 left out: %2").arg(i).arg(problem);
        continue;
      }
      DeriveSunFields(*k.Entry);
      const auto rec = BuildRecord(*k.Entry);
      std::copy(rec.begin(), rec.end(), Image.begin() + 5 * count);
      ++count;
    }
  }
  Image[5 * count] = EndByte;
  imageLength_ = 5 * count + 1;
}

void TCommunicatie::UploadProgramme() {
  BuildProgrammeImage();
  if (!BoxConnected) return;
  const int n = imageLength_;
  for (int offset = 0; offset < n; offset += Protocol::ChunkSize) {
    BeginReport(Protocol::StoreProgramme);
    PutOffset(offset);
    const int count = std::min(Protocol::ChunkSize, ImageSize - offset);
    std::copy_n(Image.begin() + offset, count, OutReport + Protocol::DataByte);
    // A full programme's end byte lies alone at 1500; that chunk says it
    // carries one byte, so a box whose programme memory ends at 1501 takes it
    // whole. Every other chunk says 60.
    OutReport[Protocol::LengthByte] =
        offset + Protocol::ChunkSize > ImageSize ? uint8_t(ImageSize - offset) : Protocol::ChunkSize;
    WriteReport(OutReport);
  }
}

bool TCommunicatie::ReadProgramme(std::array<uint8_t, ImageSize>& buffer) {
  buffer.fill(0);
  if (!BoxConnected) return false;
  // The end byte of a full programme sits at 1500, so the read-back covers
  // 0..1500 inclusive: otherwise a full programme could never verify.
  int j = 0;
  while (j < ImageSize) {
    BeginReport(Protocol::ReadProgramme);
    PutOffset(j);
    if (!Request()) return false;
    for (int i = Protocol::AnswerByte; i < Protocol::AnswerByte + Protocol::PageSize && j < ImageSize;
         ++i, ++j) {
      buffer[j] = InReport[i];
      if (j % 5 == 0 && buffer[j] == EndByte) return true;
    }
  }
  return true;
}

bool TCommunicatie::ProgrammeMatches() {
  BuildProgrammeImage();
  std::array<uint8_t, ImageSize> back{};
  if (!ReadProgramme(back)) return false;
  return back == Image;
}

// ---- scene table ----

void TCommunicatie::BuildSceneTable() {
  SceneTable.fill(0);
  SkippedItems.clear();
  const TLoadSave* ls = TLoadSave::Instance();
  for (int s = 0; s < SceneCount; ++s) {
    int slot = 0;  // left-out items do not leave a gap
    for (int k = 0; k < ItemsPerScene; ++k) {
      const TSceneAktie& a = ls->Scenes[s].Akties[k];
      if (a.Apparaat == -1) break;
      const QString problem = DeviceProblem(a.Ruimte, a.Apparaat);
      if (!problem.isEmpty()) {
        SkippedItems << QStringLiteral("scene %1 item %2 left out: %3").arg(s).arg(k).arg(problem);
        continue;
      }
      int value = a.Waarde;
      if (value < 0 || value > 17) {
        value = std::clamp(value, 1, 16);
        SkippedItems << QStringLiteral("scene %1 item %2: value %3 clamped to %4")
                            .arg(s)
                            .arg(k)
                            .arg(a.Waarde)
                            .arg(value);
      }
      const TApparaat& d = DeviceAt(a.Ruimte, a.Apparaat);
      const int at = 32 * s + 2 * slot;
      SceneTable[at] = uint8_t(d.Code & 0xFF);
      SceneTable[at + 1] = uint8_t(value * 2 + (HasCodeWheel(d) ? 0 : 1) + (slot < 15 ? 0x80 : 0));
      ++slot;
    }
  }
}

bool TCommunicatie::ReadSceneTable() {
  if (!BoxConnected) return false;
  bool all = true;
  for (int offset = 0; offset < SceneTableSize; offset += Protocol::PageSize) {
    BeginReport(Protocol::ReadSceneTable);
    PutOffset(offset);
    if (Request()) {
      std::copy_n(InReport + Protocol::AnswerByte, Protocol::PageSize, BoxSceneTable.begin() + offset);
    } else {
      // The table is known to differ from what the box holds; asking for the
      // remaining pages of a box that stopped answering would only keep the
      // user waiting a time limit per page.
      all = false;
      break;
    }
  }
  return all;
}

void TCommunicatie::SyncSceneTable() {
  const bool read = ReadSceneTable();
  BuildSceneTable();
  if (read && SceneTable == BoxSceneTable) return;
  if (!BoxConnected) return;
  for (int offset = 0; offset < SceneTableSize; offset += Protocol::ChunkSize) {
    BeginReport(Protocol::StoreSceneTable);
    PutOffset(offset);
    const int count = std::min(Protocol::ChunkSize, SceneTableSize - offset);
    std::copy_n(SceneTable.begin() + offset, count, OutReport + Protocol::DataByte);
    OutReport[Protocol::LengthByte] = uint8_t(count);
    WriteReport(OutReport);
  }
  ReadSceneTable();
}

void TCommunicatie::ActivateScene(int index) {
  if (!BoxConnected) return;
  BeginReport(Protocol::RunScene);
  OutReport[Protocol::SceneIndexByte] = uint8_t(index & 0xFF);
  WriteReport(OutReport);
}

// ---- sun table ----

void TCommunicatie::SendSunTable() {
  const TSunPlace p = tsunrise::Place(TLoadSave::Instance()->Location);
  tsunrise sun;
  sun.BuildSunriseTable(p.Latitude, p.Longitude, p.TimeZone);
  sun.BuildSunsetTable(p.Latitude, p.Longitude, p.TimeZone);
  StoreSunTable(sun);
}

void TCommunicatie::StoreSunTable(const tsunrise& sun) {
  if (!BoxConnected) return;
  for (int offset = 0; offset < tsunrise::TableSize; offset += Protocol::ChunkSize) {
    const int length = std::min(Protocol::ChunkSize, tsunrise::TableSize - offset);
    BeginReport(Protocol::StoreSunTable);
    PutOffset(offset);
    OutReport[Protocol::LengthByte] = static_cast<uint8_t>(length);
    std::memcpy(OutReport + Protocol::DataByte, sun.SunTable + offset, length);
    WriteReport(OutReport);
  }
}

bool TCommunicatie::FetchSunTable(tsunrise& sun) {
  if (!BoxConnected) return false;
  std::memset(sun.SunTable, 0, sizeof sun.SunTable);
  for (int offset = 0; offset < tsunrise::TableSize; offset += Protocol::PageSize) {
    BeginReport(Protocol::ReadSunTable);
    PutOffset(offset);
    if (!Request()) return false;
    std::memcpy(sun.SunTable + offset, InReport + Protocol::AnswerByte,
                std::min(Protocol::PageSize, tsunrise::TableSize - offset));
  }
  return true;
}

bool TCommunicatie::VerifySunTable(tsunrise& sun, const TSunPlace& place, int year) {
  sun.BuildTable(place, year);
  if (!BoxConnected) return true;
  uint8_t computed[tsunrise::TableSize];
  std::memcpy(computed, sun.SunTable, sizeof computed);
  if (!FetchSunTable(sun)) return false;
  return std::memcmp(computed, sun.SunTable, sizeof computed) == 0;
}

bool TCommunicatie::VerifySunTable(tsunrise& sun) {
  return VerifySunTable(sun, tsunrise::Place(TLoadSave::Instance()->Location), QDate::currentDate().year());
}

// ---- verification ----

bool TCommunicatie::VerifyBox() {
  BuildSceneTable();
  if (!ReadSceneTable() || SceneTable != BoxSceneTable) return false;
  {
    tsunrise sun;
    if (!VerifySunTable(sun)) return false;
  }
  return ProgrammeMatches();
}

TCommunicatie::BlockCheck TCommunicatie::CheckBlocks() {
  BlockCheck c;
  BuildSceneTable();
  c.SceneTableEqual = ReadSceneTable() && SceneTable == BoxSceneTable;
  {
    tsunrise sun;
    c.SunTableEqual = BoxConnected && VerifySunTable(sun);
  }
  c.ProgrammeEqual = ProgrammeMatches();
  return c;
}

// ---- single reports ----

bool SendSwitch(uint8_t code, uint8_t actionByte) {
  if (!BoxConnected) return false;
  BeginReport(Protocol::Switch);
  OutReport[Protocol::SwitchCodeByte] = code;
  OutReport[Protocol::SwitchActionByte] = actionByte;
  OutReport[Protocol::SwitchTailByte] = Protocol::SwitchTail;
  return WriteReport(OutReport);
}

uint8_t SwitchOnByte(const TApparaat& d) { return HasCodeWheel(d) ? 0x22 : 0x23; }
uint8_t SwitchOffByte(const TApparaat& d) { return HasCodeWheel(d) ? 0x00 : 0x01; }
uint8_t DimValueByte(const TApparaat& d) { return uint8_t(std::clamp(d.DimNiveau, 1, 16) * 2 + 1); }
bool HasSendableCode(const TApparaat& d) { return d.Code >= 0 && d.Code <= 255; }
uint8_t LearningTickByte(const TApparaat& d) { return LearningTickByte(d.Dimbaar != 0); }
uint8_t LearningTickByte(bool dimmable) { return dimmable ? 0x11 : 0x23; }

void SendBoxClock(const QDateTime& local) {
  if (!BoxConnected) return;
  BuildClockReport(local.date(), local.time(), OutReport);
  WriteReport(OutReport);
}

uint8_t AddressCheckByte(uint8_t a, uint8_t b, uint8_t c) { return uint8_t(255 - ((a + b + c) % 256)); }

namespace {

// One ReadAddress into LastAddressCheck; false when the box did not answer.
bool ReadBoxAddress() {
  BeginReport(Protocol::ReadAddress);
  if (!Request()) return false;
  const uint8_t* a = InReport + Protocol::AnswerByte;
  LastAddressCheck.Answered = true;
  LastAddressCheck.Address = {a[0], a[1], a[2]};
  LastAddressCheck.Check = InReport[Protocol::AnswerCheckByte];
  LastAddressCheck.Valid = LastAddressCheck.Check == AddressCheckByte(a[0], a[1], a[2]);
  return true;
}

}  // namespace

void CheckBoxAddress() {
  if (!BoxConnected) return;
  LastAddressCheck = BoxAddressCheck();
  if (!ReadBoxAddress()) return;  // no answer: nothing is known, so nothing is replaced
  if (LastAddressCheck.Valid) return;
  // Receivers learned the old address: one garbled answer must not replace
  // it, so a second read has to confirm the bad check byte (the same bytes).
  const BoxAddressCheck first = LastAddressCheck;
  if (!ReadBoxAddress() || LastAddressCheck.Valid) return;
  if (LastAddressCheck.Address != first.Address || LastAddressCheck.Check != first.Check) return;
  std::mt19937 rng(uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
  std::uniform_int_distribution<uint32_t> dist(0, 0x3FFFFF);
  uint32_t v = 0;
  while (v == 0) v = dist(rng);
  BeginReport(Protocol::SetAddress);
  OutReport[Protocol::AddressByte] = uint8_t(v >> 16);
  OutReport[Protocol::AddressByte + 1] = uint8_t((v >> 8) & 0xFF);
  OutReport[Protocol::AddressByte + 2] = uint8_t(v & 0xFF);
  WriteReport(OutReport);
  LastAddressCheck.Replaced = true;
  LastAddressCheck.NewAddress = v;
}

#include "core/model/DataFiles.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "core/shell/Win1252.h"

namespace DataFiles {
namespace {

int32_t I32(const char* p) { return qFromLittleEndian<qint32>(p); }
void PutI32(char* p, int32_t v) { qToLittleEndian<qint32>(v, p); }

double F64(const char* p) {
  const quint64 bits = qFromLittleEndian<quint64>(p);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}
void PutF64(char* p, double v) {
  quint64 bits;
  std::memcpy(&bits, &v, sizeof bits);
  qToLittleEndian<quint64>(bits, p);
}

QString Name(const char* field) {
  return ReadShortString(QByteArrayView(field, MaxNameLength + 1), MaxNameLength);
}

// One length-prefixed section as found in the file.
struct Section {
  qsizetype start = 0;      // first data byte
  qsizetype stated = 0;     // length the header gives
  qsizetype available = 0;  // bytes of it the file holds
  bool Whole() const { return available == stated; }
};

// Reads the section header at `pos`; false when the file has no whole header
// there. On return `pos` is past the section, or at the file's end.
bool NextSection(QByteArrayView file, qsizetype& pos, Section& s) {
  if (file.size() - pos < 2) return false;
  s.stated = (qsizetype(uchar(file[pos])) << 8) | uchar(file[pos + 1]);
  s.start = pos + 2;
  s.available = std::min(s.stated, file.size() - s.start);
  pos = s.start + s.available;
  return true;
}

void ReadDevice(const char* r, TApparaat& d) {
  d.Naam = Name(r);
  d.ImageIndex = I32(r + 32);
  d.CodeSchijf = uchar(r[36]);
  d.Dimbaar = uchar(r[37]);
  d.Code = I32(r + 40);
  d.DimNiveau = I32(r + 44);
}

void ReadRoom(const char* r, TRuimte& room) {
  room.Naam = Name(r);
  room.ImageIndex = I32(r + 32);
  for (int i = 0; i < DevicesPerRoom; ++i) ReadDevice(r + 36 + i * DeviceRecordSize, room.Apparaten[i]);
}

void ReadScene(const char* r, TScene& scene) {
  scene.Naam = Name(r);
  for (int i = 0; i < ItemsPerScene; ++i) {
    const char* item = r + 32 + i * 12;
    scene.Akties[i].Ruimte = I32(item);
    scene.Akties[i].Apparaat = I32(item + 4);
    scene.Akties[i].Waarde = I32(item + 8);
  }
}

ProgAktiePtr ReadEntry(const char* r) {
  auto e = std::make_shared<ProgAktie>(F64(r + 40));
  e->Ruimte = I32(r);
  e->Apparaat = I32(r + 4);
  e->Maand = I32(r + 8);
  e->DagDatum = I32(r + 12);
  e->Uur = I32(r + 16);
  e->Minuut = I32(r + 20);
  e->ZonTijd = I32(r + 24);
  e->Random = uchar(r[28]);
  e->Aktie = uchar(r[32]);
  return e;
}

void WriteEntry(char* r, const ProgAktie& e) {
  PutI32(r, e.Ruimte);
  PutI32(r + 4, e.Apparaat);
  PutI32(r + 8, e.Maand);
  PutI32(r + 12, e.DagDatum);
  PutI32(r + 16, e.Uur);
  PutI32(r + 20, e.Minuut);
  PutI32(r + 24, e.ZonTijd);
  r[28] = char(e.Random);
  qToLittleEndian<quint32>(e.Aktie, r + 32);
  PutF64(r + 40, e.Aangemaakt);
}

// Reads whole records of a fixed-size array section; says what is lost.
template <typename Fn>
void ReadRecords(QByteArrayView file, const Section& s, int recordSize, int count, const QString& what,
                 QStringList& problems, Fn read) {
  const qsizetype usable = std::min<qsizetype>(s.available, qsizetype(recordSize) * count);
  const int whole = int(usable / recordSize);
  for (int i = 0; i < whole; ++i) read(i, file.data() + s.start + qsizetype(i) * recordSize);
  if (whole < count) {
    problems << QStringLiteral(
                    "kvl820.dat: the %1 section %2 only %3 whole %1 records; %1s %3..%4 keep their defaults")
                    .arg(what, s.Whole() ? QStringLiteral("holds")
                                         : QStringLiteral("is cut off by the file's end after"))
                    .arg(whole)
                    .arg(count - 1);
  }
  if (s.stated > qsizetype(recordSize) * count)
    problems << QStringLiteral(
                    "kvl820.dat: the %1 section states %2 bytes, more than the %3 it can hold; the rest is "
                    "skipped")
                    .arg(what)
                    .arg(s.stated)
                    .arg(recordSize * count);
}

}  // namespace

QStringList ReadMainData(QByteArrayView file, MainData& data) {
  QStringList problems;
  qsizetype pos = 0;
  Section s;

  if (!NextSection(file, pos, s)) {
    problems << QStringLiteral(
        "kvl820.dat: the file is too short to hold a room section; all data keeps its defaults");
    return problems;
  }
  ReadRecords(file, s, RoomRecordSize, RoomCount, QStringLiteral("room"), problems,
              [&](int i, const char* r) { ReadRoom(r, data.Ruimtes[i]); });
  if (!s.Whole()) {
    problems << QStringLiteral(
        "kvl820.dat: the file ends inside the room section; scenes and programme keep defaults");
    return problems;
  }

  if (!NextSection(file, pos, s)) {
    problems << QStringLiteral("kvl820.dat: no scene section; scenes and programme keep their defaults");
    return problems;
  }
  ReadRecords(file, s, SceneRecordSize, SceneCount, QStringLiteral("scene"), problems,
              [&](int i, const char* r) { ReadScene(r, data.Scenes[i]); });
  if (!s.Whole()) {
    problems << QStringLiteral("kvl820.dat: the file ends inside the scene section; the programme is empty");
    return problems;
  }

  if (!NextSection(file, pos, s)) {
    problems << QStringLiteral("kvl820.dat: no timer programme section; the programme is empty");
    return problems;
  }
  if (!s.Whole()) {
    problems << QStringLiteral(
                    "kvl820.dat: the timer programme section is cut short (%1 of %2 bytes); the programme is "
                    "empty")
                    .arg(s.available)
                    .arg(s.stated);
    return problems;
  }
  const qsizetype usable = std::min<qsizetype>(s.stated, ProgrammeSectionSize);
  if (s.stated > ProgrammeSectionSize)
    problems << QStringLiteral(
                    "kvl820.dat: the timer programme section states %1 bytes; only 300 records are read")
                    .arg(s.stated);
  else if (s.stated % ProgrammeRecordSize != 0)
    problems << QStringLiteral(
        "kvl820.dat: the timer programme section ends inside a record; that record is skipped");
  const int records = int(usable / ProgrammeRecordSize);
  for (int i = 0; i < records; ++i) {
    ProgAktiePtr e = ReadEntry(file.data() + s.start + qsizetype(i) * ProgrammeRecordSize);
    if (e->Ruimte >= 0) data.Programme.push_back(std::move(e));
  }
  return problems;
}

QByteArray WriteMainData(const std::array<TRuimte, RoomCount>& rooms,
                         const std::array<TScene, SceneCount>& scenes, const KeyedAktieList& programme,
                         double now) {
  QByteArray out(MainFileSize, '\0');
  char* p = out.data();
  auto header = [&](int length) {
    p[0] = char(length >> 8);
    p[1] = char(length & 0xFF);
    p += 2;
  };

  header(RoomSectionSize);
  for (const TRuimte& room : rooms) {
    WriteShortString(p, MaxNameLength, room.Naam);
    PutI32(p + 32, room.ImageIndex);
    for (int i = 0; i < DevicesPerRoom; ++i) {
      char* d = p + 36 + i * DeviceRecordSize;
      const TApparaat& a = room.Apparaten[i];
      WriteShortString(d, MaxNameLength, a.Naam);
      PutI32(d + 32, a.ImageIndex);
      d[36] = char(a.CodeSchijf);
      d[37] = char(a.Dimbaar);
      PutI32(d + 40, a.Code);
      PutI32(d + 44, a.DimNiveau);
    }
    p += RoomRecordSize;
  }

  header(SceneSectionSize);
  for (const TScene& scene : scenes) {
    WriteShortString(p, MaxNameLength, scene.Naam);
    for (int i = 0; i < ItemsPerScene; ++i) {
      char* item = p + 32 + i * 12;
      PutI32(item, scene.Akties[i].Ruimte);
      PutI32(item + 4, scene.Akties[i].Apparaat);
      PutI32(item + 8, scene.Akties[i].Waarde);
    }
    p += SceneRecordSize;
  }

  header(ProgrammeSectionSize);
  ProgAktie blank;
  blank.Aangemaakt = now;
  for (int n = 0; n < MaxProgrammeEntries; ++n) {
    const bool used = n < int(programme.size()) && programme[n].Entry;
    WriteEntry(p, used ? *programme[n].Entry : blank);
    p += ProgrammeRecordSize;
  }
  return out;
}

QStringList ReadEnvironment(QByteArrayView file, EnvironmentData& env) {
  QStringList problems;
  qsizetype pos = 0;
  Section s;
  if (!NextSection(file, pos, s)) {
    problems << QStringLiteral(
        "environment.dat: the file is too short to hold its length; defaults are used");
    return problems;
  }
  const qsizetype usable = std::min<qsizetype>(s.available, EnvironmentBlockSize);
  const char* b = file.data() + s.start;
  if (usable >= 1) env.OldModel = uchar(b[0]);
  if (usable >= 2) env.ShowHints = uchar(b[1]);
  if (usable >= EnvironmentBlockSize)
    env.Location = TLocation::FromRecord(QByteArrayView(b + 2, TLocation::RecordSize));
  if (usable < EnvironmentBlockSize)
    problems << QStringLiteral(
                    "environment.dat: only %1 of the 52 environment bytes are present%2; "
                    "the missing settings and the location keep their defaults")
                    .arg(usable)
                    .arg(s.Whole() ? QString()
                                   : QStringLiteral(" (the file is shorter than its stated length)"));
  if (s.stated > EnvironmentBlockSize)
    problems << QStringLiteral("environment.dat: the stated length %1 exceeds 52; the surplus is ignored")
                    .arg(s.stated);
  return problems;
}

QByteArray WriteEnvironment(const EnvironmentData& env) {
  QByteArray out(EnvironmentFileSize, '\0');
  out[0] = 0x00;
  out[1] = char(EnvironmentBlockSize);
  out[2] = char(env.OldModel);
  out[3] = char(env.ShowHints);
  const QByteArray record = env.Location.ToRecord();
  std::memcpy(out.data() + 4, record.constData(), std::min<qsizetype>(record.size(), TLocation::RecordSize));
  return out;
}

}  // namespace DataFiles

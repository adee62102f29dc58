#pragma once

#include <QDateTime>
#include <QStringList>
#include <array>
#include <cstdint>

class ProgAktie;
struct TApparaat;
struct TSunPlace;
class tsunrise;

// The application firmware's command protocol (commands and report layouts:
// Protocol.h). Every operation sends only while BoxConnected; requests are a
// WriteReport of OutReport followed by a ReadReport into InReport.
//
// Programme record, 5 bytes (bit 0 least significant):
//   0: bit 0 sun-relative, bit 1 scene entry, bits 2..7 minute (or sun offset)
//   1: bits 0..4 hour (or sun kind: bit 0 sunset, bit 1 before), bits 5..7 month code bits 0..2
//   2: bit 0 month code bit 3, bits 1..7 DagDatum bits 0..6
//   3: bit 0 DagDatum bit 7, bit 1 random, bit 2 no code wheel, bits 3..7 action
//   4: device code (low byte), or the scene index
// Month code: 1..12, 0 for every month. The image ends with 0xF0.
class TCommunicatie {
 public:
  static constexpr int MaxRecords = 300;
  static constexpr int ImageSize = 5 * MaxRecords + 1;  // 1501
  static constexpr int SceneTableSize = 512;
  static constexpr uint8_t EndByte = 0xF0;

  std::array<uint8_t, ImageSize> Image{};
  std::array<uint8_t, SceneTableSize> SceneTable{};
  std::array<uint8_t, SceneTableSize> BoxSceneTable{};

  // The image's length in bytes after the last BuildProgrammeImage (records + end byte).
  int ImageLength() const { return imageLength_; }

  // What the last BuildProgrammeImage and BuildSceneTable left out or changed,
  // one English line each: entries and items whose room, device, code or
  // scene does not exist, actions past 17, scene values clamped to 1..16.
  QStringList SkippedEntries;  // programme
  QStringList SkippedItems;    // scene table
  QStringList Skipped() const { return SkippedItems + SkippedEntries; }

  // Compiles the installation's programme (at most 300 records; more are not
  // sent) into Image. Entries whose target does not exist are left out (see
  // SkippedEntries), so a record never addresses another device or scene. Derives the sun fields (Uur,
  // Minuut) of sun-relative entries and stores them in the entries.
  void BuildProgrammeImage();
  // BuildProgrammeImage, then StoreProgramme chunks of 60 bytes.
  void UploadProgramme();
  // Items whose device does not exist are left out and the rest close up;
  // values outside 0..17 are clamped to 1..16 (see SkippedItems).
  void BuildSceneTable();
  // Eight ReadSceneTable requests into BoxSceneTable. False when no box is connected or
  // an answer did not come (those bytes keep their old value).
  bool ReadSceneTable();
  // Sends the scene table (StoreSceneTable) unless the box's equals the built one. A
  // read-back that failed counts as different.
  void SyncSceneTable();
  void ActivateScene(int index);
  // The sun table for the installation's location (StoreSunTable).
  void SendSunTable();
  // With a box connected: `sun`'s table in three StoreSunTable reports
  // (offsets 0, 60, 120; lengths 60, 60, 24). No answer is read. Without a
  // box: nothing.
  void StoreSunTable(const tsunrise& sun);
  // With a box connected: sun.SunTable is cleared, then filled from three
  // ReadSunTable requests (offsets 0, 64, 128). False when no box is
  // connected or an answer did not come; the bytes not received stay zero.
  bool FetchSunTable(tsunrise& sun);
  // Builds `sun` for `place` and `year`; true when the box holds that table,
  // or when no box is connected (nothing is sent then). A missing answer
  // counts as a difference.
  bool VerifySunTable(tsunrise& sun, const TSunPlace& place, int year);
  // The same for the installation's location and the current year.
  bool VerifySunTable(tsunrise& sun);
  // True when the box holds the scene table, sun table and programme image
  // the installation gives. A missing answer counts as a difference.
  bool VerifyBox();

  // Which blocks differ; every block is read (unlike VerifyBox, which stops
  // at the first difference).
  struct BlockCheck {
    bool SceneTableEqual = false;
    bool SunTableEqual = false;
    bool ProgrammeEqual = false;
    bool AllEqual() const { return SceneTableEqual && SunTableEqual && ProgrammeEqual; }
  };
  BlockCheck CheckBlocks();

  // One record for `entry` (sun fields already derived). Assumes the target
  // exists (ProgrammeTargetProblem is empty).
  static std::array<uint8_t, 5> BuildRecord(const ProgAktie& entry);
  // Why `entry` cannot be compiled, or empty: a room, device or scene that
  // does not exist, a code outside -1..255 (-1, no code yet, gives 0xFF) or
  // an action past 17.
  static QString ProgrammeTargetProblem(const ProgAktie& entry);
  // Stores Uur and Minuut of a sun-relative entry as the record wants them.
  static void DeriveSunFields(ProgAktie& entry);

 private:
  // ReadProgramme read-back of the programme into `buffer`; false on a missing answer.
  bool ReadProgramme(std::array<uint8_t, ImageSize>& buffer);
  bool ProgrammeMatches();
  int imageLength_ = 1;
};

// Switch report (Protocol::Switch) into OutReport and write it; false when
// nothing was written (no box, or the write failed).
bool SendSwitch(uint8_t code, uint8_t actionByte);
// Action bytes of the switch buttons for `device`.
uint8_t SwitchOnByte(const TApparaat& device);
uint8_t SwitchOffByte(const TApparaat& device);
// The dim level clamped to 1..16, times 2, plus 1.
uint8_t DimValueByte(const TApparaat& device);
// A code the box can send: 0..255.
bool HasSendableCode(const TApparaat& device);
uint8_t LearningTickByte(const TApparaat& device);
// The same for the editor, which holds the dimmable choice before it is stored.
uint8_t LearningTickByte(bool dimmable);

// SetClock with `local` (date, time, day of week 1 = Sunday).
void SendBoxClock(const QDateTime& local);

// What the last CheckBoxAddress found.
struct BoxAddressCheck {
  bool Answered = false;  // the box answered ReadAddress
  std::array<uint8_t, 3> Address{};
  uint8_t Check = 0;
  bool Valid = false;
  bool Replaced = false;  // a new address was sent with SetAddress
  uint32_t NewAddress = 0;
};
extern BoxAddressCheck LastAddressCheck;

// ReadAddress; when the check byte is wrong and a second ReadAddress gives
// the same bytes, SetAddress with a new random address 1..0x3FFFFF. Nothing
// is set when the box did not answer or the two reads differ.
void CheckBoxAddress();
// The check byte an address needs: 255 - (a + b + c) mod 256.
uint8_t AddressCheckByte(uint8_t a, uint8_t b, uint8_t c);

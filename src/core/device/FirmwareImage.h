#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "core/shell/Language.h"

// The box's application area and the Intel HEX reader that fills it.
//
// Application area: flash addresses 0x0000..0x6FFF (28672 bytes), 224 pages of
// 128 bytes, a page starting at a multiple of 128. The image buffer holds one
// byte more (28673) so that a word ending exactly at the limit still fits.

constexpr int FlashLimit = 28672;               // first address past the application area
constexpr int FlashImageSize = FlashLimit + 1;  // 28673
constexpr int FlashPageSize = 128;
constexpr int FlashPageCount = FlashLimit / FlashPageSize;  // 224

using FlashBuffer = std::array<uint8_t, FlashImageSize>;

// How readbuf ended.
enum class HexStop {
  EndOfLines,      // every line was read
  AddressAtLimit,  // a record address of 28672 or more: stopped without a message
  FlashOverflow,   // data past the application area: "Address excedes flash size"
  Corrupt,         // wrong checksum, or a record that cannot be read: "File corrupt: Checksum error"
};

struct TFirmwareImage {
  FlashBuffer Bytes;  // 0xFF where no record wrote
  HexStop Stop = HexStop::EndOfLines;
  int Line = 0;             // 1-based line where parsing stopped (0 for EndOfLines)
  int HighestAddress = -1;  // highest address a data record wrote, -1 for none

  // The message the update shows for this image, if any.
  std::optional<TextId> Message() const;
  // The image can be flashed: no message was shown.
  bool Ok() const { return !Message(); }
  // The 128 bytes of the page at `address` (a multiple of 128) are all 0xFF.
  bool AllFF(int address) const;
  // Pages holding at least one byte other than 0xFF.
  int UsedPages() const;
  // The 24-bit sum of the application area, as the loader's Sum answers it.
  uint32_t Sum() const;
};

// Parses Intel HEX lines into an image (the reader of the firmware update).
//
// Lines that do not start with ':' are skipped; surrounding blanks and a
// trailing carriage return are ignored. Fields: byte count at characters 2..3,
// address 4..7 (big-endian), record type 8..9, data from 10 on (1-based, as in
// the format). Data records (type 0) store each 16-bit word with its two bytes
// exchanged: data bytes (first, second) go to (address + 1, address). The
// running checksum is count + address high + address low + type + data; for
// types 0 and 1 it plus the record's checksum byte must be 0 modulo 256. Other
// record types (2, 4, ...) are accepted unchecked and change nothing.
// End-of-file records (type 1) do not end parsing.
TFirmwareImage readbuf(const QStringList& lines);

// Reads `path` (a file or a Qt resource) and parses it. False when it cannot
// be read; *error then names the reason.
bool ReadHexFile(const QString& path, TFirmwareImage* image, QString* error);

// The image the program carries.
inline constexpr char EmbeddedFirmwarePath[] = ":/firmware/HEXFILE.hex";

#include "core/device/FirmwareImage.h"

#include <QFile>
#include <algorithm>

namespace {

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  return -1;
}

// The byte written as two hex digits at 0-based `pos`; -1 when the line is
// too short or the characters are not hex digits.
int HexByte(const QString& line, int pos) {
  if (pos + 1 >= line.size()) return -1;
  const int hi = HexDigit(line[pos]), lo = HexDigit(line[pos + 1]);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

}  // namespace

std::optional<TextId> TFirmwareImage::Message() const {
  switch (Stop) {
    case HexStop::FlashOverflow:
      return TextId::AddressExcedesFlashSize;
    case HexStop::Corrupt:
      return TextId::FileCorruptChecksumError;
    default:
      return std::nullopt;
  }
}

bool TFirmwareImage::AllFF(int address) const {
  return std::all_of(Bytes.begin() + address, Bytes.begin() + address + FlashPageSize,
                     [](uint8_t b) { return b == 0xFF; });
}

int TFirmwareImage::UsedPages() const {
  int n = 0;
  for (int a = 0; a < FlashLimit; a += FlashPageSize) n += AllFF(a) ? 0 : 1;
  return n;
}

uint32_t TFirmwareImage::Sum() const {
  uint32_t sum = 0;
  for (int i = 0; i < FlashLimit; ++i) sum += Bytes[i];
  return sum & 0xFFFFFF;
}

TFirmwareImage readbuf(const QStringList& lines) {
  TFirmwareImage image;
  image.Bytes.fill(0xFF);
  auto stop = [&](HexStop why, int lineNo) {
    image.Stop = why;
    image.Line = lineNo;
    return image;
  };

  for (int n = 0; n < lines.size(); ++n) {
    const QString line = lines[n].trimmed();
    if (!line.startsWith(QLatin1Char(':'))) continue;
    const int lineNo = n + 1;

    // A field that is not hex (or a record cut short) cannot be trusted any
    // more than a wrong checksum.
    const int count = HexByte(line, 1), addrHi = HexByte(line, 3), addrLo = HexByte(line, 5),
              type = HexByte(line, 7);
    if (count < 0 || addrHi < 0 || addrLo < 0 || type < 0) return stop(HexStop::Corrupt, lineNo);
    int address = addrHi * 256 + addrLo;
    unsigned sum = count + addrHi + addrLo + type;

    if (address >= FlashLimit) return stop(HexStop::AddressAtLimit, lineNo);

    int checkPos = 0;
    if (type == 0) {
      for (int k = 0; k < count; k += 2) {
        const int first = HexByte(line, 9 + 2 * k);
        if (first < 0) return stop(HexStop::Corrupt, lineNo);
        if (k + 1 < count) {
          const int second = HexByte(line, 9 + 2 * (k + 1));
          if (second < 0) return stop(HexStop::Corrupt, lineNo);
          // Words are stored with their bytes exchanged.
          image.Bytes[address] = uint8_t(second);
          image.HighestAddress = std::max(image.HighestAddress, address);
          ++address;
          if (address >= FlashLimit) return stop(HexStop::FlashOverflow, lineNo);
          image.Bytes[address] = uint8_t(first);
          image.HighestAddress = std::max(image.HighestAddress, address);
          ++address;
          sum += first + second;
        } else {
          // A lone last byte goes where the exchange puts the first of a pair.
          if (address + 1 >= FlashLimit) return stop(HexStop::FlashOverflow, lineNo);
          image.Bytes[address + 1] = uint8_t(first);
          image.HighestAddress = std::max(image.HighestAddress, address + 1);
          sum += first;
        }
      }
      checkPos = 9 + 2 * count;
    } else if (type == 1) {
      checkPos = 9;
    } else {
      continue;  // extended address and other records: accepted unchecked
    }

    const int check = HexByte(line, checkPos);
    if (check < 0 || (sum + check) % 256 != 0) return stop(HexStop::Corrupt, lineNo);
  }
  return image;
}

bool ReadHexFile(const QString& path, TFirmwareImage* image, QString* error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
    return false;
  }
  const QString text = QString::fromLatin1(f.readAll());
  *image = readbuf(text.split(QLatin1Char('\n')));
  return true;
}

#pragma once

#include <QByteArray>

// One Intel HEX record, ":" and upper-case hex, with a correct checksum and
// no line end.
inline QByteArray HexRecord(int type, int address, const QByteArray& data) {
  QByteArray raw;
  raw.append(char(data.size()));
  raw.append(char(address >> 8));
  raw.append(char(address & 0xFF));
  raw.append(char(type));
  raw.append(data);
  uint8_t sum = 0;
  for (char c : raw) sum = uint8_t(sum + uint8_t(c));
  raw.append(char(uint8_t(-sum)));
  return ':' + raw.toHex().toUpper();
}

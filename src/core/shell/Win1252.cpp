#include "core/shell/Win1252.h"

#include <array>
#include <cstring>
#include <utility>

namespace {

// 0x80..0x9F; the five bytes that Windows-1252 leaves undefined map to the
// C1 control of the same number so that they survive a round trip.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int Encode(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return 0x80 + i;
  return -1;
}

}  // namespace

QString FromWin1252(QByteArrayView bytes) {
  // One character per byte: written in place (names are read by the hundred).
  QString out(bytes.size(), Qt::Uninitialized);
  char16_t* d = reinterpret_cast<char16_t*>(out.data());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    *d++ = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b);
  }
  return out;
}

QByteArray ToWin1252(const QString& text, bool* ok) {
  QByteArray out;
  out.reserve(text.size());
  bool all = true;
  for (QChar ch : text) {
    const int b = Encode(ch.unicode());
    if (b < 0) all = false;
    out.append(static_cast<char>(b < 0 ? '?' : b));
  }
  if (ok) *ok = all;
  return out;
}

bool IsWin1252(const QString& text) {
  for (QChar ch : text)
    if (Encode(ch.unicode()) < 0) return false;
  return true;
}

namespace {

// Letters whose nearest Windows-1252 letter is no decomposition of them.
constexpr std::pair<char16_t, char16_t> kPlain[] = {{u'ł', u'l'}, {u'Ł', u'L'}, {u'đ', u'd'}, {u'Đ', u'D'},
                                                    {u'ı', u'i'}, {u'ħ', u'h'}, {u'Ħ', u'H'}, {u'ŧ', u't'},
                                                    {u'Ŧ', u'T'}, {u'ŀ', u'l'}, {u'Ŀ', u'L'}, {u'ƒ', u'f'}};

QString Nearest(QChar ch) {
  for (auto [from, to] : kPlain)
    if (ch.unicode() == from) return QString(QChar(to));
  QString d = QString(ch).normalized(QString::NormalizationForm_D);
  if (d.size() < 2 || Encode(d[0].unicode()) < 0) return QString(ch);
  // The double acute of Hungarian ő/ű reads as the diaeresis.
  d.replace(QChar(0x030B), QChar(0x0308));
  const QString composed = d.left(2).normalized(QString::NormalizationForm_C);
  return composed.size() == 1 && Encode(composed[0].unicode()) >= 0 ? composed : d.left(1);
}

}  // namespace

QString ToNearestWin1252(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar ch : text) out += Encode(ch.unicode()) >= 0 ? QString(ch) : Nearest(ch);
  return out;
}

QString ReadShortString(QByteArrayView field, int width) {
  if (field.isEmpty()) return {};
  int len = static_cast<unsigned char>(field[0]);
  len = std::min<int>({len, width, int(field.size()) - 1});
  return FromWin1252(field.sliced(1, len));
}

void WriteShortString(char* field, int width, const QString& text) {
  QByteArray bytes = ToWin1252(text).left(width);
  std::memset(field, 0, width + 1);
  field[0] = static_cast<char>(bytes.size());
  std::memcpy(field + 1, bytes.constData(), bytes.size());
}

#include "core/model/ImageListFile.h"

#include "core/model/ImageListStream.h"
#include "core/model/PictureServices.h"
#include "core/shell/Win1252.h"

namespace {

constexpr quint16 kRcData = 10;
constexpr quint16 kResourceFlags = 0x1030;
constexpr int kMaxNesting = 32;

// Value types of the binary object stream.
enum ValueType : quint8 {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

bool Fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

// Reader over the object stream; any read past the end sets `bad` and
// returns zeros, so callers check `bad` at decision points.
class Stream {
 public:
  explicit Stream(QByteArrayView data) : d_(data) {}
  bool bad = false;
  bool AtEnd() const { return pos_ >= d_.size(); }
  bool Has(qint64 k) const { return k >= 0 && k <= d_.size() - pos_; }
  quint8 U8() {
    if (!Has(1)) return bad = true, 0;
    return quint8(d_[pos_++]);
  }
  quint8 Peek() const { return Has(1) ? quint8(d_[pos_]) : 0; }
  quint32 U32() {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i) v |= quint32(U8()) << (8 * i);
    return v;
  }
  QByteArrayView Bytes(qint64 k) {
    if (!Has(k)) {
      bad = true;
      pos_ = d_.size();
      return {};
    }
    QByteArrayView v = d_.sliced(pos_, qsizetype(k));
    pos_ += qsizetype(k);
    return v;
  }
  QByteArrayView ShortString() { return Bytes(U8()); }

 private:
  QByteArrayView d_;
  qsizetype pos_ = 0;
};

bool SkipValue(Stream& s, quint8 type, int depth);

bool SkipProperty(Stream& s, int depth) {
  if (s.ShortString().isEmpty() || s.bad) return false;
  return SkipValue(s, s.U8(), depth);
}

// Skips one value of the given type, returning false on a malformed stream.
bool SkipValue(Stream& s, quint8 type, int depth) {
  if (depth > kMaxNesting) return false;
  switch (type) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      return true;
    case vaInt8:
      s.Bytes(1);
      break;
    case vaInt16:
      s.Bytes(2);
      break;
    case vaInt32:
    case vaSingle:
      s.Bytes(4);
      break;
    case vaExtended:
      s.Bytes(10);
      break;
    case vaCurrency:
    case vaDate:
    case vaInt64:
    case vaDouble:
      s.Bytes(8);
      break;
    case vaString:
    case vaIdent:
      s.ShortString();
      break;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
      s.Bytes(s.U32());
      break;
    case vaWString:
      s.Bytes(qint64(s.U32()) * 2);
      break;
    case vaSet:
      while (!s.bad && !s.ShortString().isEmpty()) {
      }
      break;
    case vaList:
      while (!s.bad && s.Peek() != vaNull)
        if (!SkipValue(s, s.U8(), depth + 1)) return false;
      s.U8();
      break;
    case vaCollection:
      while (!s.bad && s.Peek() != vaNull) {
        const quint8 next = s.Peek();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32) SkipValue(s, s.U8(), depth + 1);
        if (s.U8() != vaList) return false;
        while (!s.bad && s.Peek() != vaNull)
          if (!SkipProperty(s, depth + 1)) return false;
        s.U8();
      }
      s.U8();
      break;
    default:
      return false;
  }
  return !s.bad;
}

bool ReadInteger(Stream& s, quint8 type, qint64& value) {
  switch (type) {
    case vaInt8:
      value = qint8(s.U8());
      break;
    case vaInt16: {
      const quint8 lo = s.U8();
      value = qint16(quint16(lo | (s.U8() << 8)));
      break;
    }
    case vaInt32:
      value = qint32(s.U32());
      break;
    case vaInt64: {
      const quint64 lo = s.U32();
      value = qint64(lo | (quint64(s.U32()) << 32));
      break;
    }
    default:
      return false;
  }
  return !s.bad;
}

void PutShortString(QByteArray& out, QByteArrayView text) {
  const qsizetype n = std::min<qsizetype>(text.size(), 255);
  out.append(char(n));
  out.append(text.first(n));
}

void PutInteger(QByteArray& out, qint32 v) {
  if (v >= -128 && v <= 127) {
    out.append(char(vaInt8));
    out.append(char(v));
  } else if (v >= -32768 && v <= 32767) {
    out.append(char(vaInt16));
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
  } else {
    out.append(char(vaInt32));
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
  }
}

void PutU32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

void SetU32(QByteArray& out, qsizetype at, quint32 v) {
  for (int i = 0; i < 4; ++i) out[at + i] = char((v >> (8 * i)) & 0xFF);
}

// Finds the object stream: inside a component resource, or the bare stream.
bool ObjectStream(QByteArrayView data, QByteArrayView& stream, QString* error) {
  if (data.startsWith("TPF0")) {
    stream = data;
    return true;
  }
  Stream s(data);
  if (s.U8() != 0xFF) return Fail(error, QStringLiteral("not an image list file (no resource header)"));
  const quint8 lo = s.U8();
  const quint16 type = quint16(lo | (s.U8() << 8));
  if (s.bad) return Fail(error, QStringLiteral("resource header cut short"));
  if (type != kRcData) return Fail(error, QStringLiteral("resource type %1 is not RCDATA (10)").arg(type));
  if (s.Peek() == 0xFF) {
    s.Bytes(3);  // numbered resource
  } else {
    while (!s.bad && s.U8() != 0) {
    }
  }
  s.Bytes(2);  // flags
  const quint32 length = s.U32();
  if (s.bad) return Fail(error, QStringLiteral("resource header cut short"));
  stream = s.Bytes(length);
  if (s.bad)
    return Fail(error, QStringLiteral("resource length %1 runs past the end of the file").arg(length));
  return true;
}

}  // namespace

bool ParseImageListFile(QByteArrayView data, TImageList& list, QString* error) {
  return ParseImageListFile(data.toByteArray(), list, error);
}

bool ParseImageListFile(const QByteArray& data, TImageList& list, QString* error,
                        std::shared_ptr<const void> keeper) {
  QByteArrayView objectData;
  if (!ObjectStream(data, objectData, error)) return false;
  Stream s(objectData);
  if (s.Bytes(4) != QByteArrayView("TPF0"))
    return Fail(error, QStringLiteral("object stream lacks \"TPF0\""));
  if ((s.Peek() & 0xF0) == 0xF0) {
    const quint8 filerFlags = s.U8() & 0x0F;
    qint64 childPos = 0;
    if ((filerFlags & 0x02) && !ReadInteger(s, s.U8(), childPos))
      return Fail(error, QStringLiteral("object stream: bad child position"));
  }
  const QByteArrayView className = s.ShortString();
  const QByteArrayView componentName = s.ShortString();
  if (s.bad) return Fail(error, QStringLiteral("object stream cut short in the names"));
  if (className.compare(QByteArrayView("TImageList"), Qt::CaseInsensitive) != 0)
    return Fail(error,
                QStringLiteral("object is a %1, not a TImageList").arg(QString::fromLatin1(className)));

  TImageList parsed(list.Width(), list.Height());
  parsed.Name = FromWin1252(componentName);
  for (;;) {
    if (s.AtEnd()) return Fail(error, QStringLiteral("object stream ends inside the properties"));
    if (s.Peek() == vaNull) {
      s.U8();
      break;
    }
    const QByteArrayView name = s.ShortString();
    const quint8 type = s.U8();
    if (s.bad || name.isEmpty())
      return Fail(error, QStringLiteral("object stream cut short in the properties"));
    if (name == QByteArrayView("Bitmap")) {
      if (type != vaBinary) return Fail(error, QStringLiteral("property Bitmap is not binary"));
      QByteArrayView bitmap = s.Bytes(s.U32());
      if (s.bad) return Fail(error, QStringLiteral("property Bitmap runs past the end of the data"));
      // Tolerate a 32-bit size in front of the stream.
      if (bitmap.size() >= 6 && !bitmap.startsWith("IL") && bitmap.sliced(4).startsWith("IL"))
        bitmap = bitmap.sliced(4);
      parsed.Clear();
      QString why;
      if (!ParseImageListStream(bitmap, data, parsed, &why, keeper))
        return Fail(error, QStringLiteral("property Bitmap: %1").arg(why));
    } else if (name == QByteArrayView("Height") || name == QByteArrayView("Width")) {
      // The picture size of the stream rules; these only have to be integers.
      qint64 value = 0;
      if (!ReadInteger(s, type, value))
        return Fail(error, QStringLiteral("property %1 is not an integer").arg(QString::fromLatin1(name)));
    } else if (!SkipValue(s, type, 0)) {
      return Fail(error, QStringLiteral("property %1 has a bad value").arg(QString::fromLatin1(name)));
    }
  }
  list = std::move(parsed);
  return true;
}

QByteArray WriteImageListFile(const TImageList& list) {
  QByteArray out;
  out.append(char(0xFF));
  out.append(char(kRcData & 0xFF));
  out.append(char(kRcData >> 8));
  out.append("TIMAGELIST");
  out.append('\0');
  out.append(char(kResourceFlags & 0xFF));
  out.append(char(kResourceFlags >> 8));
  const qsizetype lengthAt = out.size();
  PutU32(out, 0);  // filled in below
  const qsizetype streamAt = out.size();

  out.append("TPF0");
  PutShortString(out, "TImageList");
  PutShortString(out, ToWin1252(list.Name));
  PutShortString(out, "Height");
  PutInteger(out, list.Height());
  PutShortString(out, "Width");
  PutInteger(out, list.Width());
  if (list.Count() > 0) {
    PutShortString(out, "Bitmap");
    out.append(char(vaBinary));
    const qsizetype bitmapLengthAt = out.size();
    PutU32(out, 0);
    // Encoding pictures is the picture part's (PictureServices.h).
    RequiredPictureServices().appendImageListStream(list, out);
    SetU32(out, bitmapLengthAt, quint32(out.size() - bitmapLengthAt - 4));
  }
  out.append('\0');  // end of properties
  out.append('\0');  // end of (no) children
  SetU32(out, lengthAt, quint32(out.size() - streamAt));
  return out;
}

#include "gui/shell/Utilities.h"

#include "gui/common/Accessible.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <bit>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "core/device/MyDevFunctions.h"
#include "core/shell/Language.h"
#include "gui/shell/Melding.h"
#include "gui/shell/UIImages.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

int TUtilities::SenderTag(const QObject* control) {
  if (!control) return -1;
  if (auto* img = qobject_cast<const TImage*>(control)) return img->tag();
  if (auto* lbl = qobject_cast<const TLabel*>(control)) return lbl->tag();
  if (qobject_cast<const QLabel*>(control)) return control->property("Tag").toInt();
  return -1;
}

void TUtilities::RoundButtons(QWidget* form) {
  if (!form) return;
  for (TGradBtn* b : form->findChildren<TGradBtn*>()) b->setRoundCorners(20);
}

void TUtilities::SetButtonSelected(TGradBtn* button) {
  if (!button) return;
  const QColor c = FromWinColor(WinColour::Selected);
  button->setColours(c, c, Qt::white);
}

void TUtilities::SetButtonNormal(TGradBtn* button) {
  if (!button) return;
  button->setColours(QColor(128, 128, 128), Qt::white, Qt::black);
}

namespace {

// Nearest whole number, halves to even (the rounding of the fitting rules).
int RoundEven(double v) { return int(std::nearbyint(v)); }

TLoadedPicture Fail(const QString& fileName, const QString& why) {
  TLoadedPicture r;
  r.Error = GetText(MoreTextId::CannotLoadPicture).arg(QFileInfo(fileName).fileName(), why);
  return r;
}

}  // namespace

TLoadedPicture TUtilities::LoadPicture(const QString& fileName) {
  const QString ext = QFileInfo(fileName).suffix().toUpper();
  QByteArray format;
  if (ext == QLatin1String("BMP"))
    format = "bmp";
  else if (ext == QLatin1String("JPG") || ext == QLatin1String("JPEG"))
    format = "jpeg";
  else if (ext == QLatin1String("GIF"))
    format = "gif";
  else
    return Fail(fileName, QStringLiteral("only .bmp, .jpg and .gif files can be used"));

  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return Fail(fileName, file.errorString());

  QImageReader reader(&file, format);
  reader.setAutoDetectImageFormat(false);  // the extension decides, as the picker offers
  reader.setDecideFormatFromContent(false);
  const QSize source = reader.size();
  if (!source.isValid()) {
    const QString why = reader.error() == QImageReader::UnknownError || reader.errorString().isEmpty()
                            ? QStringLiteral("the file is damaged or not a picture")
                            : reader.errorString();
    return Fail(fileName, why);
  }
  if (source.width() <= 0 || source.height() <= 0)
    return Fail(fileName, QStringLiteral("the picture has no pixels"));
  if (qint64(source.width()) * source.height() > MaxPicturePixels)
    return Fail(
        fileName,
        QStringLiteral("the picture is too large (%1 x %2)").arg(source.width()).arg(source.height()));

  // Fitting into 130 x 80 with the proportions kept.
  const double w = source.width(), h = source.height();
  int sw, sh, x, y;
  if (h / 80.0 <= w / 130.0) {
    sw = 130;
    sh = RoundEven(h / (w / 130.0));
    x = 0;
    y = RoundEven((80 - sh) / 2.0);
  } else {
    sh = 80;
    sw = RoundEven(w / (h / 80.0));
    x = RoundEven((130 - sw) / 2.0);
    y = 0;
  }
  // A sliver of a picture (say 10000 x 1) still shows one line.
  if (sw < 1) sw = 1;
  if (sh < 1) sh = 1;

  // Large pictures are decoded at a reduced scale (libjpeg scales while
  // decoding); twice the fitted size keeps the final smooth scaling sharp.
  if (format == "jpeg" && (source.width() > 4 * sw || source.height() > 4 * sh)) {
    QSize decode(sw * 2, sh * 2);
    reader.setScaledSize(decode);
  }

  QImage decoded;
  if (!reader.read(&decoded) || decoded.isNull())
    return Fail(fileName, reader.errorString().isEmpty() ? QStringLiteral("the file is damaged")
                                                         : reader.errorString());

  // Transparent parts of a GIF lie on white, as on a fresh bitmap.
  if (decoded.hasAlphaChannel()) {
    QImage flat(decoded.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, decoded);
    p.end();
    decoded = flat;
  }
  const QImage scaled = decoded.scaled(sw, sh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB888);

  const int c = UnusedColour(scaled);
  // Every colour used is impossible for a 130 x 80 picture; black keeps it defined.
  const QRgb key = c < 0 ? 0u : QRgb(c);

  TLoadedPicture r;
  r.Picture = QImage(130, 80, QImage::Format_RGB888);
  r.Picture.fill(QColor::fromRgb(key | 0xFF000000u));
  QPainter p(&r.Picture);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(x, y, scaled);
  p.end();
  r.Picture.setPixel(0, 79, key | 0xFF000000u);
  r.TransparentColour = key;
  return r;
}

int TUtilities::UnusedColour(const QImage& picture) {
  const bool rgb = picture.format() == QImage::Format_RGB888;
  if (!rgb && picture.format() != QImage::Format_BGR888)
    throw std::invalid_argument("Intented only for 24bit bitmaps");

  // One bit per colour, numbered blue * 65536 + green * 256 + red: the first
  // clear bit is the first unused colour in the search order.
  std::vector<uint64_t> seen(size_t(1) << 18, 0);
  for (int yy = 0; yy < picture.height(); ++yy) {
    const uchar* line = picture.constScanLine(yy);
    for (int xx = 0; xx < picture.width(); ++xx) {
      const uchar* px = line + 3 * xx;
      const uint32_t r = rgb ? px[0] : px[2], g = px[1], b = rgb ? px[2] : px[0];
      const uint32_t n = (b << 16) | (g << 8) | r;
      seen[n >> 6] |= uint64_t(1) << (n & 63);
    }
  }
  for (size_t word = 0; word < seen.size(); ++word) {
    if (seen[word] == ~uint64_t(0)) continue;
    const uint32_t n = uint32_t(word * 64 + std::countr_one(seen[word]));
    const uint32_t r = n & 0xFF, g = (n >> 8) & 0xFF, b = n >> 16;
    return int((r << 16) | (g << 8) | b);
  }
  return -1;
}

bool TUtilities::CheckConnected() {
  if (BoxConnected) return true;
  ShowMeld(GetText(TextId::Attention), GetText(TextId::TheKLV820IsNotConnected), GetText(TextId::OK));
  return false;
}

bool TUtilities::CheckCode(int code) {
  if (code >= 0 && code <= 255) return true;  // anything else cannot be sent
  ShowMeld(GetText(TextId::Attention), GetText(TextId::DeviceHasNoCode), GetText(TextId::OK));
  return false;
}

TIndicatorHandler::TIndicatorHandler(int itemsPerPage, ClickHandler onClick, QObject* parent)
    : QObject(parent), OnClick(std::move(onClick)), ItemsPerPage(itemsPerPage) {}

TIndicatorHandler::~TIndicatorHandler() = default;

void TIndicatorHandler::AddIndicator(TImage* image) {
  if (!image || Count >= int(Indicators.size())) return;
  const int index = Count;
  Indicators[index] = std::make_unique<TIndicatorUI>(image);
  Indicators[index]->Clickable = true;
  image->setTag(index);
  image->setTransparent(true);
  connect(image, &TImage::clicked, this, [this, index](QObject* sender) {
    if (Indicators[index] && Indicators[index]->Clickable && OnClick) OnClick(sender);
  });
  ++Count;
}

void TIndicatorHandler::Update(int page, int itemCount) {
  const TImageFetcher* f = TImageFetcher::Instance();
  int pages = 0;
  for (int i = 0; i < Count; ++i)
    if (ItemsPerPage * i <= itemCount) ++pages;
  for (int i = 0; i < Count; ++i) {
    TIndicatorUI* dot = Indicators[i].get();
    const bool available = ItemsPerPage * i <= itemCount;
    // Read as "page 2 of 3"; a dot without a page is a plain picture.
    if (available) {
      dot->Image->setAccessibleName(GetText(MoreTextId::PageOf).arg(i + 1).arg(pages));
      Accessible::MarkPageTab(dot->Image, i == page);
    } else {
      dot->Image->setAccessibleName(QString());
      Accessible::MarkPicture(dot->Image);
    }
    dot->Clickable = available;
    dot->Image->setPicture(f->Picture(!available  ? UIPic::PIDisabled
                                      : i == page ? UIPic::PISel
                                                  : UIPic::PINotSel));
    dot->Image->setCursor(available ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
  CurrentPage = page;
}

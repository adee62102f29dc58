#include "gui/widgets/BuiltinPictures.h"

#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace {

// Library order: the first pictures are the most common rooms and devices.
const char* const kRooms[] = {
    "sofa",        "bed-king", "bunk-bed",        "teddy-bear",      "countertop", "silverware-fork-knife",
    "table-chair", "shower",   "bathtub",         "toilet",          "desk",       "bookshelf",
    "garage",      "home",     "home-floor-1",    "home-roof",       "stairs",     "door",
    "hanger",      "wardrobe", "washing-machine", "flower",          "tree",       "greenhouse",
    "pool",        "grill",    "balcony",         "gamepad-variant", "dumbbell",   "tools",
    "warehouse",   "hot-tub"};
const char* const kDevices[] = {"floor-lamp",
                                "lamp",
                                "ceiling-light",
                                "desk-lamp",
                                "chandelier",
                                "wall-sconce",
                                "outdoor-lamp",
                                "string-lights",
                                "led-strip-variant",
                                "spotlight-beam",
                                "lightbulb",
                                "power-socket-eu",
                                "television",
                                "radio",
                                "speaker",
                                "coffee-maker",
                                "kettle",
                                "microwave",
                                "dishwasher",
                                "fridge",
                                "fan",
                                "ceiling-fan",
                                "radiator",
                                "air-conditioner",
                                "blinds",
                                "curtains",
                                "sprinkler",
                                "fountain",
                                "water-pump",
                                "printer",
                                "desktop-tower-monitor",
                                "fireplace"};

template <size_t N>
std::vector<QString> Names(const char* const (&list)[N]) {
  std::vector<QString> out;
  out.reserve(N);
  for (const char* n : list) out.push_back(QString::fromLatin1(n));
  return out;
}

std::vector<QImage> Render(const std::vector<QString>& names, const char* folder, bool room) {
  std::vector<QImage> out;
  out.reserve(names.size());
  for (const QString& n : names)
    out.push_back(
        RenderLibraryPicture(QStringLiteral(":/icons/%1/%2.svg").arg(QLatin1String(folder), n), room));
  return out;
}

}  // namespace

std::vector<QString> BuiltinRoomIconNames() { return Names(kRooms); }
std::vector<QString> BuiltinDeviceIconNames() { return Names(kDevices); }

int BuiltinIconIndex(const std::vector<QString>& names, const QString& icon) {
  const auto at = std::find(names.begin(), names.end(), icon);
  return at == names.end() ? 0 : int(at - names.begin());
}

std::vector<QImage> BuiltinRoomPictures() { return Render(BuiltinRoomIconNames(), "rooms", true); }
std::vector<QImage> BuiltinDevicePictures() { return Render(BuiltinDeviceIconNames(), "devices", false); }

// Rooms sit on a warm sand card, devices on a cool slate card; the symbol is
// drawn in a deep tone of the same hue on a soft light disc.
QImage RenderLibraryPicture(const QString& svgResource, bool room) {
  QImage img(130, 80, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  const QColor top = room ? QColor(250, 243, 228) : QColor(232, 240, 247);
  const QColor bottom = room ? QColor(226, 208, 176) : QColor(190, 208, 224);
  const QColor ink = room ? QColor(110, 72, 32) : QColor(30, 66, 104);
  QLinearGradient bg(0, 0, 0, 80);
  bg.setColorAt(0, top);
  bg.setColorAt(1, bottom);
  p.fillRect(img.rect(), bg);

  QRadialGradient glow(65, 40, 38);
  glow.setColorAt(0, QColor(255, 255, 255, 210));
  glow.setColorAt(0.7, QColor(255, 255, 255, 90));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(65, 40), 38, 38);

  // Read through the image plugin, so that the SVG library is loaded only
  // when a built-in set is first drawn, not with the program.
  QImageReader svg(svgResource, "svg");
  svg.setScaledSize(QSize(60, 60));
  QImage icon = svg.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (!icon.isNull()) {
    QPainter ip(&icon);
    ip.setRenderHint(QPainter::Antialiasing);
    ip.setCompositionMode(QPainter::CompositionMode_SourceIn);
    QLinearGradient tint(0, 0, 0, 60);
    tint.setColorAt(0, ink.lighter(130));
    tint.setColorAt(1, ink);
    ip.fillRect(icon.rect(), tint);
    ip.end();
    // A faint offset copy gives the symbol some depth.
    QImage shadow = icon;
    {
      QPainter sp(&shadow);
      sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
      sp.fillRect(shadow.rect(), QColor(0, 0, 0, 50));
    }
    p.drawImage(36, 12, shadow);
    p.drawImage(35, 10, icon);
  }
  // Thin inner frame so pictures read as tiles on any background.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 120), 1));
  p.drawRect(QRectF(0.5, 0.5, 129, 79));
  p.end();
  return img.convertToFormat(QImage::Format_RGB888);
}

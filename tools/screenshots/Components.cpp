// The presentation components, drawn on cream sheets.
#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "Shots.h"
#include "core/shell/Language.h"
#include "gui/common/Tile.h"
#include "gui/common/YesNo.h"
#include "gui/shell/Melding.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/BuiltinPictures.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

namespace {

std::unique_ptr<QWidget> Sheet(int w, int h) {
  auto s = std::make_unique<QWidget>();
  s->resize(w, h);
  s->setAutoFillBackground(true);
  QPalette p = s->palette();
  p.setColor(QPalette::Window, FromWinColor(WinColour::Cream));
  s->setPalette(p);
  return s;
}

// A tile's controls on `sheet` at (x, y), laid out as the forms have them.
// The tile itself goes into `keep`.
TTile* MakeTile(QWidget* sheet, int x, int y, TTile::Look look, std::vector<std::unique_ptr<TTile>>& keep) {
  const bool item = look == TTile::Look::Item;
  TTileParts p;
  p.Background = new TImage(sheet);
  p.Background->setGeometry(x, y, 130, item ? 198 : 116);
  p.Background->setTransparent(true);
  QFont f = sheet->font();
  f.setPixelSize(16);
  if (item) {
    p.Picture = new TImage(sheet);
    p.Picture->setGeometry(x, y + 28, 130, 80);
    p.Picture->setTransparent(true);
    p.Led = new TImage(sheet);
    p.Led->setGeometry(x + 33, y + 164, 64, 16);
    p.Led->hide();
  } else {
    p.Number = new TLabel(sheet);
    p.Number->setGeometry(x, y + 8, 130, 18);
    p.Number->setAlignment(Qt::AlignCenter);
    p.Number->setFont(f);
  }
  p.Caption = new TLabel(sheet);
  p.Caption->setGeometry(x, y + (item ? 114 : 44), 130, 36);
  p.Caption->setAlignment(Qt::AlignCenter);
  p.Caption->setWordWrap(true);
  p.Caption->setFont(f);
  keep.push_back(std::make_unique<TTile>(p, look));
  return keep.back().get();
}

void Buttons(TShots& shots) {
  auto sheet = Sheet(600, 160);
  struct Look {
    QString text;
    std::function<void(TGradBtn*)> set;
  };
  const std::vector<Look> looks = {
      {GetText(TextId::OK), [](TGradBtn*) {}},
      {GetText(TextId::Cancel),
       [](TGradBtn* b) {
         QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
         QCoreApplication::sendEvent(b, &e);
       }},
      {GetText(TextId::On), [](TGradBtn* b) { b->setDown(true); }},
      {GetText(TextId::Off), [](TGradBtn* b) { b->setEnabled(false); }},
      {GetText(TextId::Scenes), [](TGradBtn* b) { TUtilities::SetButtonSelected(b); }},
      {GetText(TextId::Timer),
       [](TGradBtn* b) {
         TUtilities::SetButtonSelected(b);
         b->setEnabled(false);
       }},
      {GetText(TextId::StopLearning), [](TGradBtn* b) { b->setColours(Qt::red, Qt::white, Qt::black); }},
      {GetText(TextId::LearnCode), [](TGradBtn*) {}},
  };
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(19);
  int i = 0;
  for (const Look& l : looks) {
    auto* b = new TGradBtn(l.text, sheet.get());
    b->setFont(f);
    b->setGeometry(12 + (i % 4) * 146, 20 + (i / 4) * 70, 130, 40);
    l.set(b);
    ++i;
  }
  TUtilities::RoundButtons(sheet.get());
  shots.Save(sheet.get(), QStringLiteral("buttons"));
}

void TilesAndChoices(TShots& shots) {
  auto sheet = Sheet(760, 500);
  std::vector<std::unique_ptr<TTile>> tiles;
  const auto rooms = BuiltinRoomPictures();
  const auto devices = BuiltinDevicePictures();
  for (int i = 0; i < 4; ++i) {
    TTile* t = MakeTile(sheet.get(), 15 + i * 146, 40, TTile::Look::Item, tiles);
    t->SetSelected(i == 1);
    t->Show(
        i < 2 ? rooms[size_t(i)] : devices[size_t(i)],
        i == 3 ? QStringLiteral("Ceiling light over the dining table") : QStringLiteral("Tile %1").arg(i));
    if (i >= 2) t->SetLedAction(i == 2 ? 17 : 8);
  }
  TIndicatorHandler dots(4, [](QObject*) {});
  for (int i = 0; i < 4; ++i) {
    auto* d = new TImage(sheet.get());
    d->setGeometry(15 + i * 35, 8, 25, 25);
    dots.AddIndicator(d);
  }
  dots.Update(1, 9);
  for (int i = 0; i < 4; ++i) {
    TTile* s = MakeTile(sheet.get(), 15 + i * 146, 250, TTile::Look::Scene, tiles);
    s->SetSelected(i == 0);
    s->Number->setText(QString::number(i + 1));
    s->Show(QImage(), i == 0 ? QStringLiteral("Good night") : QStringLiteral("Scene %1").arg(i + 1));
  }
  std::vector<std::unique_ptr<TYesNo>> choices;
  for (int i = 0; i < 2; ++i) {
    auto* yes = new TImage(sheet.get());
    yes->setGeometry(15 + i * 285, 390, 25, 25);
    auto* yesLabel = new TLabel(sheet.get());
    yesLabel->setGeometry(45 + i * 285, 390, 80, 25);
    auto* no = new TImage(sheet.get());
    no->setGeometry(135 + i * 285, 390, 25, 25);
    auto* noLabel = new TLabel(sheet.get());
    noLabel->setGeometry(165 + i * 285, 390, 80, 25);
    choices.push_back(std::make_unique<TYesNo>(yes, yesLabel, no, noLabel));
    choices.back()->SetTexts(GetText(TextId::Yes), GetText(TextId::No));
    choices.back()->SetChoice(i == 0);
  }
  const auto* fetch = TImageFetcher::Instance();
  for (int n : {UIPic::PlineUpU, UIPic::PlineUpD, UIPic::PlineDnU, UIPic::PlineDnD}) {
    auto* a = new TImage(sheet.get());
    a->setGeometry(15 + (n - UIPic::PlineUpU) * 50, 440, 40, 40);
    a->setPicture(fetch->Picture(n));
  }
  shots.Save(sheet.get(), QStringLiteral("tiles"));
}

void SharedPictures(TShots& shots) {
  QImage sheet(1150, 220, QImage::Format_RGB32);
  sheet.fill(FromWinColor(WinColour::Cream));
  QPainter p(&sheet);
  int x = 10;
  for (int n = 1; n <= UIPic::Count; ++n) {
    const QImage& img = TImageFetcher::Instance()->Picture(n);
    p.drawImage(x, 10, img);
    x += img.width() + 8;
  }
  p.end();
  shots.Save(sheet, QStringLiteral("shared_pictures"));
}

void Libraries(TShots& shots) {
  for (const bool room : {true, false}) {
    const auto pics = room ? BuiltinRoomPictures() : BuiltinDevicePictures();
    const auto names = room ? BuiltinRoomIconNames() : BuiltinDeviceIconNames();
    QImage sheet(8 * 136 + 6, 4 * 100 + 6, QImage::Format_RGB32);
    sheet.fill(FromWinColor(WinColour::Cream));
    QPainter p(&sheet);
    QFont f;
    f.setPixelSize(10);
    p.setFont(f);
    for (size_t i = 0; i < pics.size() && i < names.size(); ++i) {
      const int x = 6 + int(i % 8) * 136, y = 6 + int(i / 8) * 100;
      p.drawImage(x, y, pics[i]);
      p.drawText(QRect(x, y + 80, 130, 14), Qt::AlignCenter, names[i]);
    }
    p.end();
    shots.Save(sheet, room ? QStringLiteral("library_rooms") : QStringLiteral("library_devices"));
  }
}

void DialogArtwork(TShots& shots) {
  const std::pair<const char*, const char*> art[] = {
      {"message", Artwork::MessageBackground}, {"update", Artwork::UpdateBackground},
      {"time", Artwork::TimeBackground},       {"daydate", Artwork::DayDateBackground},
      {"action", Artwork::ActionBackground},   {"month", Artwork::MonthBackground},
      {"main", Artwork::MainBackground},       {"logo", Artwork::Logo}};
  for (const auto& [name, path] : art)
    shots.Save(QImage(QString::fromLatin1(path)), QStringLiteral("art_") + QLatin1String(name));
}

void MessageDialog(TShots& shots) {
  TfrmMeld d;
  d.Label1()->setText(GetText(TextId::Attention));
  d.Label1()->show();
  d.Label2()->setText(GetText(TextId::TheKLV820IsNotConnected));
  d.Label2()->show();
  d.btn1()->setText(GetText(TextId::Yes));
  d.btn1()->show();
  d.btn2()->setText(GetText(TextId::No));
  d.btn2()->show();
  shots.Save(&d, QStringLiteral("message_dialog"));
}

void LoadedPictures(TShots& shots) {
  // A wide and a tall picture through LoadPicture, drawn transparently on a
  // selected tile so that the transparent margins show.
  QTemporaryDir tmp;
  QImage wide(400, 150, QImage::Format_RGB888);
  QImage tall(150, 300, QImage::Format_RGB888);
  for (QImage* img : {&wide, &tall}) {
    QPainter p(img);
    QLinearGradient g(0, 0, img->width(), img->height());
    g.setColorAt(0, QColor(255, 140, 0));
    g.setColorAt(1, QColor(20, 120, 200));
    p.fillRect(img->rect(), g);
  }
  wide.save(tmp.filePath(QStringLiteral("wide.jpg")));
  tall.save(tmp.filePath(QStringLiteral("tall.bmp")));
  auto sheet = Sheet(300, 210);
  std::vector<std::unique_ptr<TTile>> tiles;
  int i = 0;
  for (const char* name : {"wide.jpg", "tall.bmp"}) {
    const auto r = TUtilities::LoadPicture(tmp.filePath(QLatin1String(name)));
    TTile* t = MakeTile(sheet.get(), 10 + i * 150, 6, TTile::Look::Item, tiles);
    t->SetSelected(true);
    t->Show(r.Picture, r.ok() ? QLatin1String(name) : r.Error, r.TransparentColour);
    ++i;
  }
  shots.Save(sheet.get(), QStringLiteral("loaded_pictures"));
}

}  // namespace

void ShootComponents(TShots& shots) {
  Buttons(shots);
  TilesAndChoices(shots);
  SharedPictures(shots);
  Libraries(shots);
  DialogArtwork(shots);
  MessageDialog(shots);
  LoadedPictures(shots);
}

// Renders every presentation component in each of its looks, the shared
// pictures, the dialog artwork and the built-in picture libraries to PNG
// files for a visual check. Folder: $KLV_GALLERY_DIR, else a temporary one
// (kept and printed).
#include <QEnterEvent>
#include <QPainter>
#include <QtTest>

#include "TestSupport.h"
#include "gui/GallerySupport.h"
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

class TstGallery : public QObject {
  Q_OBJECT
  TempWorkspace ws_;
  QString dir_;

  void save(const QImage& img, const QString& name, QSize expected) {
    SaveGalleryPicture(img, dir_, name, expected);
  }
  // A tile's controls on `sheet` at (x, y), laid out as the forms have them.
  TTile* MakeTile(QWidget* sheet, int x, int y, TTile::Look look = TTile::Look::Item) {
    const bool item = look == TTile::Look::Item;
    TTileParts p;
    p.Background = new TImage(sheet);
    p.Background->setGeometry(x, y, 130, item ? 198 : 116);
    p.Background->setTransparent(true);
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
    }
    p.Caption = new TLabel(sheet);
    p.Caption->setGeometry(x, y + (item ? 114 : 44), 130, 36);
    p.Caption->setAlignment(Qt::AlignCenter);
    p.Caption->setWordWrap(true);
    tiles_.push_back(std::make_unique<TTile>(p, look));
    return tiles_.back().get();
  }
  std::vector<std::unique_ptr<TTile>> tiles_;

  static QWidget* Sheet(int w, int h) {
    auto* s = new QWidget;
    s->resize(w, h);
    s->setAutoFillBackground(true);
    QPalette p = s->palette();
    p.setColor(QPalette::Window, FromWinColor(WinColour::Cream));
    s->setPalette(p);
    return s;
  }

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() {
    FailOnUnexpectedWarnings();
    dir_ = GalleryFolder("klv-gallery", "gallery");
  }

  void buttons() {
    std::unique_ptr<QWidget> sheet(Sheet(600, 160));
    struct Look {
      QString text;
      std::function<void(TGradBtn*)> set;
    };
    const std::vector<Look> looks = {
        {"normal", [](TGradBtn*) {}},
        {"hover",
         [](TGradBtn* b) {
           QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
           QCoreApplication::sendEvent(b, &e);
         }},
        {"pressed", [](TGradBtn* b) { b->setDown(true); }},
        {"disabled", [](TGradBtn* b) { b->setEnabled(false); }},
        {"selected", [](TGradBtn* b) { TUtilities::SetButtonSelected(b); }},
        {"sel. disabled",
         [](TGradBtn* b) {
           TUtilities::SetButtonSelected(b);
           b->setEnabled(false);
         }},
        {"stop learning", [](TGradBtn* b) { b->setColours(Qt::red, Qt::white, Qt::black); }},
        {"two\rlines", [](TGradBtn*) {}},
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
    save(sheet->grab().toImage(), QStringLiteral("buttons.png"), QSize(600, 160));
  }

  void tilesAndChoices() {
    std::unique_ptr<QWidget> sheet(Sheet(760, 520));
    const auto rooms = BuiltinRoomPictures();
    const auto devices = BuiltinDevicePictures();
    for (int i = 0; i < 4; ++i) {
      TTile* t = MakeTile(sheet.get(), 15 + i * 146, 40);
      t->SetSelected(i == 1);
      t->Show(
          i < 2 ? rooms[size_t(i)] : devices[size_t(i)],
          i == 3 ? QStringLiteral("Ceiling light over the dining table") : QStringLiteral("Tile %1").arg(i));
      if (i >= 2) t->SetLedAction(i == 2 ? 17 : 8);
    }
    auto* dots = new QWidget(sheet.get());
    dots->setGeometry(15, 8, 130, 25);
    TIndicatorHandler ind(4, [](QObject*) {});
    for (int i = 0; i < 4; ++i) {
      auto* d = new TImage(dots);
      d->setGeometry(i * 35, 0, 25, 25);
      ind.AddIndicator(d);
    }
    ind.Update(1, 9);
    for (int i = 0; i < 4; ++i) {
      TTile* s = MakeTile(sheet.get(), 15 + i * 146, 250, TTile::Look::Scene);
      s->SetSelected(i == 0);
      s->Number->setText(QString::number(i + 1));
      s->Show(QImage(), i == 0 ? QStringLiteral("Good night") : QStringLiteral("Scene %1").arg(i + 1));
    }
    for (int i = 0; i < 2; ++i) {
      auto* yesDot = new TImage(sheet.get());
      yesDot->setGeometry(15 + i * 285, 390, 25, 25);
      auto* yesLabel = new TLabel(sheet.get());
      yesLabel->setGeometry(45 + i * 285, 390, 80, 25);
      auto* noDot = new TImage(sheet.get());
      noDot->setGeometry(135 + i * 285, 390, 25, 25);
      auto* noLabel = new TLabel(sheet.get());
      noLabel->setGeometry(165 + i * 285, 390, 80, 25);
      auto* yn = new TYesNo(yesDot, yesLabel, noDot, noLabel, sheet.get());
      yn->SetTexts(QStringLiteral("yes"), QStringLiteral("no"));
      yn->SetChoice(i == 0);
    }
    const auto* fetch = TImageFetcher::Instance();
    for (int n : {UIPic::PlineUpU, UIPic::PlineUpD, UIPic::PlineDnU, UIPic::PlineDnD}) {
      auto* a = new TImage(sheet.get());
      a->setGeometry(15 + (n - UIPic::PlineUpU) * 50, 440, 40, 40);
      a->setPicture(fetch->Picture(n));
    }
    save(sheet->grab().toImage(), QStringLiteral("tiles.png"), QSize(760, 520));
  }

  void sharedPictures() {
    QImage sheet(1150, 220, QImage::Format_RGB32);
    sheet.fill(FromWinColor(WinColour::Cream));
    QPainter p(&sheet);
    int x = 10;
    for (int n = 1; n <= UIPic::Count; ++n) {
      const QImage& img = TImageFetcher::Instance()->Picture(n);
      QVERIFY(!img.isNull());
      p.drawImage(x, 10, img);
      x += img.width() + 8;
    }
    p.end();
    save(sheet, QStringLiteral("shared_pictures.png"), QSize(1150, 220));
  }

  void libraries_data() {
    QTest::addColumn<bool>("room");
    QTest::newRow("rooms") << true;
    QTest::newRow("devices") << false;
  }
  void libraries() {
    QFETCH(bool, room);
    const auto pics = room ? BuiltinRoomPictures() : BuiltinDevicePictures();
    const auto names = room ? BuiltinRoomIconNames() : BuiltinDeviceIconNames();
    QCOMPARE(pics.size(), names.size());
    QImage sheet(8 * 136 + 6, 4 * 100 + 6, QImage::Format_RGB32);
    sheet.fill(FromWinColor(WinColour::Cream));
    QPainter p(&sheet);
    QFont f;
    f.setPixelSize(10);
    p.setFont(f);
    for (size_t i = 0; i < pics.size(); ++i) {
      const int x = 6 + int(i % 8) * 136, y = 6 + int(i / 8) * 100;
      QCOMPARE(pics[i].size(), QSize(130, 80));
      p.drawImage(x, y, pics[i]);
      p.drawText(QRect(x, y + 80, 130, 14), Qt::AlignCenter, names[i]);
    }
    p.end();
    save(sheet, room ? QStringLiteral("library_rooms.png") : QStringLiteral("library_devices.png"),
         QSize(8 * 136 + 6, 4 * 100 + 6));
  }

  void dialogArtwork_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("message") << QString::fromLatin1(Artwork::MessageBackground) << QSize(480, 360);
    QTest::newRow("update") << QString::fromLatin1(Artwork::UpdateBackground) << QSize(480, 360);
    QTest::newRow("time") << QString::fromLatin1(Artwork::TimeBackground) << QSize(497, 272);
    QTest::newRow("daydate") << QString::fromLatin1(Artwork::DayDateBackground) << QSize(497, 272);
    QTest::newRow("action") << QString::fromLatin1(Artwork::ActionBackground) << QSize(352, 272);
    QTest::newRow("month") << QString::fromLatin1(Artwork::MonthBackground) << QSize(497, 409);
    QTest::newRow("main") << QString::fromLatin1(Artwork::MainBackground) << QSize(800, 600);
    QTest::newRow("logo") << QString::fromLatin1(Artwork::Logo) << QSize(130, 39);
  }
  void dialogArtwork() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage img(path);
    save(img, QStringLiteral("art_%1.png").arg(QString::fromLatin1(QTest::currentDataTag())), size);
  }

  void messageDialog() {
    TfrmMeld d;
    d.Label1()->setText(QStringLiteral("Attention!"));
    d.Label1()->show();
    d.Label2()->setText(QStringLiteral("The KLV-820 is not connected"));
    d.Label2()->show();
    d.btn1()->setText(QStringLiteral("yes"));
    d.btn1()->show();
    d.btn2()->setText(QStringLiteral("no"));
    d.btn2()->show();
    save(d.grab().toImage(), QStringLiteral("message_dialog.png"), QSize(480, 360));
  }

  void loadedPictures() {
    // A wide and a tall picture through LoadPicture, drawn transparently on a
    // selected tile so the transparent margins show.
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
    wide.save(tmp.filePath("wide.jpg"));
    tall.save(tmp.filePath("tall.bmp"));
    std::unique_ptr<QWidget> sheet(Sheet(300, 210));
    int i = 0;
    for (const char* name : {"wide.jpg", "tall.bmp"}) {
      const auto r = TUtilities::LoadPicture(tmp.filePath(QLatin1String(name)));
      QVERIFY2(r.ok(), qPrintable(r.Error));
      TTile* t = MakeTile(sheet.get(), 10 + i * 150, 6);
      t->SetSelected(true);
      t->Show(r.Picture, QLatin1String(name), r.TransparentColour);
      ++i;
    }
    save(sheet->grab().toImage(), QStringLiteral("loaded_pictures.png"), QSize(300, 210));
  }
};

QTEST_MAIN(TstGallery)
#include "tst_gallery.moc"

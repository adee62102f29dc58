// Renders the room editor and the device editor (code wheels, validation) in
// a window laid out like the main window, to PNG files for a visual check.
// Folder: $KLV_GALLERY_DIR, else a temporary one (kept and printed).
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

#include "TestSupport.h"
#include "gui/GallerySupport.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "ui_RuimteAppSelInterface.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"

namespace {

// The main window's look: background artwork, content panel at (24, 84)
// 598 x 504, button panel at (632, 84) 150 x 500.
class Window : public QWidget {
 public:
  Window() {
    resize(800, 600);
    art_ = QImage(QString::fromLatin1(Artwork::MainBackground));
    main = new TSmoothPanel(this);
    main->setGeometry(24, 84, 598, 504);
    main->setTransparentFill(true);
    main->setBorderVisible(false);
    buttons = new TSmoothPanel(this);
    buttons->setGeometry(632, 84, 150, 500);
    buttons->setTransparentFill(true);
  }
  TSmoothPanel* main;
  TSmoothPanel* buttons;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (art_.isNull())
      p.fillRect(rect(), QColor(60, 80, 100));
    else
      p.drawImage(rect(), art_);
  }

 private:
  QImage art_;
};

}  // namespace

class TstEditorScreens : public QObject {
  Q_OBJECT
  TempWorkspace ws_;
  QString dir_;

  void save(QWidget* w, const QString& name) {
    SaveGalleryPicture(w->grab().toImage(), dir_, name, QSize(800, 600));
  }

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() {
    FailOnUnexpectedWarnings();
    dir_ = GalleryFolder("klv-editor", "screens");
  }

  void roomEditor() {
    Window w;
    TRuimteAppSelHandler room(true, w.buttons, w.main);
    TLoadSave* ls = TLoadSave::Instance();
    ls->CustomRuimteImageList->Add(ls->RuimteImageList->Get(3));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    room.Edit(QStringLiteral("Living room"), 0, nullptr, -1, false, false, false);
    save(&w, QStringLiteral("editor_room.png"));
    // The second page of the library.
    QTest::mouseClick(room.Form()->ui->imgPIR2, Qt::LeftButton);
    QTest::mouseClick(room.Form()->ui->Image6, Qt::LeftButton);
    QCOMPARE(room.PictureIndex(), 13);
    save(&w, QStringLiteral("editor_room_page2.png"));
  }

  void deviceEditorWithCodeWheels() {
    Window w;
    TRuimteAppSelHandler device(false, w.buttons, w.main);
    TLoadSave::Instance()->OldModel = 1;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    device.Edit(QStringLiteral("Garden pump"), -1, nullptr, 0x3C, true, true, false);
    save(&w, QStringLiteral("editor_device_codewheel.png"));
    // OK without a picture: the preview frame turns red.
    QTest::mouseClick(device.Buttons()->ButOK(), Qt::LeftButton);
    QVERIFY(device.IsOpen());
    save(&w, QStringLiteral("editor_device_nopicture.png"));
  }

  void deviceEditorLearning() {
    Window w;
    TRuimteAppSelHandler device(false, w.buttons, w.main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    device.Edit(QStringLiteral("Reading lamp"), -1, nullptr, 12, false, false, true);
    QTest::mouseClick(device.Form()->ui->Image2, Qt::LeftButton);
    // Learning needs a box; the look of the running state is shown directly.
    device.Buttons()->SetLearnState(3);
    save(&w, QStringLiteral("editor_device_learning.png"));
  }
};

QTEST_MAIN(TstEditorScreens)
#include "tst_editor_screens.moc"

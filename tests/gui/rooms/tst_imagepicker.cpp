// The image picker: what it lists and in which order, the background
// thumbnails (camera thumbnails, unreadable files, changing folder), and the
// editor's double-click through OK or cancel to the stored library picture.
#include <QFileSystemModel>
#include <QLoggingCategory>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "TestSupport.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "gui/rooms/HomeTestSupport.h"
#include "gui/rooms/ImagePicker.h"
#include "gui/rooms/ImagePickerHandler.h"
#include "gui/rooms/PickerTestSupport.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/ThumbnailList.h"
#include "gui/widgets/ThumbnailLoader.h"
#include "ui_ImagePicker.h"
#include "ui_RuimteAppSelInterface.h"

namespace {

const QColor PhotoGreen(40, 160, 60), ThumbMagenta(220, 0, 220);

// A folder of pictures: z.bmp (a drawing), a.jpg (a camera photo whose EXIF
// thumbnail is magenta while the photo is green), m.gif, X.JPG, b.jpeg,
// bad.jpg (not a picture), and what must not be listed: y.png, .hidden.jpg,
// and sub/s.jpg.
void MakeFolder(const QString& dir) {
  QDir().mkpath(dir + QStringLiteral("/sub"));
  QVERIFY(TestDrawing(300, 200, 1).save(dir + QStringLiteral("/z.bmp")));
  QImage green(1600, 1200, QImage::Format_RGB888);
  green.fill(PhotoGreen);
  QImage magenta(160, 120, QImage::Format_RGB888);
  magenta.fill(ThumbMagenta);
  QVERIFY(
      WriteFile(dir + QStringLiteral("/a.jpg"), WithExifThumbnail(EncodeJpeg(green), EncodeJpeg(magenta))));
  QVERIFY(WriteFile(dir + QStringLiteral("/m.gif"), EncodeGif(TestDrawing(100, 60, 2))));
  QVERIFY(TestPhoto(800, 600, 3).save(dir + QStringLiteral("/X.JPG"), "JPEG"));
  QVERIFY(TestPhoto(640, 480, 4).save(dir + QStringLiteral("/b.jpeg"), "JPEG"));
  QVERIFY(WriteFile(dir + QStringLiteral("/bad.jpg"), QByteArray("this is no picture", 18)));
  QVERIFY(TestPhoto(64, 64, 5).save(dir + QStringLiteral("/y.png")));
  QVERIFY(TestPhoto(64, 64, 6).save(dir + QStringLiteral("/.hidden.jpg"), "JPEG"));
  QVERIFY(TestPhoto(64, 64, 7).save(dir + QStringLiteral("/sub/s.jpg"), "JPEG"));
}

QStringList Names(const QStringList& files) {
  QStringList n;
  for (const QString& f : files) n << QFileInfo(f).fileName();
  return n;
}

}  // namespace

class TstImagePicker : public QObject {
  Q_OBJECT

  std::unique_ptr<TempWorkspace> ws_;
  std::unique_ptr<QTemporaryDir> pics_;
  std::unique_ptr<HomeHost> host_;
  std::unique_ptr<TRuimteAppSelHandler> editor_;

  TImagePickerHandler* Picker() const { return editor_->Picker(); }
  TThumbnailList* List() const { return Picker()->Form()->ui->AdvSmoothImageListBox1; }
  TImage* LibraryImage(int k) const {
    auto* ui = editor_->Form()->ui.get();
    TImage* images[] = {ui->Image1, ui->Image2, ui->Image3, ui->Image4,
                        ui->Image5, ui->Image6, ui->Image7, ui->Image8};
    return images[k];
  }
  // The user double-clicks library picture k of the open device editor and
  // goes to the test folder (as with the drive box and tree).
  void OpenPickerOn(int k, const QString& folder) {
    QTest::mouseDClick(LibraryImage(k), Qt::LeftButton, {}, QPoint(60, 40));
    QVERIFY(Picker()->IsOpen());
    if (!folder.isEmpty()) Picker()->Form()->OpenFolder(folder);
  }
  void ClickRow(int row) {
    const QRect r = List()->visualRect(List()->model()->index(row, 0));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, r.center());
    QTRY_VERIFY(!Picker()->Form()->PreviewPending());
  }
  QString Folder() const { return pics_->path() + QStringLiteral("/pics"); }

 private slots:
  void initTestCase() {
    FailOnUnexpectedWarnings();
    // Qt's JPEG reader reports a damaged file as a warning as well as an error.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg.warning=false"));
  }

  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    pics_ = std::make_unique<QTemporaryDir>();
    // The picker starts in the pictures folder, else the home folder: here.
    qputenv("HOME", QFile::encodeName(pics_->path()));
    MakeFolder(Folder());
    host_ = std::make_unique<HomeHost>();
    editor_ = std::make_unique<TRuimteAppSelHandler>(false, host_->buttons, host_->main);
    host_->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host_->window));
    editor_->Edit(
        QStringLiteral("Lamp"), -1, [](auto&&...) {}, 3, false, false, false);
  }

  void cleanup() {
    editor_.reset();
    host_.reset();
    pics_.reset();
    ws_.reset();
  }

  void listsPictureFilesByMaskThenName_thumbnailsFollow() {
    QCOMPARE(Names(TPickerForm::PictureFiles(Folder())),
             (QStringList{"z.bmp", "a.jpg", "b.jpeg", "bad.jpg", "X.JPG", "m.gif"}));
    QVERIFY(Picker()->Form() == nullptr);  // built on first use
    OpenPickerOn(5, Folder());
    TThumbnailList* list = List();
    QCOMPARE(list->Count(), 6);
    QCOMPARE(list->CurrentRow(), 0);
    QCOMPARE(QFileInfo(Picker()->Form()->ChosenFile()).fileName(), QStringLiteral("z.bmp"));
    QTRY_VERIFY(!Picker()->Form()->ui->imageSelected->picture().isNull());

    QTRY_VERIFY(list->AllLoaded());
    for (int row : {0, 1, 2, 4, 5}) QCOMPARE(list->StateOf(row), TThumbnailList::State::Shown);
    QCOMPARE(list->StateOf(3), TThumbnailList::State::Broken);  // bad.jpg, quietly
    // Never enlarged: the 100 x 60 GIF stays 100 x 60; the photos are fitted.
    QCOMPARE(list->Thumbnail(5).size(), QSize(100, 60));
    QCOMPARE(list->Thumbnail(0).size(), QSize(120, 80));
    QCOMPARE(list->Thumbnail(4).size(), QSize(107, 80));
    // The camera's thumbnail stands in for the photo in the list; the
    // preview reads the photo itself.
    QCOMPARE(list->Thumbnail(1).pixelColor(50, 40), ThumbMagenta);
    ClickRow(1);
    const QImage preview = Picker()->Form()->ui->imageSelected->picture();
    QVERIFY(qAbs(preview.pixelColor(65, 40).green() - PhotoGreen.green()) < 8);
    // The broken file previews as nothing.
    ClickRow(3);
    QVERIFY(Picker()->Form()->ui->imageSelected->picture().isNull());

    // The same folder again: unchanged files keep their thumbnails at once;
    // a file written since is made anew.
    QVERIFY(WriteFile(Folder() + QStringLiteral("/b.jpeg"), EncodeJpeg(TestPhoto(320, 320, 9))));
    Picker()->Form()->OpenFolder(Folder());
    QCOMPARE(list->StateOf(4), TThumbnailList::State::Shown);
    QCOMPARE(list->StateOf(3), TThumbnailList::State::Broken);
    QCOMPARE(list->StateOf(2), TThumbnailList::State::Pending);
    QTRY_VERIFY(list->AllLoaded());
    QCOMPARE(list->Thumbnail(2).size(), QSize(80, 80));

    // Another folder replaces the list; nothing of the first arrives late.
    Picker()->Form()->OpenFolder(Folder() + QStringLiteral("/sub"));
    QCOMPARE(Names(list->Files()), QStringList{"s.jpg"});
    QTRY_VERIFY(list->AllLoaded());
    QCOMPARE(list->Count(), 1);
  }

  void loaderDropsCancelledBatches() {
    TThumbnailLoader loader(QSize(130, 80));
    const QStringList first = TPickerForm::PictureFiles(Folder());
    const QStringList second{Folder() + QStringLiteral("/sub/s.jpg"), Folder() + QStringLiteral("/z.bmp")};
    QList<int> batches, rows;
    connect(&loader, &TThumbnailLoader::ready, this, [&](int b, int row, const QImage&) {
      batches << b;
      rows << row;
    });
    QSignalSpy done(&loader, &TThumbnailLoader::finished);
    loader.Start(first);
    const int b = loader.Start(second);
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(0).toInt(), b);
    QCOMPARE(batches, (QList<int>{b, b}));
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, (QList<int>{0, 1}));
    QCOMPARE(TThumbnailLoader::Fitted(QSize(4000, 3000), QSize(130, 80)), QSize(107, 80));
    QCOMPARE(TThumbnailLoader::Fitted(QSize(50, 30), QSize(130, 80)), QSize(50, 30));
  }

  void cancelAndVanishedFileChangeNothing_folderAndFileRemembered() {
    TImageList* library = TLoadSave::Instance()->AppImageList.get();
    const QImage before = library->Get(5);
    OpenPickerOn(5, Folder());
    ClickRow(4);  // X.JPG
    QTest::mouseClick(Picker()->Buttons()->ButExit(), Qt::LeftButton);
    QVERIFY(!Picker()->IsOpen());
    QVERIFY(editor_->IsOpen());
    QCOMPARE(library->Get(5), before);

    // The tree leads into sub/ and back out; the next Pick opens there.
    OpenPickerOn(5, QString());
    QCOMPARE(QFileInfo(Picker()->Form()->ChosenFile()).fileName(), QStringLiteral("X.JPG"));
    QCOMPARE(List()->CurrentRow(), 4);
    QTreeView* tree = Picker()->Form()->ui->DirectoryListBox1;
    auto* dirs = static_cast<QFileSystemModel*>(tree->model());
    tree->setCurrentIndex(dirs->index(Folder() + QStringLiteral("/sub")));
    QCOMPARE(Names(List()->Files()), QStringList{"s.jpg"});
    QTest::mouseClick(Picker()->Buttons()->ButExit(), Qt::LeftButton);
    OpenPickerOn(5, QString());
    QCOMPARE(Picker()->Form()->Folder(), Folder() + QStringLiteral("/sub"));
    QCOMPARE(List()->CurrentRow(), 0);

    // The chosen file is deleted before OK: the picker closes, nothing changes.
    QVERIFY(QFile::remove(Folder() + QStringLiteral("/sub/s.jpg")));
    QTest::mouseClick(Picker()->Buttons()->ButOK(), Qt::LeftButton);
    QVERIFY(!Picker()->IsOpen());
    QCOMPARE(library->Get(5), before);
    // An unreadable file changes nothing either.
    OpenPickerOn(5, Folder());
    ClickRow(3);
    QTest::mouseClick(Picker()->Buttons()->ButOK(), Qt::LeftButton);
    QCOMPARE(library->Get(5), before);
  }

  void okStoresTheFittedPicture_whichSurvivesSaveAndLoad() {
    // A blank position of the last library page opens nothing, even with
    // another picture picked.
    TImageList* library = TLoadSave::Instance()->AppImageList.get();
    const QImage first = library->Get(0);
    library->Clear();
    for (int i = 0; i < 30; ++i) library->Add(first);
    editor_->Edit(
        QStringLiteral("Lamp"), -1, [](auto&&...) {}, 3, false, false, false);
    QTest::mouseClick(editor_->Form()->ui->imgPIR4, Qt::LeftButton);
    QTest::mouseClick(LibraryImage(0), Qt::LeftButton, {}, QPoint(60, 40));
    QCOMPARE(editor_->PictureIndex(), 24);
    QTest::mouseDClick(LibraryImage(7), Qt::LeftButton, {}, QPoint(60, 40));
    QVERIFY(!Picker()->IsOpen());
    QTest::mouseClick(editor_->Form()->ui->imgPIR1, Qt::LeftButton);

    OpenPickerOn(6, Folder());
    ClickRow(4);  // X.JPG, 800 x 600: 107 x 80 with transparent bands
    QVERIFY(editor_->Form()->ui->AdvSmoothPanel1->isVisibleTo(host_->main));
    QTest::mouseClick(Picker()->Buttons()->ButOK(), Qt::LeftButton);
    QVERIFY(!Picker()->IsOpen());
    QVERIFY(editor_->IsOpen());
    QVERIFY(editor_->Buttons()->ButOK()->isVisible());

    const TLoadedPicture expected = TUtilities::LoadPicture(Folder() + QStringLiteral("/X.JPG"));
    QCOMPARE(library->Get(6), expected.Picture);
    QCOMPARE(library->MaskColour(6), std::optional<QRgb>(expected.TransparentColour));
    QCOMPARE(editor_->PictureIndex(), 6);
    // The bands stay see-through in the editor's preview.
    QCOMPARE(editor_->Form()->ui->imageSelected->picture().pixelColor(2, 40).alpha(), 0);

    TLoadSave::Instance()->Save();
    TLoadSave::Release();
    library = TLoadSave::Instance()->AppImageList.get();
    QCOMPARE(library->Get(6), expected.Picture);
    QCOMPARE(library->MaskColour(6), std::optional<QRgb>(expected.TransparentColour));
  }
};

QTEST_MAIN(TstImagePicker)
#include "tst_imagepicker.moc"

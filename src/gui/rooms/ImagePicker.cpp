#include "gui/rooms/ImagePicker.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPointer>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QThreadPool>
#include <QTreeView>

#include "core/shell/Language.h"
#include "gui/common/TileCaption.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "gui/widgets/ThumbnailList.h"
#include "ui_ImagePicker.h"

namespace {

bool Inside(const QString& folder, const QString& root) {
  if (folder == root) return true;
  return folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
}

QString Clean(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

#ifndef Q_OS_WIN
// Volumes of the system itself or of no files at all.
bool SystemVolume(const QStorageInfo& v) {
  static const QByteArray pseudo[] = {"tmpfs",  "devtmpfs", "proc",    "sysfs", "overlay",  "squashfs",
                                      "devpts", "cgroup",   "cgroup2", "ramfs", "efivarfs", "autofs"};
  for (const QByteArray& t : pseudo)
    if (v.fileSystemType() == t) return true;
  const QString root = v.rootPath();
  for (const char* sys : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var", "/tmp", "/etc", "/usr"})
    if (Inside(root, QLatin1String(sys))) return !root.startsWith(QLatin1String("/run/media/"));
  return false;
}
#endif

}  // namespace

TPickerForm::TPickerForm(QWidget* parent) : QWidget(parent), ui(new Ui::TPickerForm) {
  ui->setupUi(this);
  ui->imgTileBack->setPicture(TImageFetcher::Instance()->Picture(UIPic::NotSelected));
  QFont caption = ui->LR1->font();
  caption.setPixelSize(16);
  ui->LR1->setFont(caption);
  ui->DriveComboBox1->setAccessibleName(GetText(MoreTextId::Drive));
  ui->DirectoryListBox1->setAccessibleName(GetText(MoreTextId::Folder));
  ui->AdvSmoothImageListBox1->setAccessibleName(GetText(MoreTextId::Pictures));
  ui->imageSelected->setAccessibleName(GetText(MoreTextId::Preview));
  ui->pnlList->setBorderVisible(false);


  dirs_ = new QFileSystemModel(this);
  dirs_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  dirs_->setReadOnly(true);
  QTreeView* tree = ui->DirectoryListBox1;
  tree->setModel(dirs_);
  for (int c = 1; c < dirs_->columnCount(); ++c) tree->hideColumn(c);
  tree->setHeaderHidden(true);
  tree->setIndentation(14);
  tree->setUniformRowHeights(true);
  QPalette pal = tree->palette();  // the chosen folder in the program's selected colours
  pal.setColor(QPalette::Highlight, FromWinColor(WinColour::Selected));
  pal.setColor(QPalette::HighlightedText, Qt::white);
  tree->setPalette(pal);

  connect(ui->DriveComboBox1, &QComboBox::activated, this, [this](int i) { PlaceChosen(i); });
  connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
    if (syncing_ || !i.isValid()) return;
    folder_ = dirs_->filePath(i);
    FillList(QString());
  });
  connect(ui->AdvSmoothImageListBox1, &TThumbnailList::itemSelected, this,
          [this](const QString& f) { ItemSelected(f); });
}

TPickerForm::~TPickerForm() { delete ui; }

std::vector<TPickerForm::Place> TPickerForm::Places() {
  std::vector<Place> places;
  auto add = [&](const QString& label, const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir()) return;
    const QString clean = Clean(path);
    for (const Place& p : places)
      if (p.path == clean) return;
    places.push_back(Place{label, clean});
  };
#ifdef Q_OS_WIN
  for (const QFileInfo& d : QDir::drives())
    add(QDir::toNativeSeparators(d.absolutePath()).left(2), d.absolutePath());
#else
  const QString home = Clean(QDir::homePath());
  auto tilde = [&](const QString& path) {
    const QString c = Clean(path);
    return Inside(c, home) && home != QLatin1String("/") ? QLatin1Char('~') + c.mid(home.size()) : c;
  };
  add(tilde(home), home);
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  add(tilde(pictures), pictures);
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady() || SystemVolume(v)) continue;
    const QString root = v.rootPath();
    const QString name = v.displayName();
    add(name.isEmpty() || name == root ? root : name + QStringLiteral(" (") + root + QLatin1Char(')'), root);
  }
#endif
  return places;
}

QString TPickerForm::StartFolder() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return Clean(!pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath());
}

QStringList TPickerForm::PictureFiles(const QString& folder) {
  const QDir dir(folder);
  QStringList files;
  // Windows matches "*.jpg" against short names too, so it lists .jpeg files
  // with the .jpg ones; here both masks make one group.
  for (const QStringList& masks :
       {QStringList{QStringLiteral("*.bmp")}, QStringList{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")},
        QStringList{QStringLiteral("*.gif")}}) {
    for (const QFileInfo& f : dir.entryInfoList(masks, QDir::Files, QDir::Name | QDir::IgnoreCase))
      files << f.absoluteFilePath();
  }
  return files;
}

void TPickerForm::OpenFolder(const QString& folder, const QString& file) {
  QString f = folder.isEmpty() ? StartFolder() : Clean(folder);
  while (!QFileInfo(f).isDir() && QFileInfo(f).dir().path() != f) f = QFileInfo(f).dir().path();
  if (!QFileInfo(f).isDir()) f = StartFolder();
  folder_ = f;
  // Volumes come and go between uses.
  ui->DriveComboBox1->clear();
  for (const Place& p : Places()) ui->DriveComboBox1->addItem(p.label, p.path);
  ShowInTree(f);
  FillList(file);
}

void TPickerForm::PlaceChosen(int index) {
  const QString path = ui->DriveComboBox1->itemData(index).toString();
  if (path.isEmpty()) return;
  folder_ = path;
  ShowInTree(path);
  FillList(QString());
}

// Roots the tree at the place holding `folder` (the deepest one) and selects
// the folder in it.
void TPickerForm::ShowInTree(const QString& folder) {
  syncing_ = true;
  QComboBox* box = ui->DriveComboBox1;
  int best = -1;
  for (int i = 0; i < box->count(); ++i) {
    const QString p = box->itemData(i).toString();
    if (Inside(folder, p) && (best < 0 || p.size() > box->itemData(best).toString().size())) best = i;
  }
  if (best < 0) {
    // Somewhere no place covers: offer the folder's file system root.
    const QString root =
        Clean(QStorageInfo(folder).rootPath().isEmpty() ? QDir::rootPath() : QStorageInfo(folder).rootPath());
    box->addItem(root, root);
    best = box->count() - 1;
  }
  box->setCurrentIndex(best);
  const QString root = box->itemData(best).toString();

  QTreeView* tree = ui->DirectoryListBox1;
  dirs_->setRootPath(root);
  tree->setRootIndex(dirs_->index(root));
  if (folder == root) {
    tree->selectionModel()->clear();
  } else {
    const QModelIndex at = dirs_->index(folder);
    for (QModelIndex p = at.parent(); p.isValid() && p != tree->rootIndex(); p = p.parent()) tree->expand(p);
    tree->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    tree->scrollTo(at);
  }
  const QString name = QDir(folder).dirName();
  ui->pnlFolders->setCaption(name.isEmpty() || folder == root ? box->currentText() : name);
  ui->pnlFolders->setToolTip(QDir::toNativeSeparators(folder));
  syncing_ = false;
}

void TPickerForm::FillList(const QString& select) {
  TThumbnailList* list = ui->AdvSmoothImageListBox1;
  const QString name = QDir(folder_).dirName();
  if (!syncing_) {
    ui->pnlFolders->setCaption(name.isEmpty() ? folder_ : name);
    ui->pnlFolders->setToolTip(QDir::toNativeSeparators(folder_));
  }
  const QStringList files = PictureFiles(folder_);
  list->SetFiles(files);
  chosenFile_.clear();
  ++previewRequest_;
  previewPending_ = false;
  ui->imageSelected->clear();
  ui->LR1->clear();
  if (files.isEmpty()) return;
  const int at = select.isEmpty() ? 0 : std::max(0, int(files.indexOf(Clean(select))));
  list->SelectRow(at);
}

// The picture loader reads the whole file (tens of milliseconds for a camera
// photo), so the preview is made off the interface thread; quick key presses
// through the list show only the last one.
void TPickerForm::ItemSelected(const QString& file) {
  chosenFile_ = file;
  const int request = ++previewRequest_;
  previewPending_ = true;
  ui->LR1->setFontColor(Qt::black);
  SetTileCaption(ui->LR1, QFileInfo(file).fileName());
  QPointer<TPickerForm> self(this);
  QThreadPool::globalInstance()->start([self, request, file] {
    const TLoadedPicture p = TUtilities::LoadPicture(file);
    QMetaObject::invokeMethod(
        qApp,
        [self, request, p] {
          if (self) self->ShowPreview(request, p);
        },
        Qt::QueuedConnection);
  });
}

void TPickerForm::ShowPreview(int request, const TLoadedPicture& p) {
  if (request != previewRequest_) return;
  previewPending_ = false;
  if (p.ok())
    ui->imageSelected->setPicture(p.Picture, p.TransparentColour);
  else
    ui->imageSelected->clear();
  if (!p.ok()) ui->LR1->setFontColor(QColor(150, 20, 20));
  ui->imageSelected->setToolTip(p.ok() ? QString() : p.Error);
}

#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "gui/shell/Utilities.h"

class QFileSystemModel;
namespace Ui {
class TPickerForm;
}

// The form of the image picker: imagePickPanel (598 x 504) with the drive box
// (DriveComboBox1) over the folder tree (DirectoryListBox1) at the top left,
// the preview (pnlSelected: imageSelected over LR1, laid out like the
// editor's) below them and the thumbnail list (AdvSmoothImageListBox1) on the
// right. Choosing a folder fills the list; selecting an item previews its
// file through the program's picture loader and makes it the chosen file.
class TPickerForm : public QWidget {
  Q_OBJECT
 public:
  explicit TPickerForm(QWidget* parent = nullptr);
  ~TPickerForm() override;

  Ui::TPickerForm* ui;

  // A starting point of the drive box.
  struct Place {
    QString label;
    QString path;  // absolute, '/' separators
  };
  // Windows: the drives. Elsewhere: the home folder, the pictures folder and
  // the mounted volumes a user keeps files on (no system or pseudo file
  // systems), without repeats.
  static std::vector<Place> Places();
  // The pictures folder when there is one, else the home folder.
  static QString StartFolder();

  // The picture files of `folder` (not its sub-folders) in list order: every
  // *.bmp, then every *.jpg and *.jpeg, then every *.gif, each group by name.
  // Masks match regardless of case (IMG_0001.JPG); hidden files are left out.
  static QStringList PictureFiles(const QString& folder);

  // Shows `folder` (or, when it is gone, its nearest existing parent, else
  // the start folder) in the drive box and the tree, fills the list and
  // selects `file` when listed, else the first item.
  void OpenFolder(const QString& folder, const QString& file = QString());
  QString Folder() const { return folder_; }
  // The file of the last selected item; empty when the list is empty.
  QString ChosenFile() const { return chosenFile_; }
  // The preview of the chosen file is being loaded (in the background).
  bool PreviewPending() const { return previewPending_; }

 private:
  void FillList(const QString& select);
  void ItemSelected(const QString& file);
  void ShowPreview(int request, const TLoadedPicture& picture);
  void PlaceChosen(int index);
  void ShowInTree(const QString& folder);

  QFileSystemModel* dirs_;
  QString folder_;
  QString chosenFile_;
  bool syncing_ = false;    // the form itself moves the drive box or the tree
  int previewRequest_ = 0;  // only the latest selection's preview is shown
  bool previewPending_ = false;
};

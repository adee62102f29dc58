#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "gui/shell/Utilities.h"

class QWidget;
class TContentScreen;
class TPickerForm;
class TRuimteAppSelButHandler;

// The image picker: lets the user replace a library picture with a picture
// file of their own. Shows a drive box, a folder tree, the thumbnails of the
// picture files of the chosen folder and a preview of the chosen file; OK
// hands the file, fitted into 130 x 80 by TUtilities::LoadPicture, to the
// callback given to Pick. Its button column has only "cancel" and "OK".
//
// One picker per editor, made with it; its form is built on the first Pick.
// The folder and the chosen file are kept from one Pick to the next.
class TImagePickerHandler : public QObject {
  Q_OBJECT
 public:
  using Callback = std::function<void(const TLoadedPicture& picture)>;

  // The picker panel goes on mainPanel, the column on buttonPanel.
  TImagePickerHandler(QWidget* mainPanel, QWidget* buttonPanel);
  ~TImagePickerHandler() override;

  // Opens the picker with `current` (the picture to be replaced) in the
  // preview, on the folder and file last used (at first the pictures
  // folder). The folder is listed anew, and its chosen file, when there is
  // one, takes the preview: the preview always shows what OK would give.
  // `callback` is called at most once, on OK with a readable file.
  void Pick(const QImage& current, Callback callback);

  // OK: closes; when the chosen file still exists and can be read, calls
  // the callback with it. Otherwise nothing is reported.
  void OK();
  // Closes; nothing is reported.
  void Cancel();

  bool IsOpen() const;
  QString Folder() const { return folder_; }
  QString ChosenFile() const { return file_; }
  // Null until the first Pick.
  TPickerForm* Form() const { return form_; }
  TRuimteAppSelButHandler* Buttons() const { return buttons_.get(); }

 private:
  void Close();

  TPickerForm* form_ = nullptr;  // owned by screen_
  QWidget* mainPanel_;
  Callback callback_;
  std::unique_ptr<TRuimteAppSelButHandler> buttons_;
  std::unique_ptr<TContentScreen> screen_;
  QString folder_;
  QString file_;
};

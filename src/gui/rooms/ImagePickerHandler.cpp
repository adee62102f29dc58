#include "gui/rooms/ImagePickerHandler.h"

#include <QFileInfo>

#include "gui/common/ContentScreen.h"
#include "gui/rooms/ImagePicker.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/ThumbnailLoader.h"
#include "ui_ImagePicker.h"

TImagePickerHandler::TImagePickerHandler(QWidget* mainPanel, QWidget* buttonPanel) : mainPanel_(mainPanel) {
  buttons_ = std::make_unique<TRuimteAppSelButHandler>(buttonPanel);
  buttons_->Bind(buttons_->ButExit(), [this] { Cancel(); });
  buttons_->Bind(buttons_->ButOK(), [this] { OK(); });
}

TImagePickerHandler::~TImagePickerHandler() = default;

void TImagePickerHandler::Pick(const QImage& current, Callback callback) {
  if (!screen_) {
    auto form = std::make_unique<TPickerForm>();
    form_ = form.get();
    TSmoothPanel* panel = form_->ui->imagePickPanel;
    screen_ = std::make_unique<TContentScreen>(mainPanel_, std::move(form), panel);
  }
  callback_ = std::move(callback);
  form_->ui->imageSelected->setPicture(current);
  screen_->Show();
  buttons_->Show();
  form_->OpenFolder(folder_, file_);
  folder_ = form_->Folder();
  form_->ui->AdvSmoothImageListBox1->setFocus();
}

bool TImagePickerHandler::IsOpen() const { return screen_ && screen_->IsShown(); }

void TImagePickerHandler::Close() {
  if (screen_) screen_->Hide();
  buttons_->Hide();
  if (!form_) return;
  // Kept for the next Pick; the thumbnails still being made are not needed.
  folder_ = form_->Folder();
  file_ = form_->ChosenFile();
  form_->ui->AdvSmoothImageListBox1->Loader()->Cancel();
}

void TImagePickerHandler::OK() {
  const Callback callback = std::exchange(callback_, nullptr);
  Close();
  if (!callback || file_.isEmpty() || !QFileInfo(file_).isFile()) return;
  const TLoadedPicture picture = TUtilities::LoadPicture(file_);
  if (picture.ok()) callback(picture);
}

void TImagePickerHandler::Cancel() {
  callback_ = nullptr;
  Close();
}

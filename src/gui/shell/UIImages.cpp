#include "gui/shell/UIImages.h"

#include "gui/widgets/Artwork.h"
#include "gui/widgets/ImageControl.h"

namespace {

// In picture-number order, as TfrmUIImages::All.
constexpr const char* kNames[UIPic::Count] = {
    "imgSelected",      "imgNotSelected", "imgPIsel",     "imgPINotSel",   "imgPIDisabled",
    "imgLedsNone",      "imgLedsRed",     "imgLedsGreen", "imgLedsYellow", "imgSceneNotSelected",
    "imgSceneSelected", "imgPlineUpU",    "imgPlineUpD",  "imgPlineDnU",   "imgPlineDnD"};

QString ArtPath(const char* name) { return QStringLiteral(":/art/%1.png").arg(QLatin1String(name)); }

// The start-up artwork is baked into the program (ReadResourcePicture): read
// in place, premultiplied where it has alpha, so the image controls share it.
QImage Art(const char* name) { return ReadResourcePicture(ArtPath(name)); }

// Artwork of the shared pictures, one PNG per control (same name).
TImage* MakeImage(QWidget* form, const char* name, int w, int h, bool transparent) {
  auto* img = new TImage(form);
  img->setObjectName(QLatin1String(name));
  img->resize(w, h);
  img->setTransparent(transparent);
  img->setPicture(Art(name));
  return img;
}

}  // namespace

TfrmUIImages::TfrmUIImages(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmUIImages"));
  imgSelected = MakeImage(this, "imgSelected", 130, 198, true);
  imgNotSelected = MakeImage(this, "imgNotSelected", 130, 198, true);
  imgPIsel = MakeImage(this, "imgPIsel", 25, 25, true);
  imgPINotSel = MakeImage(this, "imgPINotSel", 25, 25, true);
  imgPIDisabled = MakeImage(this, "imgPIDisabled", 25, 25, true);
  imgLedsNone = MakeImage(this, "imgLedsNone", 64, 16, true);
  imgLedsRed = MakeImage(this, "imgLedsRed", 64, 16, true);
  imgLedsGreen = MakeImage(this, "imgLedsGreen", 64, 16, true);
  imgLedsYellow = MakeImage(this, "imgLedsYellow", 64, 16, true);
  imgSceneNotSelected = MakeImage(this, "imgSceneNotSelected", 130, 116, true);
  imgSceneSelected = MakeImage(this, "imgSceneSelected", 130, 116, true);
  imgPlineUpU = MakeImage(this, "imgPlineUpU", 40, 40, false);
  imgPlineUpD = MakeImage(this, "imgPlineUpD", 40, 40, false);
  imgPlineDnU = MakeImage(this, "imgPlineDnU", 40, 40, false);
  imgPlineDnD = MakeImage(this, "imgPlineDnD", 40, 40, false);
}

std::array<TImage*, UIPic::Count> TfrmUIImages::All() const {
  return {imgSelected,      imgNotSelected, imgPIsel,     imgPINotSel,   imgPIDisabled,
          imgLedsNone,      imgLedsRed,     imgLedsGreen, imgLedsYellow, imgSceneNotSelected,
          imgSceneSelected, imgPlineUpU,    imgPlineUpD,  imgPlineDnU,   imgPlineDnD};
}

TImageFetcher* TImageFetcher::Instance() {
  static TImageFetcher* instance = new TImageFetcher();  // lives until the program ends
  return instance;
}

TImageFetcher::TImageFetcher() {
  // The form is only a carrier of the pictures; it is never shown and is
  // dropped once they are copied.
  TfrmUIImages form;
  const auto all = form.All();
  for (int i = 0; i < UIPic::Count; ++i) {
    const TImage* img = all[size_t(i)];
    // Kept in the form the image controls draw, so that they share these
    // pixels instead of converting a copy each.
    pictures_[size_t(i)] =
        img->transparent() ? img->drawnPicture() : img->picture().convertToFormat(QImage::Format_RGB888);
  }
}

const QImage& TImageFetcher::Picture(int n) const {
  static const QImage none;
  if (n < 1 || n > UIPic::Count) return none;
  return pictures_[size_t(n - 1)];
}

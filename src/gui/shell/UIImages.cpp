#include "gui/shell/UIImages.h"

#include <cstring>
#include <future>
#include <memory>
#include <utility>

#include "gui/widgets/Artwork.h"
#include "gui/widgets/ImageControl.h"

namespace {

// In picture-number order, as TfrmUIImages::All.
constexpr const char* kNames[UIPic::Count] = {
    "imgSelected",      "imgNotSelected", "imgPIsel",     "imgPINotSel",   "imgPIDisabled",
    "imgLedsNone",      "imgLedsRed",     "imgLedsGreen", "imgLedsYellow", "imgSceneNotSelected",
    "imgSceneSelected", "imgPlineUpU",    "imgPlineUpD",  "imgPlineDnU",   "imgPlineDnD"};

QString ArtPath(const char* name) { return QStringLiteral(":/art/%1.png").arg(QLatin1String(name)); }

std::future<std::array<QImage, UIPic::Count>>& Prefetched() {
  static std::future<std::array<QImage, UIPic::Count>> pictures;
  return pictures;
}

// The prefetched artwork; each picture is handed out once, then read anew.
std::array<QImage, UIPic::Count>& Taken() {
  static std::array<QImage, UIPic::Count> pictures;
  return pictures;
}

QImage Art(const char* name) {
  if (Prefetched().valid()) Taken() = Prefetched().get();
  for (int i = 0; i < UIPic::Count; ++i)
    if (!Taken()[size_t(i)].isNull() && std::strcmp(kNames[i], name) == 0)
      return std::exchange(Taken()[size_t(i)], QImage());
  return ReadResourcePicture(ArtPath(name));
}

// Artwork of the shared pictures, one PNG per control (same name).
TImage* MakeImage(QWidget* form, const char* name, int w, int h, bool transparent) {
  auto* img = new TImage(form);
  img->setObjectName(QLatin1String(name));
  img->resize(w, h);
  img->setTransparent(transparent);
  img->setPicture(Art(name));
  return img;
}

bool g_fetched = false;  // the fetcher exists: no prefetch is wanted any more

}  // namespace

bool TImageFetcher::Prefetch(std::function<void()> then) {
  if (g_fetched || Prefetched().valid()) return false;
  auto handOver = std::make_shared<std::promise<std::array<QImage, UIPic::Count>>>();
  Prefetched() = handOver->get_future();
  // Ends with the program at the latest (the future of std::async waits).
  static std::future<void> worker;
  worker = std::async(std::launch::async, [handOver, then = std::move(then)] {
    std::array<QImage, UIPic::Count> pictures;
    for (int i = 0; i < UIPic::Count; ++i) {
      QImage& picture = pictures[size_t(i)];
      picture = ReadResourcePicture(ArtPath(kNames[i]));
      // Converted here to the form TImage draws (which then shares the
      // pixels) rather than on the GUI thread.
      if (picture.hasAlphaChannel()) picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    handOver->set_value(std::move(pictures));
    if (then) then();
  });
  return true;
}

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
  g_fetched = true;
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

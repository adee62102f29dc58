#pragma once

#include <QImage>
#include <QWidget>
#include <array>

class TImage;

// Numbers of the shared pictures (TImageFetcher::Picture).
namespace UIPic {
constexpr int Selected = 1;     // 130 x 198 tile background, selected
constexpr int NotSelected = 2;  // 130 x 198 tile background
constexpr int PISel = 3;        // 25 x 25 page dot of the shown page / chosen yes-no side
constexpr int PINotSel = 4;     // 25 x 25 page dot of another page
constexpr int PIDisabled = 5;   // 25 x 25 unavailable page / other yes-no side
constexpr int LedsNone = 6;     // 64 x 16 LED strips
constexpr int LedsRed = 7;
constexpr int LedsGreen = 8;
constexpr int LedsYellow = 9;
constexpr int SceneNotSelected = 10;  // 130 x 116 scene tile backgrounds
constexpr int SceneSelected = 11;
constexpr int PlineUpU = 12;  // 40 x 40 arrows, released / pressed
constexpr int PlineUpD = 13;
constexpr int PlineDnU = 14;
constexpr int PlineDnD = 15;
constexpr int Count = 15;
}  // namespace UIPic

// The hidden form that holds the shared pictures; never shown.
class TfrmUIImages : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmUIImages(QWidget* parent = nullptr);
  TImage *imgSelected, *imgNotSelected, *imgPIsel, *imgPINotSel, *imgPIDisabled, *imgLedsNone, *imgLedsRed,
      *imgLedsGreen, *imgLedsYellow, *imgSceneNotSelected, *imgSceneSelected, *imgPlineUpU, *imgPlineUpD,
      *imgPlineDnU, *imgPlineDnD;
  // In picture-number order (index 0 is picture 1).
  std::array<TImage*, UIPic::Count> All() const;
};

// The shared pictures 1..15, taken once from TfrmUIImages. Pictures drawn
// transparent on the form (all but the arrows) come as
// ARGB32_Premultiplied (as TImage draws them) with their transparent parts at
// alpha 0; the arrows as RGB888.
class TImageFetcher {
 public:
  static TImageFetcher* Instance();
  // Picture n (1..15); a null image for any other n.
  const QImage& Picture(int n) const;

 private:
  TImageFetcher();
  std::array<QImage, UIPic::Count> pictures_;
};

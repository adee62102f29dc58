#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QWidget;
class TGradBtn;
class TImage;

// The result of TUtilities::LoadPicture.
struct TLoadedPicture {
  QImage Picture;              // 130 x 80, Format_RGB888; null when Error is set
  QRgb TransparentColour = 0;  // 0x00RRGGBB: margins and pixel (0, 79) have it
  QString Error;               // empty on success, else a message for the user
  bool ok() const { return Error.isEmpty(); }
};

// Helpers every screen shares. No state.
class TUtilities {
 public:
  // The Tag of a label or image control (TLabel, TImage or any QLabel with a
  // "Tag" property; 0 when it has none); -1 for any other object or null.
  static int SenderTag(const QObject* control);

  // Gives every TGradBtn below `form` the rounded outline (1, 1)..(w, h) with
  // 20 x 20 corner ellipses.
  static void RoundButtons(QWidget* form);

  // Selected look: white text, both gradient colours RGB (26, 32, 11).
  static void SetButtonSelected(TGradBtn* button);
  // Normal look: black text, gradient RGB (128, 128, 128) to white.
  static void SetButtonNormal(TGradBtn* button);

  // Reads a .bmp, .jpg/.jpeg or .gif file (chosen by extension, case
  // ignored) and fits it into a 130 x 80 picture keeping its proportions:
  // the wider side fills the box, the other is centred (sizes and offsets
  // rounded half to even). The margins are filled with a colour the fitted
  // picture does not use, which is also written at (0, 79) and returned as
  // TransparentColour. Fails with Error set (never throws) for a missing or
  // unreadable file, another extension, a corrupt picture, width or height 0,
  // or more than 100 megapixels.
  static TLoadedPicture LoadPicture(const QString& fileName);

  // The first colour, searching blue, then green, then red from 0 upward,
  // that no pixel of `picture` has; returned as 0x00RRGGBB, or -1 when all
  // 16777216 colours occur. The picture must be 24 bits per pixel
  // (Format_RGB888 or Format_BGR888); otherwise throws std::invalid_argument
  // with the message "Intented only for 24bit bitmaps".
  static int UnusedColour(const QImage& picture);

  // True when the box is connected; otherwise tells the user ("Attention!",
  // "The KLV-820 is not connected", "OK") and returns false.
  static bool CheckConnected();
  // False (after telling the user "Device has no code") for code -1; true
  // for any other code, 0 included.
  static bool CheckCode(int code);

  // index mod 4, the remainder taking the sign of index.
  static int PagePosition(int index) { return index % 4; }

  // Largest picture LoadPicture accepts, in pixels.
  static constexpr qint64 MaxPicturePixels = 100'000'000;
};

// One page dot.
class TIndicatorUI {
 public:
  explicit TIndicatorUI(TImage* image) : Image(image) {}
  TImage* Image;
  bool Clickable = false;  // the dot's click reaches OnClick
};

// The row of page dots under a row of tiles. Dot i carries Tag i; clicks on
// an available dot call OnClick with the dot's image.
class TIndicatorHandler : public QObject {
  Q_OBJECT
 public:
  using ClickHandler = std::function<void(QObject* sender)>;
  TIndicatorHandler(int itemsPerPage, ClickHandler onClick, QObject* parent = nullptr);
  ~TIndicatorHandler() override;

  // Adds a dot (at most four; further calls are ignored).
  void AddIndicator(TImage* image);
  // Dot i is available when ItemsPerPage * i <= itemCount: it then shows
  // picture 3 (i = page) or 4 and is clickable; otherwise picture 5 and
  // ignores clicks. Then CurrentPage = page.
  void Update(int page, int itemCount);

  ClickHandler OnClick;
  int Count = 0;
  int CurrentPage = -1;
  int ItemsPerPage;
  std::array<std::unique_ptr<TIndicatorUI>, 4> Indicators{};
};

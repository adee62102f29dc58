#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <optional>

// A picture on a screen with the behaviour the screens rely on: an integer
// Tag, clicked/doubleClicked signals carrying the control itself, optional
// stretching and transparent drawing.
//
// Transparent drawing: when `transparent` is on, pixels of the transparent
// colour are not drawn. That colour is the one given with setPicture or, when
// none was given, the colour of the bottom-left pixel. Pictures that carry an
// alpha channel are always drawn with it.
// Without stretch the picture is drawn at its own size at the top left (or
// centred when `center` is on).
class TImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Tag READ tag WRITE setTag)
  Q_PROPERTY(bool transparent READ transparent WRITE setTransparent)
  Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
  Q_PROPERTY(bool center READ center WRITE setCenter)

 public:
  explicit TImage(QWidget* parent = nullptr);

  int tag() const { return tag_; }
  void setTag(int t) { tag_ = t; }
  bool transparent() const { return transparent_; }
  void setTransparent(bool on);
  bool stretch() const { return stretch_; }
  void setStretch(bool on);
  bool center() const { return center_; }
  void setCenter(bool on);

  // Copies the picture. A null image clears the control.
  void setPicture(const QImage& picture, std::optional<QRgb> transparentColour = std::nullopt);
  void setPicture(const QPixmap& picture) { setPicture(picture.toImage()); }
  void clear() { setPicture(QImage()); }
  const QImage& picture() const { return picture_; }
  std::optional<QRgb> transparentColour() const { return colour_; }

  // What the control draws, with transparency applied (ARGB32, or an
  // opaque RGB32 picture as it is).
  QImage drawnPicture() const;

  QSize sizeHint() const override;

 signals:
  void clicked(QObject* sender);
  void doubleClicked(QObject* sender);
  void pressed(QObject* sender);
  void released(QObject* sender);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  void rebuild();
  QImage picture_;
  std::optional<QRgb> colour_;
  QImage drawn_;
  int tag_ = 0;
  bool transparent_ = false;
  bool stretch_ = false;
  bool center_ = false;
  bool down_ = false;
};

// A text label with a Tag and click signals. Texts of the language table use a
// carriage return as line break; setText shows it as one.
class TLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(int Tag READ tag WRITE setTag)
  Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)

 public:
  explicit TLabel(QWidget* parent = nullptr);
  explicit TLabel(const QString& text, QWidget* parent = nullptr);

  int tag() const { return tag_; }
  void setTag(int t) { tag_ = t; }
  void setText(const QString& text);  // hides QLabel::setText to convert "\r"
  QColor fontColor() const;
  void setFontColor(const QColor& c);

  // Fitting: a text that does not fit the label (wrapped when wordWrap is
  // on) at the designed font is drawn smaller, a pixel at a time down to
  // kReadableFloorPx (gui/widgets/FitText.h). The designed font is the one
  // the label has when fitting is turned on, or any font set later.
  void setFitText(bool on);
  bool fitText() const { return fit_; }
  QFont designedFont() const { return fit_ ? designed_ : font(); }
  // Whether the text fits the label in the font it is drawn with.
  bool textFits() const;

 signals:
  void clicked(QObject* sender);
  void doubleClicked(QObject* sender);

 protected:
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void changeEvent(QEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void refit();
  int tag_ = 0;
  bool down_ = false;
  bool fit_ = false;
  bool refitting_ = false;
  bool inherited_ = false;
  QFont designed_;
};

// "\r\n" and a lone "\r" become "\n", so Qt breaks the line there.
QString DisplayText(const QString& text);

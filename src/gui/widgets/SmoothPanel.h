#pragma once

#include <QColor>
#include <QWidget>

// The rounded panel of every screen: an antialiased rounded rectangle filled
// with a vertical two-colour gradient (gradientFrom at the top, gradientTo at
// the bottom) or not filled at all, an optional border and an optional
// caption at the top. Usable from .ui files as a promoted QWidget; every
// setting below is a property there.
//
// Geometry: the shape is the widget rectangle inset by half the border width,
// with corners of `cornerRadius` pixels (0 = square). With a caption the top
// `captionHeight()` pixels form the caption band: its own gradient
// (captionFrom..captionTo, when captionBand is on) and a hairline under it;
// contentsRect() then starts below the band, so layouts keep clear of it.
//
// The panel only paints; mouse presses on its empty parts pass on to the
// parent like those of a plain QWidget.
class TSmoothPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int cornerRadius READ cornerRadius WRITE setCornerRadius)
  Q_PROPERTY(bool transparentFill READ transparentFill WRITE setTransparentFill)
  Q_PROPERTY(QColor gradientFrom READ gradientFrom WRITE setGradientFrom)
  Q_PROPERTY(QColor gradientTo READ gradientTo WRITE setGradientTo)
  Q_PROPERTY(bool borderVisible READ borderVisible WRITE setBorderVisible)
  Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
  Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
  Q_PROPERTY(QString caption READ caption WRITE setCaption)
  Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)
  Q_PROPERTY(bool captionBand READ captionBand WRITE setCaptionBand)
  Q_PROPERTY(QColor captionFrom READ captionFrom WRITE setCaptionFrom)
  Q_PROPERTY(QColor captionTo READ captionTo WRITE setCaptionTo)
  Q_PROPERTY(Qt::Alignment captionAlignment READ captionAlignment WRITE setCaptionAlignment)
  Q_PROPERTY(QFont captionFont READ captionFont WRITE setCaptionFont)

 public:
  explicit TSmoothPanel(QWidget* parent = nullptr);

  int cornerRadius() const { return radius_; }
  void setCornerRadius(int radius);

  // Fully transparent: no fill at all, whatever the gradient colours.
  bool transparentFill() const { return transparent_; }
  void setTransparentFill(bool on);
  QColor gradientFrom() const { return from_; }
  QColor gradientTo() const { return to_; }
  void setGradientFrom(const QColor& c);
  void setGradientTo(const QColor& c);
  // Both colours and opaque fill at once.
  void setGradient(const QColor& from, const QColor& to);

  bool borderVisible() const { return border_; }
  void setBorderVisible(bool on);
  QColor borderColor() const { return borderColor_; }
  void setBorderColor(const QColor& c);
  int borderWidth() const { return borderWidth_; }  // pixels, at least 1
  void setBorderWidth(int width);

  // Empty: no caption and no band.
  QString caption() const { return caption_; }
  void setCaption(const QString& text);
  QColor captionColor() const { return captionColor_; }
  void setCaptionColor(const QColor& c);
  bool captionBand() const { return band_; }
  void setCaptionBand(bool on);
  QColor captionFrom() const { return bandFrom_; }
  QColor captionTo() const { return bandTo_; }
  void setCaptionFrom(const QColor& c);
  void setCaptionTo(const QColor& c);
  Qt::Alignment captionAlignment() const { return captionAlign_; }
  void setCaptionAlignment(Qt::Alignment a);
  // Unset (the default) means the widget font in bold.
  QFont captionFont() const;
  void setCaptionFont(const QFont& f);

  // Height of the caption band in pixels; 0 without a caption.
  int captionHeight() const;
  // The caption is drawn in captionTextRect with captionFont shrunk a pixel
  // at a time, down to a readable floor, until it fits (gui/widgets/FitText.h);
  // beyond that it is cut short with "...".
  QRect captionTextRect() const;
  QFont captionDrawFont() const;
  bool captionFits() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void updateMargins();

  int radius_ = 10;
  bool transparent_ = false;
  QColor from_{255, 255, 255};
  QColor to_{208, 208, 208};
  bool border_ = true;
  QColor borderColor_{112, 112, 112};
  int borderWidth_ = 1;
  QString caption_;
  QColor captionColor_{255, 255, 255};
  bool band_ = true;
  QColor bandFrom_{96, 120, 140};
  QColor bandTo_{58, 78, 96};
  Qt::Alignment captionAlign_ = Qt::AlignCenter;
  QFont captionFont_;
  bool captionFontSet_ = false;
};

using SmoothPanel = TSmoothPanel;

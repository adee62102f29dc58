#pragma once

#include <QPixmap>
#include <QProgressBar>

// A progress bar in the look of the style's own, drawn from three pictures
// the style renders once per size (the bar empty, half full and full): the
// full picture up to the value, the half-full picture's right end of the
// fill and the shadow after it, the empty picture beyond, and the percentage
// text laid over it by the style. Setting a value that
// moves the fill costs two small picture copies instead of the style's
// antialiased outlines each time. Upright, reversed and busy bars are drawn
// by the style as usual.
class TGauge : public QProgressBar {
  Q_OBJECT
 public:
  explicit TGauge(QWidget* parent = nullptr);

  // Pixels of the filled part (0 .. width) at the current value.
  int fillWidth() const;
  // Polishes the bar and renders its pictures now (about a millisecond)
  // rather than at its first showing; for a bar about to be set often while
  // time counts.
  void Prepare();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void render();
  QPixmap empty_;
  QPixmap half_;
  QPixmap full_;
};

#include "gui/common/ActionLed.h"

#include "core/shell/Language.h"
#include "gui/shell/UIImages.h"
#include "gui/widgets/ImageControl.h"

void ShowActionLed(TImage* led, std::optional<int> action) {
  if (!led) return;
  int picture = UIPic::LedsNone;
  QString spoken;
  if (action) {
    const int a = *action;
    picture = a <= 0 ? UIPic::LedsRed : a >= 17 ? UIPic::LedsGreen : UIPic::LedsYellow;
    spoken = a <= 0    ? GetText(TextId::Off)
             : a >= 17 ? GetText(TextId::On)
                       : GetText(TextId::DimValue) + QLatin1Char(' ') + QString::number(a);
  }
  led->setPicture(TImageFetcher::Instance()->Picture(picture));
  led->setAccessibleName(spoken);
}

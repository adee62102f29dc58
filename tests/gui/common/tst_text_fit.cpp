// Every interface text on every button, label, panel caption, choice list
// and message line it appears on, in all ten languages, at the controls'
// sizes and fonts: a text that does not fit even at the readable floor
// fails, naming control, language and text. A new screen adds its rows to
// kPlaces.
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QtTest>
#include <initializer_list>
#include <variant>
#include <vector>

#include "TestSupport.h"
#include "core/model/LoadSave.h"
#include "core/model/ProgAktie.h"
#include "core/shell/Language.h"
#include "gui/common/TileCaption.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/FitText.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"

namespace {

// A text of the table, or one the program puts together (in the language given).
using Id = std::variant<TextId, MoreTextId, QString (*)(int)>;

QString Text(const Id& id, int language) {
  if (const auto* make = std::get_if<QString (*)(int)>(&id)) return (*make)(language);
  if (const auto* more = std::get_if<MoreTextId>(&id)) return GetText(*more, language);
  return GetText(std::get<TextId>(id), language);
}

// How the control shows its text: a gradient button, a label that shrinks
// its font (plain or bold), a panel caption (bold), a closed choice list, a
// tile caption (gui/common/TileCaption.h), a plain label that wraps but keeps
// its size, or a bold line painted into a picture.
enum class Kind { Button, Label, BoldLabel, Caption, Choice, Tile, Wrapped, Painted };

// A control of `size` with an Arial font of `px` pixels.
struct Place {
  const char* control;
  Kind kind;
  QSize size;
  int px;
  std::vector<Id> texts;
};

// A timer line's text as the timer screen shows it, in `language`.
QString Line(int language, const std::function<QString(ProgAktie&)>& text) {
  TLoadSave::Instance()->Language = language;
  ProgAktie a;
  return text(a);
}

constexpr QSize kColumn(130, 40);        // every button column; the main window's 16 px
constexpr QSize kDialogAction(136, 40);  // OK and back in the timer dialogs (15 px)
constexpr auto B = Kind::Button;
constexpr auto L = Kind::Label;

const std::vector<Place> kPlaces = {
    {"home column",
     B,
     kColumn,
     16,
     {TextId::Exit, TextId::OK, TextId::Extra, TextId::Scenes, TextId::Timer, TextId::On, TextId::DimValue,
      TextId::Off}},
    {"editor column",
     B,
     kColumn,
     16,
     {TextId::Cancel, TextId::OK, TextId::LearnCode, TextId::StopLearning, TextId::Delete}},
    {"timer column",
     B,
     kColumn,
     16,
     {TextId::Add, TextId::Copy, TextId::Delete, TextId::OK, TextId::Back, MoreTextId::Week}},
    {"week view column", B, kColumn, 16, {TextId::Back, MoreTextId::All}},
    {"scenes column", B, kColumn, 16, {TextId::Back, TextId::OK, TextId::Timer, TextId::Execute}},
    {"settings column", B, kColumn, 16, {TextId::Cancel, TextId::OK, TextId::SendToKLV}},
    {"settings load/store", B, QSize(148, 34), 16, {TextId::Load, TextId::Save}},
    {"firmware window", B, kColumn, 19, {TextId::OK}},
    {"timer action", B, QSize(150, 40), 15, {TextId::On, TextId::Off, TextId::DimValue}},
    {"timer dialog OK/back", B, kDialogAction, 15, {TextId::OK, TextId::Cancel, TextId::Back}},
    {"timer day/date", B, QSize(150, 38), 15, {TextId::WeekDays, TextId::Date}},
    {"timer day",
     B,
     QSize(110, 40),
     15,
     {TextId::Monday, TextId::Tuesday, TextId::Wednesday, TextId::Thursday, TextId::Friday, TextId::Satuday,
      TextId::Sunday, TextId::EveryDay}},
    {"timer month",
     B,
     QSize(148, 40),
     15,
     {TextId::January, TextId::February, TextId::March, TextId::April, TextId::May, TextId::June,
      TextId::July, TextId::August, TextId::September, TextId::October, TextId::November, TextId::December,
      TextId::EveryMonth}},
    {"timer time kind", B, QSize(150, 38), 15, {TextId::Time, TextId::DayLight}},
    {"timer fixed/random", B, QSize(150, 40), 15, {TextId::FixedTime, TextId::Random}},
    {"timer sun", B, QSize(130, 40), 15, {TextId::Before, TextId::After, TextId::SunRise, TextId::SunSet}},
    {"message button",
     B,
     QSize(130, 40),
     19,
     {TextId::OK, TextId::Exit, TextId::SendToKLV, MoreTextId::TryAgain, TextId::Yes, TextId::No}},

    // Settings screen (gui/settings, ExtraInterface.ui).
    {"settings heading", Kind::Caption, QSize(598, 504), 16, {TextId::Extra}},
    {"settings location title", Kind::BoldLabel, QSize(316, 26), 16, {TextId::Location}},
    {"settings option titles",
     Kind::BoldLabel,
     QSize(210, 26),
     16,
     {TextId::CodeWheels, TextId::ShowHints, TextId::Language}},
    {"settings sets title", Kind::BoldLabel, QSize(300, 24), 16, {TextId::Settings}},
    {"settings country/city", L, QSize(96, 34), 16, {TextId::Country, TextId::City}},
    {"settings sun rise/set", L, QSize(200, 30), 16, {TextId::SunRise, TextId::SunSet}},
    {"settings clock time", L, QSize(316, 30), 16, {TextId::StandardTime, TextId::DaylightSavingTime}},
    {"settings yes/no", L, QSize(66, 34), 16, {TextId::Yes, TextId::No}},
    {"settings version", L, QSize(210, 30), 16, {[](int l) {
       return GetText(TextId::Version, l) + ProgramVersion;
     }}},
    {"settings latitude/longitude",
     Kind::Choice,
     QSize(194, 34),
     16,
     {TextId::NorthLatitude, TextId::SouthLatitude, TextId::EastLongitude, TextId::WestLongitude}},
    {"settings city choice", Kind::Choice, QSize(190, 34), 16, {TextId::MyLocation}},
    {"settings language choice", Kind::Choice, QSize(210, 34), 16, {[](int l) { return LanguageName(l); }}},
    {"settings set choice", Kind::Choice, QSize(400, 34), 16, {TextId::PreviousConfiguration}},

    // Home, scene composing and timer target picking share the rows' titles.
    {"row titles",
     Kind::BoldLabel,
     QSize(420, 29),
     20,
     {TextId::Rooms, TextId::Devices, TextId::SceneRooms, TextId::SceneDevices, TextId::TimerRooms,
      TextId::TimerDevices}},
    {"empty tile",
     Kind::Tile,
     QSize(122, 36),
     16,
     {TextId::DoubleClickToEdit, MoreTextId::DoubleClickToAddRoom}},

    // Editor.
    {"editor panels",
     Kind::Caption,
     QSize(408, 75),
     16,
     {TextId::CodeSwitchReceiver, TextId::Code, TextId::Dimmer, TextId::RoomDescription,
      TextId::DeviceDescription}},
    {"editor picture panel", Kind::Caption, QSize(598, 250), 16, {TextId::RoomImage, TextId::DeviceImage}},
    {"editor yes/no", L, QSize(100, 25), 16, {TextId::Yes, TextId::No}},
    {"learning hint", Kind::Wrapped, QSize(130, 92), 13, {[](int l) {
       return GetText(MoreTextId::PutReceiverInLearnMode, l) + QStringLiteral("\n4:59");
     }}},

    // Scenes.
    {"scenes heading", Kind::Caption, QSize(598, 504), 16, {TextId::ScenesOverview}},
    {"scene description", L, QSize(160, 36), 16, {TextId::Description}},

    // Timer screen: its heading and the four columns of a line (15 px).
    {"timer heading", Kind::Caption, QSize(598, 504), 16, {TextId::ProgramTimer}},
    {"timer line month",
     L,
     QSize(98, 26),
     15,
     {TextId::NoMonth, TextId::January, TextId::February, TextId::March, TextId::April, TextId::May,
      TextId::June, TextId::July, TextId::August, TextId::September, TextId::October, TextId::November,
      TextId::December, TextId::EveryMonth}},
    {"timer line day",
     L,
     QSize(174, 26),
     15,
     {TextId::NoDayDate,
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.DagDatum = 255;
          return a.DayText();
        });
      }}},
    {"timer line time",
     L,
     QSize(204, 26),
     15,
     {TextId::NoTime, TextId::SunRise, TextId::SunSet,
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.ZonTijd = 1;
          return a.TimeText();
        });
      },
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.ZonTijd = 119;
          return a.TimeText();
        });
      },
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.ZonTijd = 121;
          return a.TimeText();
        });
      },
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.ZonTijd = 239;
          return a.TimeText();
        });
      },
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.Uur = 22;
          a.Minuut = 45;
          a.Random = 1;
          return a.TimeText();
        });
      }}},
    {"timer line action",
     L,
     QSize(90, 26),
     15,
     {TextId::Execute, TextId::On, TextId::Off,
      [](int l) {
        return Line(l, [](ProgAktie& a) {
          a.Aktie = 16;
          return a.ActionText();
        });
      }}},

    // Timer dialogs (15 px).
    {"action dialog panel", Kind::Caption, QSize(332, 140), 15, {TextId::Command}},
    {"timer dialog panels",
     Kind::Caption,
     QSize(477, 140),
     15,
     {TextId::WeekDays, TextId::Date, TextId::Month, TextId::Time, TextId::DayLight}},
    {"time dialog status",
     L,
     QSize(284, 30),
     15,
     {TextId::Maximum1Hour, TextId::InvalidTime, TextId::FixedTime}},
    {"sun offset status", L, QSize(176, 30), 15, {TextId::Minutes, TextId::InvalidTime}},

    // Week view: a day's heading over its column of the picture (11 px bold).
    {"week view day",
     Kind::Painted,
     QSize(80, 20),
     11,
     {[](int l) { return GetText(TextId::We, l).trimmed() + QStringLiteral(" 30"); },
      [](int l) { return GetText(TextId::Th, l).trimmed() + QStringLiteral(" 30"); }}},

    // Firmware window lines (19 px).
    {"firmware lines",
     L,
     QSize(440, 28),
     19,
     {MoreTextId::TooManyTries, MoreTextId::UpdateGivenUp, TextId::ErrorErasing, TextId::AndIsReadyForUse,
      [](int l) {
        return GetText(TextId::Updating, l) + QStringLiteral("KLV-820 Loader") + GetText(TextId::To, l) +
               QStringLiteral("KLV-820 1.1");
      },
      [](int l) { return GetText(TextId::WaitForReconnectionOf, l) + QStringLiteral("KLV-820...."); },
      [](int l) { return GetText(TextId::Erasing, l) + QStringLiteral("KLV-820 Loader"); },
      [](int l) { return GetText(TextId::Programming, l) + QStringLiteral("KLV-820"); },
      [](int l) { return QStringLiteral("KLV-820") + GetText(TextId::HasBeenUpdated, l); },
      [](int l) { return GetText(TextId::VerifyErrorAtAddress, l) + QStringLiteral("0x1F80"); }}},
};

// Whether `text` fits the control `place` describes, as the program draws it.
bool Fits(const Place& place, const QString& text) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(place.px);
  f.setBold(place.kind == Kind::BoldLabel || place.kind == Kind::Painted);
  switch (place.kind) {
    case Kind::Button: {
      TGradBtn button;
      button.setFixedSize(place.size);
      button.setFont(f);
      button.setText(text);
      return button.captionFits();
    }
    case Kind::Wrapped:
      return TextFits(f, text, place.size, Qt::TextWordWrap);
    case Kind::Painted:
      return TextFits(f, text, place.size, 0);
    case Kind::Label:
    case Kind::BoldLabel: {
      TLabel label;
      label.setFixedSize(place.size);
      label.setFont(f);
      label.setFitText(true);
      label.setText(text);
      return label.textFits();
    }
    case Kind::Caption: {
      TSmoothPanel panel;
      panel.setFixedSize(place.size);
      panel.setFont(f);
      panel.setCaption(text);
      return panel.captionFits();
    }
    case Kind::Choice: {
      QComboBox box;
      box.setFixedSize(place.size);
      box.setFont(f);
      box.addItem(text);
      QStyleOptionComboBox option;
      option.initFrom(&box);
      const QRect field =
          box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
      return QFontMetrics(f).horizontalAdvance(text) <= field.width() - 2;
    }
    case Kind::Tile: {
      // Whole at a readable size: not cut short with "...".
      TLabel label;
      label.setFixedSize(place.size);
      label.setFont(f);
      label.setWordWrap(true);
      SetTileCaption(&label, text);
      return !label.text().contains(QChar(0x2026)) && label.font().pixelSize() >= kReadableFloorPx;
    }
  }
  return false;
}

// The message dialog's two lines as the program fills them.
struct Message {
  const char* what;
  QString (*line1)(int);
  QString (*line2)(int);
};

const Message kMessages[] = {
    {"exit question", [](int l) { return GetText(TextId::ChangesInEffectOnly, l); },
     [](int l) {
       return GetText(TextId::AfterClickingOn, l) + QStringLiteral(" '") + GetText(TextId::SendToKLV, l) +
              QLatin1Char('\'');
     }},
    {"not connected", [](int l) { return GetText(TextId::Attention, l); },
     [](int l) { return GetText(TextId::TheKLV820IsNotConnected, l); }},
    {"no code", [](int l) { return GetText(TextId::Attention, l); },
     [](int l) { return GetText(TextId::DeviceHasNoCode, l); }},
    {"save failed", [](int l) { return GetText(MoreTextId::CouldNotSave, l); },
     [](int) { return QStringLiteral("kvl820.dat (No space left on device)"); }},
    {"box denied", [](int l) { return GetText(TextId::Attention, l); },
     [](int l) { return GetText(MoreTextId::BoxNoPermission, l).arg(QStringLiteral("KLV-820")); }},
    {"box not opened", [](int l) { return GetText(TextId::Attention, l); },
     [](int l) {
       return GetText(MoreTextId::BoxOpenFailed, l)
           .arg(QStringLiteral("KLV-820"), QStringLiteral("Device busy"));
     }},
    {"set name", [](int l) { return GetText(MoreTextId::BadSetName, l); },
     [](int l) { return GetText(MoreTextId::NameTrailing, l); }},
    {"set name length", [](int l) { return GetText(MoreTextId::BadSetName, l); },
     [](int l) { return GetText(MoreTextId::NameTooLong, l).arg(64); }},
    {"set name reserved", [](int l) { return GetText(MoreTextId::NameReserved, l); },
     [](int l) { return GetText(MoreTextId::NameEmpty, l); }},
    {"set incomplete", [](int l) { return GetText(MoreTextId::SetIncomplete, l); },
     [](int l) { return GetText(MoreTextId::FileMissing, l).arg(QStringLiteral("CustomAppImageList.dat")); }},
    {"no such set", [](int l) { return GetText(MoreTextId::NoSuchSet, l); },
     [](int) { return QStringLiteral("Summer house"); }},
    {"load/store failed", [](int l) { return GetText(MoreTextId::LoadFailed, l); },
     [](int l) { return GetText(MoreTextId::StoreFailed, l); }},
    {"recovery offer", [](int l) { return GetText(MoreTextId::ChangesNotSaved, l); },
     [](int l) { return GetText(MoreTextId::RestoreThem, l); }},
    {"damaged file", [](int l) { return GetText(MoreTextId::FileDamaged, l); },
     [](int) { return QStringLiteral("CustomAppImageList.dat"); }},
};

}  // namespace

class TstTextFit : public QObject {
  Q_OBJECT
  TempWorkspace ws_;

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void everyTextFitsItsControl() {
    QStringList misfits;
    for (const Place& place : kPlaces)
      for (const Id& id : place.texts)
        for (int l = 0; l < LanguageCount; ++l) {
          const QString text = Text(id, l);
          if (!Fits(place, text))
            misfits << QStringLiteral("%1 [%2]: \"%3\"").arg(place.control, LanguageName(l), text);
        }
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));
  }

  // A caption is drawn smaller only when it has to be, never below the floor.
  void captionShrinksOnlyWhenNeeded() {
    TGradBtn button;
    button.setFixedSize(kColumn);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    button.setFont(f);
    button.setText(QStringLiteral("OK"));
    QCOMPARE(button.captionFont().pixelSize(), 16);
    button.setText(QStringLiteral("Sonnenuntergang"));  // one word, 127 px at 16 px
    QVERIFY(button.captionFont().pixelSize() < 16);
    QVERIFY(button.captionFits());
    button.setText(QString(40, QLatin1Char('W')));
    QCOMPARE(button.captionFont().pixelSize(), 12);
    QVERIFY(!button.captionFits());
    // Fitted sizes are kept per font, text and box: a wider button or a
    // smaller font fits the same caption anew.
    button.setText(QStringLiteral("Sonnenuntergang"));
    const int narrow = button.captionFont().pixelSize();
    button.setFixedSize(kColumn.width() + 60, kColumn.height());
    QCOMPARE(button.captionFont().pixelSize(), 16);
    button.setFixedSize(kColumn);
    QCOMPARE(button.captionFont().pixelSize(), narrow);
    QFont small = f;
    small.setPixelSize(13);
    button.setFont(small);
    QCOMPARE(button.captionFont().pixelSize(), 13);

    // A fitting label the same way, back at its designed size for a short
    // text; a font set later is the new designed one.
    TLabel label;
    label.setFixedSize(kColumn);
    label.setFont(f);
    label.setFitText(true);
    label.setText(QStringLiteral("Sonnenuntergang!"));
    QVERIFY(label.font().pixelSize() < 16);
    QVERIFY(label.textFits());
    label.setText(QStringLiteral("OK"));
    QCOMPARE(label.font().pixelSize(), 16);
    f.setPixelSize(14);
    label.setFont(f);
    QCOMPARE(label.designedFont().pixelSize(), 14);
    label.setText(QString(40, QLatin1Char('W')));
    QCOMPARE(label.font().pixelSize(), 12);
    QVERIFY(!label.textFits());
  }

  void everyMessageFitsTheDialog() {
    QStringList misfits;
    for (const Message& m : kMessages)
      for (int l = 0; l < LanguageCount; ++l) {
        TfrmMeld dialog;
        dialog.Fill(m.line1(l), m.line2(l), GetText(TextId::OK, l), QString());
        for (const TLabel* line : {dialog.Label1(), dialog.Label2()})
          if (!dialog.LineFits(line))
            misfits << QStringLiteral("%1 [%2]: \"%3\"").arg(m.what, LanguageName(l), line->text());
        QVERIFY(dialog.Label2()->y() > dialog.Label1()->geometry().bottom());
      }
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));
  }
};

QTEST_MAIN(TstTextFit)
#include "tst_text_fit.moc"

// Every interface text on every button and message line it appears on, in
// all ten languages, at the controls' sizes and fonts: a caption that does not
// fit even at the readable floor fails, naming control, language and text.
// A new screen adds its rows to kPlaces.
#include <QtTest>
#include <initializer_list>
#include <variant>
#include <vector>

#include "TestSupport.h"
#include "core/shell/Language.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

namespace {

using Id = std::variant<TextId, MoreTextId>;

QString Text(const Id& id, int language) {
  return std::visit([language](auto v) { return GetText(v, language); }, id);
}

// A gradient button of `size` with an Arial font of `px` pixels.
struct Place {
  const char* control;
  QSize size;
  int px;
  std::vector<Id> texts;
};

constexpr QSize kColumn(130, 40);        // every button column; the main window's 16 px
constexpr QSize kDialogAction(136, 40);  // OK and back in the timer dialogs (15 px)

const std::vector<Place> kPlaces = {
    {"home column",
     kColumn,
     16,
     {TextId::Exit, TextId::OK, TextId::Extra, TextId::Scenes, TextId::Timer, TextId::On, TextId::DimValue,
      TextId::Off}},
    {"editor column",
     kColumn,
     16,
     {TextId::Cancel, TextId::OK, TextId::LearnCode, TextId::StopLearning, TextId::Delete}},
    {"timer column",
     kColumn,
     16,
     {TextId::Add, TextId::Copy, TextId::Delete, TextId::OK, TextId::Back, MoreTextId::Week}},
    {"week view column", kColumn, 16, {TextId::Back, MoreTextId::All}},
    {"scenes column", kColumn, 16, {TextId::Back, TextId::OK, TextId::Timer, TextId::Execute}},
    {"settings column", kColumn, 16, {TextId::Cancel, TextId::OK, TextId::SendToKLV}},
    {"settings load/store", QSize(148, 34), 16, {TextId::Load, TextId::Save}},
    {"firmware window", kColumn, 19, {TextId::OK}},
    {"timer action", QSize(150, 40), 15, {TextId::On, TextId::Off, TextId::DimValue}},
    {"timer dialog OK/back", kDialogAction, 15, {TextId::OK, TextId::Cancel, TextId::Back}},
    {"timer day/date", QSize(150, 38), 15, {TextId::WeekDays, TextId::Date}},
    {"timer day",
     QSize(110, 40),
     15,
     {TextId::Monday, TextId::Tuesday, TextId::Wednesday, TextId::Thursday, TextId::Friday, TextId::Satuday,
      TextId::Sunday, TextId::EveryDay}},
    {"timer month",
     QSize(148, 40),
     15,
     {TextId::January, TextId::February, TextId::March, TextId::April, TextId::May, TextId::June,
      TextId::July, TextId::August, TextId::September, TextId::October, TextId::November, TextId::December,
      TextId::EveryMonth}},
    {"timer time kind", QSize(150, 38), 15, {TextId::Time, TextId::DayLight}},
    {"timer fixed/random", QSize(150, 40), 15, {TextId::FixedTime, TextId::Random}},
    {"timer sun", QSize(130, 40), 15, {TextId::Before, TextId::After, TextId::SunRise, TextId::SunSet}},
    {"message button",
     QSize(130, 40),
     19,
     {TextId::OK, TextId::Exit, TextId::SendToKLV, MoreTextId::TryAgain, TextId::Yes, TextId::No}},
};

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
};

}  // namespace

class TstTextFit : public QObject {
  Q_OBJECT
  TempWorkspace ws_;

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void everyCaptionFitsItsButton() {
    QStringList misfits;
    TGradBtn button;
    for (const Place& place : kPlaces) {
      button.setFixedSize(place.size);
      QFont f(QStringLiteral("Arial"));
      f.setPixelSize(place.px);
      button.setFont(f);
      for (const Id& id : place.texts)
        for (int l = 0; l < LanguageCount; ++l) {
          button.setText(Text(id, l));
          if (!button.captionFits())
            misfits << QStringLiteral("%1 [%2]: \"%3\"").arg(place.control, LanguageName(l), button.text());
        }
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

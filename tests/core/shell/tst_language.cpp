#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "TestSupport.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "core/shell/Win1252.h"

namespace {

QString At(TextId id, int language) { return GetText(id, language); }

int LeadingBlanks(const QString& s) {
  int n = 0;
  while (n < s.size() && s[n] == QLatin1Char(' ')) ++n;
  return n;
}

int TrailingBlanks(const QString& s) {
  int n = 0;
  while (n < s.size() && s[s.size() - 1 - n] == QLatin1Char(' ')) ++n;
  return n;
}

}  // namespace

class TestLanguage : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  // Every English and Dutch text against the golden file, written once from
  // the table: per line the English and the Dutch text, each in double
  // quotes (blanks at either end belong to the text), separated by a tab; a
  // carriage return is written as \r.
  void englishAndDutchMatchGolden() {
    QFile f(QStringLiteral(KLV_TEST_DATA "/texts/english_dutch.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), TextCount);
    const auto quoted = [](QString text) {
      return QLatin1Char('"') + text.replace(QLatin1Char('\r'), QLatin1String("\\r")) + QLatin1Char('"');
    };
    for (int i = 0; i < TextCount; ++i) {
      const TextId id = static_cast<TextId>(i);
      QCOMPARE(quoted(GetText(id, 1)) + QLatin1Char('\t') + quoted(GetText(id, 0)), lines[i]);
    }
  }

  void tellingEntries_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("Version") << int(TextId::Version)
                             << QStringList{"Versie ", "Version ",  "Version ", "Version ", "Versión ",
                                            "Versão ", "Versione ", "Versio ",  "Verzió ",  "Versiyon "};
    QTest::newRow("not connected")
        << int(TextId::TheKLV820IsNotConnected)
        << QStringList{"De KLV-820 is niet aangesloten",      "The KLV-820 is not connected",
                       "Der KLV-820 ist nicht angeschlossen", "Le KLV-820 n'est pas connecté",
                       "El KLV-820 no está conectado",        "O KLV-820 não está conectado",
                       "Il KLV-820 non è connesso",           "KLV-820 ei ole liitettynä",
                       "A KLV-820 nincs csatlakoztatva",      "KLV-820 bagli degil"};
    QTest::newRow("Send to KLV") << int(TextId::SendToKLV)
                                 << QStringList{"naar KLV",     "Send to KLV",   "Übertragen",
                                                "Envoi au KLV", "Enviar al KLV", "Enviar ao KLV",
                                                "Invia al KLV", "Vie KLV:hen",   "Küldés KLV-re",
                                                "KLV'ye aktar"};
    QTest::newRow("before sun rise") << int(TextId::BeforeSunRise)
                                     << QStringList{
                                            " min voor zon op",        " before sun rise",
                                            " min vor Sonnenaufgang",  " min avant le lever du soleil",
                                            " min antes del amanecer", " min antes do nascer do sol",
                                            " min prima dell'alba",    " min ennen auringonnousua",
                                            " perccel napkelte elött", " dk gün dogumundan önce"};
    QTest::newRow("Su") << int(TextId::Su)
                        << QStringList{"zo ", "Su ", "So ", "Di ", "do ", "Do ", "Do ", "su ", "V ", "Pa "};
    QTest::newRow("to") << int(TextId::To)
                        << QStringList{" naar ", " to ", " auf ",      " vers ",         " a ",
                                       " para ", " a ",  " versioon ", " – új verzió: ", " – yeni sürüm: "};
  }

  void tellingEntries() {
    QFETCH(int, id);
    QFETCH(QStringList, texts);
    QCOMPARE(texts.size(), LanguageCount);
    for (int l = 0; l < LanguageCount; ++l) QCOMPARE(At(TextId(id), l), texts[l]);
  }

  // Spot checks across the table: a row dropped or doubled shifts everything
  // after it and shows here.
  void tableOrder() {
    const struct {
      TextId id;
      const char* english;
      const char* dutch;
    } anchors[] = {
        {TextId::Updating, "updating ", "opwaarderen "},
        {TextId::Attention, "Attention!", "Let op!"},
        {TextId::SelectACityOrMyLocation, "Select a city\ror 'my location'",
         "Kies een plaatsnaam\rof 'mijn locatie'"},
        {TextId::SelectMyLocationUnderCityToChangeCoorditates,
         "Select 'my location' under -city-\rto change coorditates",
         "Kies 'mijn locatie' bij -plaats-\rom coördinaten in te stellen"},
        {TextId::Off, "off", "uit"},
        {TextId::Between, "between ", "tussen "},
        {TextId::Sa, "Sa ", "za "},
        {TextId::Satuday, "Satuday", "zaterdag"},
        {TextId::December, "December", "december"},
        {TextId::MaximumNumberOfRandomActionsReached, "Maximum number of random actions reached",
         "Maximaal aantal random akties bereikt."},
        {TextId::Dimmer, "dimmer", "dimbare ontvanger"},
        {TextId::Copy, "copy", "kopiëren"},
        {TextId::AddressExcedesFlashSize, "Address excedes flash size", "Adres buiten flashbereik"},
        {TextId::AfterClickingOn, "after clicking on", "na klik op"},
    };
    for (const auto& a : anchors) {
      QCOMPARE(At(a.id, 1), QString::fromUtf8(a.english));
      QCOMPARE(At(a.id, 0), QString::fromUtf8(a.dutch));
    }
    // The two "Double click to set up" entries differ only in French.
    QCOMPARE(At(TextId::DoubleClickToSetUpTimer, 1), QStringLiteral("Double click to set up"));
    QCOMPARE(At(TextId::DoubleClickToSetUpScene, 1), QStringLiteral("Double click to set up"));
    QCOMPARE(At(TextId::DoubleClickToSetUpTimer, 3), QStringLiteral("Double-cliquez pour paramétrer"));
    QCOMPARE(At(TextId::DoubleClickToSetUpScene, 3), QStringLiteral("Double-cliquez pour configurer"));
  }

  // Callers glue texts to numbers and to each other, so every translation
  // keeps the English text's outer blanks and line breaks; and every text
  // must survive the single-byte code page.
  void everyTextKeepsShapeAndCodePage() {
    for (int i = 0; i < TextCount; ++i) {
      const auto id = TextId(i);
      const QString english = At(id, 1);
      for (int l = 0; l < LanguageCount; ++l) {
        const QString t = At(id, l);
        const QByteArray where =
            QByteArray::number(i) + " language " + QByteArray::number(l) + ": " + t.toUtf8();
        QVERIFY2(!t.trimmed().isEmpty(), where);
        QVERIFY2(IsWin1252(t), where);
        QVERIFY2(LeadingBlanks(t) == LeadingBlanks(english), where);
        QVERIFY2(TrailingBlanks(t) == TrailingBlanks(english), where);
        QVERIFY2(t.count(QLatin1Char('\r')) == english.count(QLatin1Char('\r')), where);
        QVERIFY2(!t.contains(QLatin1Char('\n')), where);
      }
    }
  }

  // The texts kept beside the closed table: present and code-page safe in
  // every language, English for an unknown language.
  void moreTexts() {
    for (int i = 0; i < MoreTextCount; ++i)
      for (int l = 0; l < LanguageCount; ++l) {
        const QString t = GetText(MoreTextId(i), l);
        QVERIFY2(!t.trimmed().isEmpty() && IsWin1252(t), qPrintable(t));
        // A translation that lost a placeholder would print "%1" or drop the file name.
        for (const char* arg : {"%1", "%2"})
          QVERIFY2(t.count(QLatin1String(arg)) == GetText(MoreTextId(i), 1).count(QLatin1String(arg)),
                   qPrintable(t));
      }
    QCOMPARE(GetText(MoreTextId::Week, 2), QStringLiteral("Woche"));
    QCOMPARE(GetText(MoreTextId::All, 42), QStringLiteral("all"));
  }

  // A typed name keeps every letter: the nearest Windows-1252 letter stands
  // in for one the code page lacks; other scripts are left for the refusal.
  void nearestWin1252Letters() {
    QCOMPARE(ToNearestWin1252(QStringLiteral("Żarówka")), QStringLiteral("Zarówka"));
    QCOMPARE(ToNearestWin1252(QStringLiteral("łóżko Łódź")), QStringLiteral("lózko Lódz"));
    QCOMPARE(ToNearestWin1252(QStringLiteral("hétfő fűtés ŐŰ")), QStringLiteral("hétfö fütés ÖÜ"));
    QCOMPARE(ToNearestWin1252(QStringLiteral("Işık ğş Čeština")), QStringLiteral("Isik gs Ceština"));
    QCOMPARE(ToNearestWin1252(QStringLiteral("Œuvre Šárka")), QStringLiteral("Œuvre Šárka"));
    const QString cyrillic = QStringLiteral("Лампа €");
    QCOMPARE(ToNearestWin1252(cyrillic), cyrillic);
    QVERIFY(!IsWin1252(ToNearestWin1252(cyrillic)));
  }

  // Timer entries show weekday abbreviations, weekday names and month names
  // side by side; two equal ones in a language would make entries ambiguous.
  void dayAndMonthNamesDistinct() {
    const auto distinct = [](TextId first, int count, int language) {
      QSet<QString> seen;
      for (int i = 0; i < count; ++i) seen.insert(At(TextId(int(first) + i), language).trimmed().toLower());
      return seen.size() == count;
    };
    for (int l = 0; l < LanguageCount; ++l) {
      QVERIFY2(distinct(TextId::Su, 7, l), qPrintable(LanguageName(l)));
      QVERIFY2(distinct(TextId::Monday, 7, l), qPrintable(LanguageName(l)));
      QVERIFY2(distinct(TextId::January, 12, l), qPrintable(LanguageName(l)));
    }
  }

  void betweenAndJoinsWithSingleBlanks() {
    QCOMPARE(At(TextId::Between, 1) + "10:00" + At(TextId::And, 1) + "11:00",
             QStringLiteral("between 10:00 and 11:00"));
    QCOMPARE(At(TextId::Between, 0) + "10:00" + At(TextId::And, 0) + "11:00",
             QStringLiteral("tussen 10:00 en 11:00"));
    const QRegularExpression shape(QStringLiteral("^\\S+ 10:00 \\S+ 11:00$"));
    for (int l = 0; l < LanguageCount; ++l) {
      const QString joined = At(TextId::Between, l) + "10:00" + At(TextId::And, l) + "11:00";
      QVERIFY2(shape.match(joined).hasMatch(), qPrintable(joined));
    }
  }

  void languageOutsideRangeGivesEnglish() {
    for (int l : {-1, 10, 255, 1 << 30}) {
      QCOMPARE(At(TextId::Off, l), QStringLiteral("off"));
      QCOMPARE(At(TextId::AfterClickingOn, l), QStringLiteral("after clicking on"));
    }
    QCOMPARE(GetText(TextId::Count, 1), QString());
  }

  void languageNames() {
    const QStringList names{"Nederlands", "English",  "Deutsch", "Français", "Español",
                            "Português",  "Italiano", "Suomi",   "Magyar",   "Türkçe"};
    for (int l = 0; l < LanguageCount; ++l) QCOMPARE(LanguageName(l), names[l]);
    QVERIFY(LanguageName(-1).isEmpty());
    QVERIFY(LanguageName(10).isEmpty());
  }

  // GetText(id) follows the installation's language, which comes from the
  // stored setting when the installation object is loaded.
  void followsInstallationLanguage() {
    TempWorkspace ws;
    QCOMPARE(GetText(TextId::Off), QStringLiteral("off"));  // nothing stored: English

    TLoadSave::Instance()->Language = 0;
    QCOMPARE(GetText(TextId::Off), QStringLiteral("uit"));
    TLoadSave::Instance()->WriteLanguage();
    TLoadSave::Release();
    QCOMPARE(TLoadSave::Instance()->Language, 0);
    QCOMPARE(GetText(TextId::Off), QStringLiteral("uit"));

    TLoadSave::Instance()->Language = 1;
    QCOMPARE(GetText(TextId::Off), QStringLiteral("off"));
    TLoadSave::Instance()->Language = 42;  // never from the store, but must not read past the table
    QCOMPARE(GetText(TextId::Off), QStringLiteral("off"));
  }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"

#include <QDateTime>
#include <QLocale>
#include <QTest>

#include "TestSupport.h"
#include "core/model/ProgAktie.h"

namespace {

ProgAktiePtr Entry(int ruimte, int apparaat, int maand, int dag, int uur, int minuut, double aangemaakt) {
  auto e = std::make_shared<ProgAktie>();
  e->Ruimte = ruimte;
  e->Apparaat = apparaat;
  e->Maand = maand;
  e->DagDatum = dag;
  e->Uur = uur;
  e->Minuut = minuut;
  e->Aangemaakt = aangemaakt;
  return e;
}

KeyedAktieList Keyed(std::initializer_list<ProgAktiePtr> entries) {
  KeyedAktieList list;
  for (const auto& e : entries) list.push_back({e->SortKey(), e});
  return list;
}

QList<ProgAktie*> Order(const KeyedAktieList& list) {
  QList<ProgAktie*> out;
  for (const auto& k : list) out << k.Entry.get();
  return out;
}

}  // namespace

class TestProgAktie : public QObject {
  Q_OBJECT
  std::unique_ptr<TempWorkspace> ws_;  // fresh installation: language 1

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
  }
  void cleanupTestCase() { ws_.reset(); }

  void newEntry() {
    const double before = ProgAktie::Now();
    ProgAktie e;
    QCOMPARE(e.Ruimte, -1);
    QCOMPARE(e.Apparaat, -1);
    QCOMPARE(e.Maand, 0);
    QCOMPARE(e.DagDatum, 0);
    QCOMPARE(e.Uur, 24);
    QCOMPARE(e.Minuut, 0);
    QCOMPARE(e.ZonTijd, 0);
    QCOMPARE(e.Random, 0);
    QCOMPARE(e.Aktie, 0);
    QVERIFY(e.Aangemaakt >= before && e.Aangemaakt <= ProgAktie::Now());
    QVERIFY(!e.IsValid());
    QCOMPARE(e.TimeText(), QStringLiteral("<time>"));
    QCOMPARE(e.DayText(), QStringLiteral("<day/date>"));
    QCOMPARE(e.MonthText(), QStringLiteral("<month>"));
    QCOMPARE(e.ActionText(), QStringLiteral("off"));
  }

  void nowCountsDaysFrom1899() {
    const QDateTime t = QDateTime::currentDateTime();
    const double expected =
        QDate(1899, 12, 30).daysTo(t.date()) + t.time().msecsSinceStartOfDay() / 86400000.0;
    QVERIFY(qAbs(ProgAktie::Now() - expected) < 2.0 / 86400);
    QVERIFY(ProgAktie::Now() > 45000);  // after 2023
  }

  void cloneCopiesAllButCreation() {
    auto e = Entry(3, 4, 5, 6, 7, 8, 1000.0);
    e->ZonTijd = 170;
    e->Random = 1;
    e->Aktie = 12;
    const auto c = e->Clone();
    QVERIFY(c != e);
    QCOMPARE(c->Ruimte, 3);
    QCOMPARE(c->Apparaat, 4);
    QCOMPARE(c->Maand, 5);
    QCOMPARE(c->DagDatum, 6);
    QCOMPARE(c->Uur, 7);
    QCOMPARE(c->Minuut, 8);
    QCOMPARE(c->ZonTijd, 170);
    QCOMPARE(c->Random, 1);
    QCOMPARE(c->Aktie, 12);
    QVERIFY(c->Aangemaakt > 45000);
  }

  void sortKey_data() {
    QTest::addColumn<int>("ruimte");
    QTest::addColumn<int>("dag");
    QTest::addColumn<double>("aangemaakt");
    QTest::addColumn<QString>("key");
    QTest::newRow("weekdays Su+Sa: day key 62") << 1 << 193 << 45000.5 << "010213062070545000.5";
    QTest::newRow("all days: day key 0") << 1 << 255 << 45000.0 << "010213000070545000";
    QTest::newRow("date 31") << 1 << 31 << 45000.25 << "010213031070545000.25";
    QTest::newRow("128 stays 128") << 1 << 128 << 2.0 << "01021312807052";
    QTest::newRow("negative as printf pads") << -1 << -5 << 0.5 << "-01-02-13-005-07-050.5";
    QTest::newRow("15 significant digits") << 32 << 1 << 45002.123456789012 << "320213001070545002.123456789";
    QTest::newRow("exponent form") << 1 << 1 << 1e20
                                   << "0102130010705"
                                      "1e+20";
  }

  void sortKey() {
    QFETCH(int, ruimte);
    QFETCH(int, dag);
    QFETCH(double, aangemaakt);
    QFETCH(QString, key);
    ProgAktie e;
    e.Ruimte = ruimte;
    e.Apparaat = ruimte < 0 ? -2 : 2;
    e.Maand = ruimte < 0 ? -13 : 13;
    e.DagDatum = dag;
    e.Uur = ruimte < 0 ? -7 : 7;
    e.Minuut = ruimte < 0 ? -5 : 5;
    e.Aangemaakt = aangemaakt;
    QCOMPARE(e.SortKey(), key);
  }

  void sortKeyUsesLocaleDecimalSeparator() {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString key = Entry(0, 0, 1, 1, 1, 1, 45000.5)->SortKey();
    QLocale::setDefault(saved);
    QVERIFY2(key.endsWith(QStringLiteral("45000,5")), qPrintable(key));
  }

  void timeText_data() {
    QTest::addColumn<int>("zonTijd");
    QTest::addColumn<int>("uur");
    QTest::addColumn<int>("random");
    QTest::addColumn<QString>("text");
    QTest::newRow("45: before sunrise") << 45 << 24 << 0 << "15 before sun rise";
    QTest::newRow("1") << 1 << 24 << 0 << "59 before sun rise";
    QTest::newRow("60: sunrise") << 60 << 24 << 0 << "sun rise";
    QTest::newRow("119") << 119 << 24 << 0 << "59 after sun rise";
    QTest::newRow("121") << 121 << 24 << 0 << "59 before sun set";
    QTest::newRow("180: sunset") << 180 << 24 << 0 << "sun set";
    QTest::newRow("200: after sunset") << 200 << 24 << 0 << "20 after sun set";
    QTest::newRow("0 falls through") << 0 << 8 << 0 << "08:05";
    QTest::newRow("120 falls through") << 120 << 8 << 0 << "08:05";
    QTest::newRow("240 falls through") << 240 << 24 << 0 << "<time>";
    QTest::newRow("negative falls through") << -3 << 9 << 0 << "09:05";
    QTest::newRow("random") << 0 << 8 << 1 << "between 08:05 and 09:05";
    QTest::newRow("random wraps to 00") << 0 << 23 << 1 << "between 23:05 and 00:05";
    QTest::newRow("sun time ignores random") << 60 << 8 << 1 << "sun rise";
  }

  void timeText() {
    QFETCH(int, zonTijd);
    QFETCH(int, uur);
    QFETCH(int, random);
    QFETCH(QString, text);
    ProgAktie e;
    e.ZonTijd = zonTijd;
    e.Uur = uur;
    e.Minuut = 5;
    e.Random = uint8_t(random);
    QCOMPARE(e.TimeText(), text);
  }

  void dayMonthActionTexts() {
    ProgAktie e;
    e.DagDatum = 193;
    QCOMPARE(e.DayText(), QStringLiteral("Su Sa "));
    e.DagDatum = 255;
    QCOMPARE(e.DayText(), QStringLiteral("Su Mo Tu We Th Fr Sa "));
    e.DagDatum = 128;
    QCOMPARE(e.DayText(), QString());
    e.DagDatum = 17;
    QCOMPARE(e.DayText(), QStringLiteral("17"));

    e.Maand = 1;
    QCOMPARE(e.MonthText(), QStringLiteral("January"));
    e.Maand = 12;
    QCOMPARE(e.MonthText(), QStringLiteral("December"));
    e.Maand = 13;
    QCOMPARE(e.MonthText(), QStringLiteral("every month"));

    e.Ruimte = 2;
    e.Aktie = 17;
    QCOMPARE(e.ActionText(), QStringLiteral("on"));
    e.Aktie = 9;
    QCOMPARE(e.ActionText(), QStringLiteral("dim 9"));
    e.Ruimte = 17;
    QCOMPARE(e.ActionText(), QStringLiteral("execute"));
    QVERIFY(e.IsScene());
    QCOMPARE(e.SceneIndex(), 0);
    QCOMPARE(e.Kind(), 2);
  }

  void isValid_data() {
    QTest::addColumn<int>("maand");
    QTest::addColumn<int>("dag");
    QTest::addColumn<int>("uur");
    QTest::addColumn<int>("zonTijd");
    QTest::addColumn<bool>("valid");
    QTest::newRow("31 April") << 4 << 31 << 8 << 0 << false;
    QTest::newRow("30 April") << 4 << 30 << 8 << 0 << true;
    QTest::newRow("29 February") << 2 << 29 << 8 << 0 << true;
    QTest::newRow("30 February") << 2 << 30 << 8 << 0 << false;
    QTest::newRow("every month, 31") << 13 << 31 << 8 << 0 << true;
    QTest::newRow("weekdays without a day") << 13 << 128 << 8 << 0 << false;
    QTest::newRow("Monday") << 2 << 130 << 8 << 0 << true;
    QTest::newRow("no time") << 5 << 3 << 24 << 0 << false;
    QTest::newRow("sun time without clock time") << 5 << 3 << 24 << 150 << true;
    QTest::newRow("no month") << 0 << 3 << 8 << 0 << false;
    QTest::newRow("no day") << 5 << 0 << 8 << 0 << false;
    QTest::newRow("month out of range") << 14 << 3 << 8 << 0 << false;
    QTest::newRow("negative day") << 5 << -4 << 8 << 0 << false;
  }

  void isValid() {
    QFETCH(int, maand);
    QFETCH(int, dag);
    QFETCH(int, uur);
    QFETCH(int, zonTijd);
    QFETCH(bool, valid);
    auto e = Entry(0, 0, maand, dag, uur, 0, 1.0);
    e->ZonTijd = zonTijd;
    QCOMPARE(e->IsValid(), valid);
    // The timer screen marks a field red exactly when the entry is incomplete.
    const ProgAktie::Missing m = e->MissingFields();
    QCOMPARE(!(m.Month || m.Day || m.Time), valid);
    e->Apparaat = -1;
    QVERIFY(!e->IsValid());
  }

  void addPlacesBeforeSelected() {
    auto a = Entry(1, 1, 1, 1, 1, 0, 1.0);
    auto b = Entry(1, 1, 2, 1, 1, 0, 1.0);
    auto c = Entry(1, 1, 3, 1, 1, 0, 1.0);
    ProgAktieList list(1, Keyed({a, b, c}), 1);

    // Nothing selected: appended.
    auto n1 = std::make_shared<ProgAktie>();
    QCOMPARE(list.Add(n1), 3);
    QCOMPARE(n1->Ruimte, 1);
    QCOMPARE(n1->Apparaat, 1);
    QCOMPARE(list.Selected, n1);

    list.Resort();  // n1 (month 0) goes first
    QCOMPARE(Order(list.Items), (QList<ProgAktie*>{n1.get(), a.get(), b.get(), c.get()}));
    list.SetSelected(b);
    auto n2 = std::make_shared<ProgAktie>();
    QCOMPARE(list.Add(n2), 2);  // in front of the selected entry
    QCOMPARE(list.SelectedIndex(), 2);

    list.SetSelected(c);  // the last one: appended
    auto n3 = std::make_shared<ProgAktie>();
    QCOMPARE(list.Add(n3), 5);

    // A selected entry whose key is not found (edited since): appended.
    list.SetSelected(a);
    a->Maand = 9;
    QCOMPARE(list.Add(std::make_shared<ProgAktie>()), 6);

    list.AddCopy(nullptr);
    QCOMPARE(int(list.Items.size()), 7);
    list.AddCopy(c);
    QCOMPARE(list.Selected->Maand, 3);
    QVERIFY(list.Selected != c);
  }

  void removeSelectsNeighbour() {
    // The only entry: a new blank entry takes its place.
    auto only = Entry(2, 3, 1, 1, 1, 0, 1.0);
    ProgAktieList single(2, Keyed({only}), 3);
    single.SetSelected(only);
    single.Remove(only);
    QCOMPARE(int(single.Items.size()), 1);
    QCOMPARE(int(single.Deleted.size()), 1);
    QCOMPARE(single.Deleted[0].Entry, only);
    QVERIFY(single.Selected && single.Selected != only);
    QCOMPARE(single.Selected->Maand, 0);
    QCOMPARE(single.Selected->Ruimte, 2);
    QCOMPARE(single.Selected->Apparaat, 3);

    auto a = Entry(1, 1, 1, 1, 1, 0, 1.0);
    auto b = Entry(1, 1, 2, 1, 1, 0, 1.0);
    auto c = Entry(1, 2, 3, 1, 1, 0, 1.0);
    auto d = Entry(1, 2, 4, 1, 1, 0, 1.0);
    ProgAktieList list(1, Keyed({a, b, c, d}), 1);
    // Last of a longer list: the one before it.
    list.SetSelected(d);
    list.Remove(d);
    QCOMPARE(list.Selected, c);
    // The next entry has another target: the one before.
    list.SetSelected(b);
    list.Remove(b);
    QCOMPARE(list.Selected, a);
    QCOMPARE(list.Apparaat, 1);
    // The next entry has the same target: it is selected.
    list.Items.insert(list.Items.begin() + 1, {b->SortKey(), b});
    list.SetSelected(a);
    list.Remove(a);
    QCOMPARE(list.Selected, b);
    QCOMPARE(int(list.Deleted.size()), 3);
    // An entry not in the list changes nothing.
    list.Remove(d);
    QCOMPARE(int(list.Deleted.size()), 3);
    QCOMPARE(int(list.Items.size()), 2);
  }

  void selectionAndLookup() {
    auto a = Entry(4, 5, 1, 1, 1, 0, 1.0);
    auto b = Entry(6, 7, 2, 1, 1, 0, 1.0);
    b->Random = 1;
    ProgAktieList list(0, Keyed({a, b}), 0);
    QCOMPARE(list.SelectedIndex(), 0);  // nothing selected
    list.Select(1);
    QCOMPARE(list.Selected, b);
    QCOMPARE(list.Ruimte, 6);
    QCOMPARE(list.Apparaat, 7);
    QCOMPARE(list.SelectedIndex(), 1);
    QCOMPARE(list.ItemAt(0), a);
    QVERIFY(!list.ItemAt(2));
    QCOMPARE(list.RandomCount(), 1);
    list.Select(-1);  // a new entry for the current target
    QCOMPARE(int(list.Items.size()), 3);
    QCOMPARE(list.Selected->Ruimte, 6);
    list.Select(7);
    QCOMPARE(int(list.Items.size()), 4);
  }

  void indexOfKeyAndResort() {
    auto a = Entry(1, 0, 5, 1, 1, 0, 10.0);
    auto b = Entry(1, 0, 5, 2, 1, 0, 10.0);
    auto c = Entry(1, 0, 5, 3, 1, 0, 10.0);
    ProgAktieList list(1, Keyed({c, a, b}), 0);
    list.Resort();
    QCOMPARE(Order(list.Items), (QList<ProgAktie*>{a.get(), b.get(), c.get()}));
    QCOMPARE(list.IndexOfKey(*b), 1);
    QCOMPARE(list.IndexOfKey(*Entry(1, 0, 5, 2, 1, 0, 1.0)), 1);   // would go before b
    QCOMPARE(list.IndexOfKey(*Entry(1, 0, 9, 1, 1, 0, 10.0)), 3);  // after all
    // Weekdays sort before dates of the same month: more days, smaller key.
    auto everyDay = Entry(1, 0, 5, 255, 1, 0, 10.0);
    auto twin = Entry(1, 0, 5, 255, 1, 0, 10.0);  // same key: both must stay
    list.Items.push_back({everyDay->SortKey(), everyDay});
    list.Items.push_back({twin->SortKey(), twin});
    c->Maand = 1;  // edited: Resort takes fresh keys
    list.Resort();
    QCOMPARE(Order(list.Items), (QList<ProgAktie*>{c.get(), everyDay.get(), twin.get(), a.get(), b.get()}));
  }

  void globalList() {
    GlobalProgAktieList g;
    QCOMPARE(g.Ruimte, 0);
    QCOMPARE(g.Apparaat, 0);
    auto r2d0 = Entry(2, 0, 1, 1, 1, 0, 1.0);
    auto r2d1 = Entry(2, 1, 1, 1, 1, 0, 2.0);
    auto r2d1b = Entry(2, 1, 2, 1, 1, 0, 3.0);
    auto r2d2 = Entry(2, 2, 1, 1, 1, 0, 4.0);
    auto r2d15 = Entry(2, 15, 1, 1, 1, 0, 5.0);
    auto r3d2 = Entry(3, 2, 1, 1, 1, 0, 6.0);
    for (const auto& e : {r2d0, r2d1, r2d1b, r2d2, r2d15, r3d2, r2d2}) g.AddUnique(e);
    QCOMPARE(g.Count(), 6);  // the second r2d2 is the same entry

    g.RemoveApparaat(2, 1);
    QCOMPARE(Order(g.AllItems), (QList<ProgAktie*>{r2d0.get(), r2d2.get(), r2d15.get(), r3d2.get()}));
    QCOMPARE(r2d0->Apparaat, 0);
    QCOMPARE(r2d2->Apparaat, 1);
    QCOMPARE(r2d15->Apparaat, 14);
    QCOMPARE(r3d2->Apparaat, 2);
    QCOMPARE(g.AllItems[1].Key, r2d2->SortKey());

    const KeyedAktieList copy = g.KeyedCopy();
    QCOMPARE(Order(copy), Order(g.AllItems));
    QCOMPARE(copy[2].Key, r2d15->SortKey());

    g.RemoveAktie(r3d2);
    g.RemoveAktie(r3d2);
    QCOMPARE(g.Count(), 3);

    auto valid = Entry(5, 5, 13, 130, 7, 0, 7.0);
    auto invalid = Entry(5, 5, 0, 130, 7, 0, 8.0);
    g.Apply(Keyed({valid, invalid, r2d0}), Keyed({r2d15}));
    QCOMPARE(Order(g.AllItems), (QList<ProgAktie*>{r2d0.get(), r2d2.get(), valid.get()}));
  }
};

QTEST_GUILESS_MAIN(TestProgAktie)
#include "tst_progaktie.moc"

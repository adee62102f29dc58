// The command protocol, byte for byte, against the simulated box.
#include <QElapsedTimer>
#include <limits>

#include "DeviceTestSupport.h"
#include "core/device/Communicatie.h"
#include "core/timers/sunrise.h"

namespace {

TApparaat& Dev(int r, int a) { return TLoadSave::Instance()->Ruimtes[r].Apparaten[a]; }

ProgAktiePtr AddEntry(int ruimte, int apparaat, int maand, int dag, int uur, int minuut, int zon, int random,
                      int aktie) {
  auto e = std::make_shared<ProgAktie>();
  e->Ruimte = ruimte;
  e->Apparaat = apparaat;
  e->Maand = maand;
  e->DagDatum = dag;
  e->Uur = uur;
  e->Minuut = minuut;
  e->ZonTijd = zon;
  e->Random = uint8_t(random);
  e->Aktie = uint8_t(aktie);
  TLoadSave::Instance()->Programma->AllItems.push_back(KeyedAktie{QString::number(qintptr(e.get())), e});
  return e;
}

void SetScene(int s, std::vector<TSceneAktie> items) {
  TScene& sc = TLoadSave::Instance()->Scenes[s];
  sc.Akties.fill(TSceneAktie());
  for (size_t k = 0; k < items.size(); ++k) sc.Akties[k] = items[k];
}

std::array<uint8_t, 5> Rec(const TCommunicatie& c, int i) {
  return {c.Image[5 * i], c.Image[5 * i + 1], c.Image[5 * i + 2], c.Image[5 * i + 3], c.Image[5 * i + 4]};
}

}  // namespace

class TestCommunicatie : public QObject {
  Q_OBJECT

  BoxTestWorkspace ws_;
  std::shared_ptr<SimulatedBox> box_;
  HookRecorder hooks_;

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void init() {
    FailOnUnexpectedWarnings();
    ws_.Begin(40);
    TLoadSave::Instance()->InitData();
    TLoadSave::Instance()->Programma->AllItems.clear();
    hooks_ = HookRecorder();
    hooks_.Install();
    box_ = std::make_shared<SimulatedBox>();
    GiveValidAddress(*box_);
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
    QCOMPARE(Letters(*box_), QStringLiteral("Td"));
    box_->ClearLog();
  }

  void cleanup() {
    ws_.End();
    box_.reset();
  }

  void records() {
    Dev(0, 0).Code = 42;
    Dev(0, 0).CodeSchijf = 0;
    Dev(1, 2).Code = 3;
    Dev(1, 2).CodeSchijf = 1;
    AddEntry(0, 0, 13, 130, 7, 30, 0, 0, 17);           // every month, Mondays, 07:30, on
    auto e = AddEntry(1, 2, 12, 15, 24, 0, 165, 1, 5);  // December 15th, 15 min before sunset, random, dim 5
    AddEntry(1, 2, 13, 128 + 2 + 32, 24, 0, 60, 0, 0);  // at sunrise, Monday and Friday
    AddEntry(1, 2, 6, 1, 24, 0, 180, 0, 0);             // at sunset
    AddEntry(17 + 4, -1, 13, 1, 8, 0, 0, 0, 0);         // scene 4
    AddEntry(1, 2, 13, 1, 24, 7, 50, 0, 0);             // 10 min before sunrise
    TCommunicatie c;
    c.BuildProgrammeImage();
    QCOMPARE(c.ImageLength(), 31);
    QCOMPARE(Rec(c, 0), (std::array<uint8_t, 5>{0x78, 0x07, 0x04, 0x8D, 0x2A}));
    QCOMPARE(Rec(c, 1), (std::array<uint8_t, 5>{0x3D, 0x83, 0x1F, 0x2A, 0x03}));
    QCOMPARE(e->Uur, 3);  // the entry keeps the derived fields
    QCOMPARE(e->Minuut, 15);
    // Sunrise, offset 0: kind 0; weekday mask Monday + Friday = 34 in byte 2, bit 0 of byte 3.
    QCOMPARE(Rec(c, 2), (std::array<uint8_t, 5>{0x01, 0x00, 34 << 1, 0x01, 0x03}));
    // Sunset, offset 0: kind 1; June = month code 6.
    QCOMPARE(Rec(c, 3), (std::array<uint8_t, 5>{0x01, 0x01 | (6 << 5), 0x02, 0x00, 0x03}));
    // A scene entry: bit 1 of byte 0, byte 3 bit 2 (no code wheel) stays 0, byte 4 the scene index.
    QCOMPARE(Rec(c, 4), (std::array<uint8_t, 5>{0x02, 0x08, 0x02, 0x00, 0x04}));
    // Before sunrise: kind 2, offset 10.
    QCOMPARE(Rec(c, 5), (std::array<uint8_t, 5>{uint8_t(1 | (10 << 2)), 0x02, 0x02, 0x00, 0x03}));
    QCOMPARE(c.Image[30], uint8_t(0xF0));
  }

  // Entries and scene items whose target does not exist are left out and
  // reported, never compiled into a record that addresses something else;
  // out-of-range values neither overflow nor spill; more than 300 entries
  // never overflow the image.
  void badTargetsLeftOut() {
    Dev(0, 0).Code = 9;
    Dev(0, 1).Code = -5;
    Dev(0, 2).Code = 300;
    Dev(0, 3).Code = 4;
    Dev(0, 3).DimNiveau = std::numeric_limits<int32_t>::max();
    AddEntry(16, 0, 13, 1, 1, 0, 0, 0, 17);       // neither a room nor a scene
    AddEntry(99, 0, 13, 1, 1, 0, 0, 0, 17);       // would be scene 82
    AddEntry(0, 99, 13, 1, 1, 0, 0, 0, 17);       // no such device
    AddEntry(0, 1, 13, 1, 1, 0, 0, 0, 17);        // negative code
    AddEntry(0, 2, 13, 1, 1, 0, 0, 0, 17);        // code past 255
    AddEntry(0, 0, 13, 1, 1, 0, 0, 0, 200);       // no such action
    AddEntry(0, -7, -3, -200, -1, -9, 0, 1, 17);  // no such device either
    AddEntry(0, 0, -3, -200, std::numeric_limits<int32_t>::max(), -9, 999, 1, 5);
    for (int i = 0; i < 320; ++i) AddEntry(0, 0, 13, 1, 1, 0, 0, 0, 17);
    TCommunicatie c;
    c.BuildProgrammeImage();
    QCOMPARE(c.ImageLength(), 1501);
    QCOMPARE(c.SkippedEntries.size(), 7);
    QVERIFY(c.SkippedEntries[1].contains(QLatin1String("scene 82")));
    QCOMPARE(Rec(c, 0)[4], uint8_t(9));  // the out-of-range fields stay masked in their own bits
    for (int i = 1; i < 300; ++i) QCOMPARE(Rec(c, i), (std::array<uint8_t, 5>{0x00, 0x01, 0x02, 0x8C, 0x09}));
    QCOMPARE(c.Image[1500], uint8_t(0xF0));

    SetScene(0,
             {{0, 1, 17}, {0, 0, std::numeric_limits<int32_t>::max()}, {5, 99, 17}, {0, 3, -4}, {0, 0, 17}});
    c.BuildSceneTable();
    QCOMPARE(c.SkippedItems.size(), 4);  // two left out, two clamped
    // The remaining items close up; values outside 0..17 become 16 and 1.
    const uint8_t expected[] = {9, 0x80 + 33, 4, 0x80 + 3, 9, 0x80 + 35};
    for (int i = 0; i < 6; ++i) QCOMPARE(c.SceneTable[i], expected[i]);
    for (int i = 6; i < 32; ++i) QCOMPARE(c.SceneTable[i], uint8_t(0));
    QCOMPARE(c.Skipped().size(), 11);

    QCOMPARE(DimValueByte(Dev(0, 3)), uint8_t(0x21));
    Dev(0, 3).DimNiveau = std::numeric_limits<int32_t>::min();
    QCOMPARE(DimValueByte(Dev(0, 3)), uint8_t(0x03));
    QVERIFY(!HasSendableCode(Dev(0, 1)) && !HasSendableCode(Dev(0, 2)) && HasSendableCode(Dev(0, 0)));
  }

  void sceneTable() {
    Dev(0, 0).Code = 7;
    Dev(0, 0).CodeSchijf = 1;
    Dev(0, 1).Code = 7;
    Dev(0, 1).CodeSchijf = 0;
    SetScene(0, {{0, 0, 17}});
    SetScene(1, {{0, 1, 17}});
    SetScene(2, {{0, 0, 3}, {0, 1, 0}, {0, 0, 16}, {-1, -1, 0}, {0, 0, 5}});  // stops at the empty item
    std::vector<TSceneAktie> full(16, TSceneAktie{0, 0, 1});
    SetScene(3, full);
    TCommunicatie c;
    c.BuildSceneTable();
    QCOMPARE(c.SceneTable[0], uint8_t(0x07));
    QCOMPARE(c.SceneTable[1], uint8_t(0xA2));
    for (int i = 2; i < 32; ++i) QCOMPARE(c.SceneTable[i], uint8_t(0));
    QCOMPARE(c.SceneTable[33], uint8_t(0xA3));
    QCOMPARE(c.SceneTable[64 + 1], uint8_t(0x86));
    QCOMPARE(c.SceneTable[64 + 3], uint8_t(0x81));
    QCOMPARE(c.SceneTable[64 + 5], uint8_t(0xA0));
    for (int i = 64 + 6; i < 96; ++i) QCOMPARE(c.SceneTable[i], uint8_t(0));
    for (int k = 0; k < 15; ++k) QCOMPARE(c.SceneTable[96 + 2 * k + 1], uint8_t(0x82));
    QCOMPARE(c.SceneTable[96 + 31], uint8_t(0x02));  // 16th slot: bit 7 clear
  }

  void emptyAndTwoChunkUploads() {
    TCommunicatie c;
    c.UploadProgramme();
    auto got = box_->Received();
    QCOMPARE(int(got.size()), 1);
    QCOMPARE(got[0], Rep({0, 'P', 0, 0, 60, 0xF0}));

    box_->ClearLog();
    for (int i = 0; i < 12; ++i) AddEntry(0, 0, 13, 1, 1, i, 0, 0, 17);
    c.UploadProgramme();
    got = box_->Received();
    QCOMPARE(int(got.size()), 2);
    QCOMPARE(Offset(got[0]), 0);
    QCOMPARE(Offset(got[1]), 60);
    QCOMPARE(got[1][4], uint8_t(60));
    QCOMPARE(got[1][5], uint8_t(0xF0));
    for (int i = 6; i < 65; ++i) QCOMPARE(got[1][i], uint8_t(0));
    QCOMPARE(box_->Programme[60], uint8_t(0xF0));
  }

  // A full programme: the end byte at 1500 travels alone (length 1), the box
  // keeps it, and the read-back covers it, so the full programme verifies.
  void fullProgramme() {
    for (int i = 0; i < 300; ++i) AddEntry(0, 0, 13, 1 + i % 31, i % 24, i % 60, 0, 0, 17);
    TCommunicatie c;
    c.UploadProgramme();
    auto got = box_->Received();
    QCOMPARE(int(got.size()), 26);
    QCOMPARE(Offset(got[25]), 1500);
    QCOMPARE(got[25][4], uint8_t(1));
    QCOMPARE(got[25][5], uint8_t(0xF0));
    QCOMPARE(box_->Programme[1500], uint8_t(0xF0));
    box_->ClearLog();
    TCommunicatie v;
    QVERIFY(v.CheckBlocks().ProgrammeEqual);
    // 24 pages of 64 bytes reach position 1500.
    QCOMPARE(Letters(*box_).count(QLatin1Char('p')), 24);
    box_->Programme[1500] = 0;
    QVERIFY(!TCommunicatie().CheckBlocks().ProgrammeEqual);
  }

  // The whole send-everything sequence, report by report.
  void sendEverything() {
    Dev(0, 0).Code = 7;
    Dev(0, 0).CodeSchijf = 1;
    SetScene(0, {{0, 0, 17}});
    Dev(0, 1).Code = 42;
    AddEntry(0, 1, 13, 130, 7, 30, 0, 0, 17);
    TCommunicatie c;
    c.SyncSceneTable();
    c.SendSunTable();
    c.UploadProgramme();

    std::vector<Report> want;
    for (int off = 0; off < 512; off += 64) want.push_back(Rep({0, 'c', off & 0xFF, off >> 8}));
    for (int off = 0; off <= 480; off += 60) {
      Report r = Rep({0, 'C', off & 0xFF, off >> 8, off < 480 ? 60 : 32});
      if (off == 0) {
        r[5] = 0x07;
        r[6] = 0xA2;
      }
      want.push_back(r);
    }
    for (int off = 0; off < 512; off += 64) want.push_back(Rep({0, 'c', off & 0xFF, off >> 8}));
    tsunrise sun;
    const TSunPlace p = tsunrise::Place(TLoadSave::Instance()->Location);
    sun.BuildSunriseTable(p.Latitude, p.Longitude, p.TimeZone);
    sun.BuildSunsetTable(p.Latitude, p.Longitude, p.TimeZone);
    for (int off = 0; off < 144; off += 60) {
      const int n = std::min(60, 144 - off);
      Report r = Rep({0, 'E', off, 0, n});
      std::copy_n(sun.SunTable + off, n, r.begin() + 5);
      want.push_back(r);
    }
    want.push_back(Rep({0, 'P', 0, 0, 60, 0x78, 0x07, 0x04, 0x8D, 0x2A, 0xF0}));

    const auto got = box_->Received();
    QCOMPARE(int(got.size()), int(want.size()));
    for (size_t i = 0; i < want.size(); ++i) {
      if (got[i][1] == 'E') {
        // The sun engineer owns the unnamed bytes' content of 'E'; compare what is named.
        QCOMPARE(QByteArray((const char*)got[i].data(), 5 + got[i][4]),
                 QByteArray((const char*)want[i].data(), 5 + want[i][4]));
      } else {
        QCOMPARE(got[i], want[i]);
      }
    }
    QCOMPARE(box_->SceneTable[1], uint8_t(0xA2));
    QCOMPARE(0, std::memcmp(box_->SunTable.data(), sun.SunTable, 144));

    box_->ClearLog();
    QVERIFY(TCommunicatie().VerifyBox());
    // Sync with equal tables: eight reads, no 'C'.
    box_->ClearLog();
    TCommunicatie().SyncSceneTable();
    QCOMPARE(Letters(*box_), QStringLiteral("cccccccc"));
  }

  void verifyFindsEachDifference() {
    AddEntry(0, 0, 13, 1, 1, 0, 0, 0, 17);
    {
      TCommunicatie c;
      c.SyncSceneTable();
      c.SendSunTable();
      c.UploadProgramme();
    }
    QVERIFY(TCommunicatie().VerifyBox());
    box_->SceneTable[511] = 1;
    box_->ClearLog();
    QVERIFY(!TCommunicatie().VerifyBox());
    QCOMPARE(Letters(*box_), QStringLiteral("cccccccc"));  // stops at the scene table
    auto blocks = TCommunicatie().CheckBlocks();
    QVERIFY(!blocks.SceneTableEqual && blocks.SunTableEqual && blocks.ProgrammeEqual);
    box_->SceneTable[511] = 0;
    box_->SunTable[100] ^= 1;
    QVERIFY(!TCommunicatie().VerifyBox());
    box_->SunTable[100] ^= 1;
    box_->Programme[3] ^= 1;
    QVERIFY(!TCommunicatie().VerifyBox());
    blocks = TCommunicatie().CheckBlocks();
    QVERIFY(blocks.SceneTableEqual && blocks.SunTableEqual && !blocks.ProgrammeEqual);
  }

  void addressCheck() {
    CheckBoxAddress();
    QCOMPARE(Letters(*box_), QStringLiteral("d"));
    QVERIFY(LastAddressCheck.Valid);
    box_->AddressCheck = 0x64;
    box_->ClearLog();
    CheckBoxAddress();
    QCOMPARE(Letters(*box_), QStringLiteral("ddD"));  // a second read confirms the bad check byte
    const Report d = box_->Received()[2];
    const uint32_t v = uint32_t(d[2]) << 16 | d[3] << 8 | d[4];
    QVERIFY(v >= 1 && v <= 0x3FFFFF);
    QCOMPARE(LastAddressCheck.NewAddress, v);
    QVERIFY(box_->AddressValid());
    QCOMPARE(box_->Address[0], d[2]);

    // One garbled answer is not enough: the second read finds the address valid.
    const auto address = box_->Address;
    box_->InjectFault(SimulatedBox::Fault::Garbage, 'd');
    box_->ClearLog();
    CheckBoxAddress();
    QVERIFY(!Letters(*box_).contains(QLatin1Char('D')));
    QCOMPARE(box_->Address, address);
    QVERIFY(LastAddressCheck.Valid && !LastAddressCheck.Replaced);
  }

  void switchReports() {
    TApparaat wheel;
    wheel.CodeSchijf = 1;
    wheel.DimNiveau = 8;
    TApparaat plain;
    plain.CodeSchijf = 0;
    plain.Dimbaar = 1;
    plain.DimNiveau = 16;
    QCOMPARE(SwitchOnByte(wheel), uint8_t(0x22));
    QCOMPARE(SwitchOnByte(plain), uint8_t(0x23));
    QCOMPARE(SwitchOffByte(wheel), uint8_t(0x00));
    QCOMPARE(SwitchOffByte(plain), uint8_t(0x01));
    QCOMPARE(DimValueByte(wheel), uint8_t(0x11));
    QCOMPARE(DimValueByte(plain), uint8_t(0x21));
    QCOMPARE(LearningTickByte(plain), uint8_t(0x11));
    QCOMPARE(LearningTickByte(wheel), uint8_t(0x23));
    SendSwitch(42, 0x23);
    TCommunicatie().ActivateScene(5);
    QCOMPARE(box_->Received()[0], Rep({0, 'Z', 42, 0x23, 5}));
    QCOMPARE(box_->SwitchEvents,
             (std::vector<SimulatedBox::SwitchEvent>{{'Z', 42, 0x23, 5}, {'S', 5, 0, 0}}));
  }

  void clockReport() {
    SendBoxClock(QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15)));
    QCOMPARE(box_->Received()[0], Rep({0, 'T', 24, 2, 29, 13, 14, 15, 5}));
    QCOMPARE(box_->Clock().date(), QDate(2024, 2, 29));
  }

  // No box: nothing is sent, and the build still derives the sun fields.
  void nothingWithoutBox() {
    BoxConnected = false;
    auto e = AddEntry(0, 0, 13, 1, 24, 0, 70, 0, 17);
    TCommunicatie c;
    c.SyncSceneTable();
    c.UploadProgramme();
    c.ActivateScene(1);
    SendSwitch(1, 1);
    CheckBoxAddress();
    QVERIFY(!c.VerifyBox());
    QCOMPARE(int(box_->Log().size()), 0);
    QCOMPARE(e->Uur, 0);
    QCOMPARE(e->Minuut, 10);
  }
};

QTEST_GUILESS_MAIN(TestCommunicatie)
#include "tst_communicatie.moc"

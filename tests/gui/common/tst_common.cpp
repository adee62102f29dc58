// The shared screen pieces: the tile row under the rules of the screens that
// use it (home rows with their blank slot, composition rows without, the
// sixteen-tile scenes grid), the tile's looks and the content screen's
// ownership of its panel.
#include <QPointer>
#include <QtTest>

#include "core/shell/Language.h"

#include "TestSupport.h"
#include "gui/common/ButtonColumn.h"
#include "gui/common/ContentScreen.h"
#include "gui/common/TileRow.h"
#include "gui/common/YesNo.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/ImageControl.h"

namespace {

// Sixteen tiles' worth of controls and four page dots on one widget.
struct Controls {
  QWidget form;
  std::vector<TTileParts> tiles;
  std::vector<TImage*> dots;
  Controls() {
    form.resize(600, 900);
    for (int i = 0; i < 16; ++i) {
      TTileParts p;
      p.Background = new TImage(&form);
      p.Background->setGeometry((i % 4) * 146, 40 + (i / 4) * 210, 130, 198);
      p.Picture = new TImage(&form);
      p.Picture->setGeometry((i % 4) * 146, 68 + (i / 4) * 210, 130, 80);
      p.Caption = new TLabel(&form);
      p.Caption->setGeometry((i % 4) * 146, 154 + (i / 4) * 210, 130, 36);
      p.Led = new TImage(&form);
      p.Led->setGeometry((i % 4) * 146 + 33, 204 + (i / 4) * 210, 64, 16);
      p.Led->hide();
      tiles.push_back(p);
    }
    for (int i = 0; i < 4; ++i) {
      dots.push_back(new TImage(&form));
      dots.back()->setGeometry(i * 35, 0, 25, 25);
    }
  }
};

bool LooksSelected(const TTile* t) {
  return t->Background->picture() == TImageFetcher::Instance()->Picture(UIPic::Selected) &&
         t->Caption->fontColor() == QColor(Qt::white);
}

int Dot(const TImage* dot) {
  for (int n : {UIPic::PISel, UIPic::PINotSel, UIPic::PIDisabled})
    if (dot->picture() == TImageFetcher::Instance()->Picture(n)) return n;
  return 0;
}

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

}  // namespace

class TstCommon : public QObject {
  Q_OBJECT
  TempWorkspace ws_;

  // A four-tile row over `count` named items, with page dots.
  static void Build(TTileRow& row, Controls& c, int& count, bool leds = false) {
    for (int i = 0; i < 4; ++i) {
      TTileParts p = c.tiles[size_t(i)];
      if (!leds) p.Led = nullptr;
      row.AddTile(p);
    }
    for (TImage* d : c.dots) row.AddPageDot(d);
    row.ItemCount = [&count] { return count; };
    row.FillTile = [](TTile& t, int i) { t.Show(QImage(), QStringLiteral("Item %1").arg(i)); };
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() { FailOnUnexpectedWarnings(); }

  void rowWithBlankSlot() {
    Controls c;
    TTileRow row;
    int count = 5;
    Build(row, c, count);
    row.BlankSlot = true;
    std::vector<int> selected;
    row.Selected = [&](int i) { selected.push_back(i); };
    QCOMPARE(row.CurrentPage(), -1);
    row.ShowPage(0);
    QCOMPARE(selected, std::vector<int>{0});
    QVERIFY(LooksSelected(row.Tile(0)));
    QCOMPARE(row.Tile(3)->Caption->text(), QStringLiteral("Item 3"));
    QCOMPARE(row.Tile(3)->Background->accessibleName(), QStringLiteral("Item 3"));
    // Items 0..4 and the blank slot 5: pages 0 and 1.
    QCOMPARE(Dot(c.dots[0]), UIPic::PISel);
    QCOMPARE(Dot(c.dots[1]), UIPic::PINotSel);
    QCOMPARE(Dot(c.dots[2]), UIPic::PIDisabled);
    // Available dots read "page N of M"; a dot without a page reads nothing.
    QCOMPARE(c.dots[1]->accessibleName(), GetText(MoreTextId::PageOf).arg(2).arg(2));
    QVERIFY(c.dots[2]->accessibleName().isEmpty());
    Click(c.dots[2]);  // unavailable: ignored
    QCOMPARE(row.CurrentPage(), 0);
    Click(c.tiles[2].Caption);
    QCOMPARE(row.AbsoluteIndex(), 2);
    QVERIFY(!LooksSelected(row.Tile(0)));
    Click(c.dots[0]);  // the shown page: the selection stays
    QCOMPARE(row.AbsoluteIndex(), 2);
    Click(c.dots[1]);
    QCOMPARE(row.AbsoluteIndex(), 4);
    QCOMPARE(row.Tile(1)->Caption->text(), QString());
    QVERIFY(row.Select(1));   // the blank slot
    QVERIFY(!row.Select(2));  // beyond it
    QCOMPARE(row.AbsoluteIndex(), 5);
    QVERIFY(LooksSelected(row.Tile(1)) && !LooksSelected(row.Tile(2)));
    QCOMPARE(selected, (std::vector<int>{0, 2, 4, 5}));

    // A double-click selects first, then activates; a refused tile does neither.
    std::vector<int> activated;
    row.Activated = [&](int i) { activated.push_back(i); };
    QTest::mouseDClick(c.tiles[0].Picture, Qt::LeftButton);
    QTest::mouseDClick(c.tiles[3].Picture, Qt::LeftButton);
    QCOMPARE(activated, std::vector<int>{4});
    QCOMPARE(row.AbsoluteIndex(), 4);

    // Fewer items: a redraw of the page clears the tiles past them; going back
    // to the first page selects its first tile.
    count = 3;
    row.ShowPage(1);
    QCOMPARE(row.Tile(0)->Caption->text(), QString());
    QCOMPARE(row.Tile(0)->Background->accessibleName(), QString());
    row.ShowFirstPage();
    QCOMPARE(row.AbsoluteIndex(), 0);
    row.UnselectAll();
    for (int i = 0; i < 4; ++i) QVERIFY(!LooksSelected(row.Tile(i)));
    QCOMPARE(row.SelectedPosition(), 0);
  }

  void rowWithoutBlankSlot() {
    // As a composition row: only items are chosen, no page for the blank
    // slot, and a further refusal from the screen.
    Controls c;
    TTileRow row;
    int count = 4;
    Build(row, c, count, true);
    row.FillTile = [](TTile& t, int i) {
      t.Show(QImage(), QString::number(i));
      t.SetLedAction(std::nullopt);
    };
    bool allowed = true;
    row.CanSelect = [&](int) { return allowed; };
    row.ShowPage(0);
    QCOMPARE(Dot(c.dots[1]), UIPic::PIDisabled);
    QVERIFY(row.Select(3));
    count = 3;
    row.ShowPage(0);
    QVERIFY(!c.tiles[3].Led->isVisibleTo(&c.form));
    QVERIFY(c.tiles[2].Led->isVisibleTo(&c.form));
    QVERIFY(!row.Select(3));
    allowed = false;
    QVERIFY(!row.Select(1));
    QCOMPARE(row.AbsoluteIndex(), 3);
    count = 0;
    allowed = true;
    row.ShowFirstPage();
    QCOMPARE(Dot(c.dots[0]), UIPic::PIDisabled);
    QVERIFY(!row.Select(0));
  }

  void sceneGrid() {
    // Sixteen scene tiles on one page, all selectable, no dots.
    Controls c;
    TTileRow grid(16, 1);
    for (TTileParts p : c.tiles) {
      p.Picture = nullptr;
      p.Led = nullptr;
      p.Number = new TLabel(&c.form);
      grid.AddTile(p, TTile::Look::Scene);
    }
    grid.ItemCount = [] { return 16; };
    grid.FillTile = [](TTile& t, int i) {
      t.Show(QImage(), i == 0 ? QStringLiteral("Good night") : QString());
    };
    grid.ShowPage(0);
    grid.ShowPage(1);  // there is no second page
    QCOMPARE(grid.CurrentPage(), 0);
    Click(c.tiles[15].Caption);
    QCOMPARE(grid.AbsoluteIndex(), 15);
    const auto* f = TImageFetcher::Instance();
    QCOMPARE(grid.Tile(15)->Background->picture(), f->Picture(UIPic::SceneSelected));
    QCOMPARE(grid.Tile(15)->Number->fontColor(), QColor(Qt::white));
    QCOMPARE(grid.Tile(0)->Background->picture(), f->Picture(UIPic::SceneNotSelected));
    QCOMPARE(grid.Tile(0)->Number->fontColor(), QColor(Qt::black));
  }

  void tileLooks() {
    Controls c;
    TTile t(c.tiles[0]);
    const auto* f = TImageFetcher::Instance();
    t.SetSelected(true);
    QCOMPARE(t.Background->picture(), f->Picture(UIPic::Selected));
    QCOMPARE(t.Caption->fontColor(), QColor(Qt::white));
    t.SetSelected(false);
    QCOMPARE(t.Background->picture(), f->Picture(UIPic::NotSelected));
    QCOMPARE(t.Caption->fontColor(), QColor(Qt::black));
    const std::pair<std::optional<int>, int> leds[] = {
        {0, UIPic::LedsRed}, {17, UIPic::LedsGreen}, {8, UIPic::LedsYellow}, {std::nullopt, UIPic::LedsNone}};
    for (const auto& [action, picture] : leds) {
      t.SetLedAction(action);
      QCOMPARE(t.Led->picture(), f->Picture(picture));
    }
    QVERIFY(t.Led->isVisibleTo(&c.form));
    t.Show(QImage(130, 80, QImage::Format_RGB888), QStringLiteral("Reading lamp"));
    QVERIFY(!t.Picture->picture().isNull());
    t.Clear();
    QVERIFY(t.Picture->picture().isNull());
    QVERIFY(!t.Led->isVisibleTo(&c.form));
  }

  void yesNo() {
    QWidget form;
    TYesNo yn(new TImage(&form), new TLabel(&form), new TImage(&form), new TLabel(&form));
    const auto* f = TImageFetcher::Instance();
    QCOMPARE(yn.NoImage->picture(), f->Picture(UIPic::PISel));
    yn.SetTexts(QStringLiteral("ja"), QStringLiteral("nee"));
    QCOMPARE(yn.NoLabel->text(), QStringLiteral("nee"));
    QCOMPARE(yn.YesImage->accessibleName(), QStringLiteral("ja"));
    // A click reports the side; the owner decides.
    std::vector<bool> picked;
    yn.Picked = [&](bool yes) { picked.push_back(yes); };
    Click(yn.YesImage);
    Click(yn.NoLabel);
    QCOMPARE(picked, (std::vector<bool>{true, false}));
    QVERIFY(!yn.Choice());
    yn.SetChoice(true);
    QVERIFY(yn.Choice());
    QCOMPARE(yn.YesImage->picture(), f->Picture(UIPic::PISel));
    QCOMPARE(yn.NoImage->picture(), f->Picture(UIPic::PIDisabled));
  }

  void screensOwnTheirPanels() {
    auto host = std::make_unique<QWidget>();
    auto form = std::make_unique<QWidget>();
    auto* panel = new QWidget(form.get());
    panel->setObjectName(QStringLiteral("pnlTest"));
    QPointer<QWidget> watch = panel;
    auto screen = std::make_unique<TContentScreen>(host.get(), std::move(form), QStringLiteral("pnlTest"));
    QVERIFY(!screen->IsShown());
    auto* other = new QWidget(host.get());
    other->show();
    screen->Show();
    QVERIFY(screen->IsShown());
    QCOMPARE(panel->parentWidget(), host.get());
    QCOMPARE(panel->pos(), QPoint(0, 0));
    QCOMPARE(host->children().last(), panel);  // in front
    screen->Hide();
    QVERIFY(!screen->IsShown());
    screen->Show();
    screen.reset();  // the shown panel goes with the screen
    QVERIFY(!watch);

    // The main panel may go first (the main window closes before a screen).
    auto form2 = std::make_unique<QWidget>();
    watch = new QWidget(form2.get());
    auto screen2 = std::make_unique<TContentScreen>(host.get(), std::move(form2), watch.data());
    screen2->Show();
    host.reset();
    QVERIFY(!watch);
    QVERIFY(!screen2->IsShown());
    screen2.reset();

    // A button column likewise, shown over the column before it.
    QWidget buttonPanel;
    auto* below = new QWidget(&buttonPanel);
    below->show();
    auto* form3 = new QWidget;
    watch = new QWidget(form3);
    watch->setObjectName(QStringLiteral("MainBtnContainer"));
    auto column = std::make_unique<TButtonColumn>(&buttonPanel, form3);
    column->Show();
    QVERIFY(column->IsShown() && below->isHidden());
    column.reset();
    QVERIFY(!watch);
    QVERIFY(!below->isHidden());  // uncovered again
  }
};

QTEST_MAIN(TstCommon)
#include "tst_common.moc"

// The coloured scroll bar: defaults, layout, paint, buttons and track with
// their repeat, dragging, and ranges with nothing to scroll.
#include "vantrel/preview/TKZTScrollBar.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using kzt::Box;
using vantrel::TKZTScrollBar;

namespace {

// 20 wide, 100 high, range 0 to 100 with half of it on show.
void setUp(TKZTScrollBar& bar, int maximal = 100, int pageSize = 50)
{
    bar.setMinimal(0);
    bar.setMaximal(maximal);
    bar.setPageSize(pageSize);
    bar.setPosition(0);
}

QPoint middleOf(const Box& b)
{
    return {b.left + (b.right - b.left) / 2, b.top + (b.bottom - b.top) / 2};
}

} // namespace

class TKZTScrollBarTest : public QObject
{
    Q_OBJECT

private slots:
    void defaults_asCreated();
    void layout_placesButtonsAndBlock();
    void paint_buttonsBlockAndArrows();
    void range_clampsThePosition();
    void downButton_stepsAtOnceThenEvery100ms();
    void upButton_andTrack_repeatByTheirSteps();
    void drag_toTheEndsGivesTheEndsOfTheRange_data();
    void drag_toTheEndsGivesTheEndsOfTheRange();
    void nothingToScroll_orNoTrack_neverDivides();
    void hidingWhileHeld_stopsRepeating();

private:
    void showBar(TKZTScrollBar& bar);
};

void TKZTScrollBarTest::showBar(TKZTScrollBar& bar)
{
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
}

void TKZTScrollBarTest::defaults_asCreated()
{
    TKZTScrollBar bar;
    QCOMPARE(bar.myWidth(), 20);
    QCOMPARE(bar.myHeight(), 100);
    QCOMPARE(bar.size(), QSize(20, 100));
    QCOMPARE(bar.backgroundColor(), QColor(0, 0, 0));
    QCOMPARE(bar.scrollBlockColor(), QColor(128, 128, 128));
    QCOMPARE(bar.upButtonColor(), QColor(255, 0, 0));
    QCOMPARE(bar.downButtonColor(), QColor(0, 128, 0));
    QCOMPARE(bar.upButtonArrowColor(), QColor(0, 0, 255));
    QCOMPARE(bar.downButtonArrowColor(), QColor(255, 255, 0));
    QCOMPARE(bar.position(), 0);
    QCOMPARE(bar.pageSize(), 0);
    QCOMPARE(bar.minimal(), 5);
    QCOMPARE(bar.maximal(), 100);
    QCOMPARE(bar.upButton(), (Box{0, 0, 19, 19}));
    QCOMPARE(bar.downButton(), (Box{0, 81, 19, 99}));
    QCOMPARE(bar.trackLength(), 60);
    // The properties are reachable by name, as a form would set them.
    QVERIFY(bar.setProperty("Maximal", 300));
    QCOMPARE(bar.property("Maximal").toInt(), 300);
    QVERIFY(bar.setProperty("UpButtonColor", QColor(1, 2, 3)));
    QCOMPARE(bar.upButtonColor(), QColor(1, 2, 3));
}

void TKZTScrollBarTest::layout_placesButtonsAndBlock()
{
    TKZTScrollBar bar;
    QSignalSpy changes(&bar, &TKZTScrollBar::OnChange);
    setUp(bar);
    // Track 100 - 40 + 2 = 62; block 62 * 50 / 100 = 31 long.
    QCOMPARE(bar.trackLength(), 62);
    QCOMPARE(bar.upButton(), (Box{0, 0, 19, 17}));
    QCOMPARE(bar.downButton(), (Box{0, 81, 19, 99}));
    QCOMPARE(bar.scrollBlock(), (Box{0, 18, 19, 51}));
    // The position stayed at 0 all along: nothing reported.
    QCOMPARE(changes.count(), 0);
    bar.setPosition(30);
    QCOMPARE(bar.scrollBlock(), (Box{0, 18 + 30 * 62 / 100, 19, 18 + 30 * 62 / 100 + 33}));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.last().at(0).value<TKZTScrollBar*>(), &bar);
    // Setting what is already there is no change.
    bar.setPosition(30);
    bar.setMaximal(100);
    QCOMPARE(changes.count(), 1);

    bar.setMyWidth(16);
    bar.setMyHeight(200);
    QCOMPARE(bar.size(), QSize(16, 200));
    QCOMPARE(bar.trackLength(), 200 - 32 + 2);
    QCOMPARE(bar.downButton(), (Box{0, 185, 15, 199}));
}

void TKZTScrollBarTest::paint_buttonsBlockAndArrows()
{
    TKZTScrollBar bar;
    setUp(bar);
    const QImage image = bar.paintImage();
    QCOMPARE(image.size(), QSize(20, 100));
    const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    // Up button (0, 0, 19, 17) raised: white top and left, black right and bottom.
    QCOMPARE(at(0, 0), QColor(Qt::white));
    QCOMPARE(at(0, 10), QColor(Qt::white));
    QCOMPARE(at(19, 10), QColor(Qt::black));
    QCOMPARE(at(10, 17), QColor(Qt::black));
    QCOMPARE(at(3, 3), QColor(255, 0, 0));
    // Its arrow around (9, 8): point up at (9, 5), base at row 11.
    QCOMPARE(at(9, 5), QColor(0, 0, 255));
    QCOMPARE(at(6, 11), QColor(0, 0, 255));
    QCOMPARE(at(12, 11), QColor(0, 0, 255));
    QCOMPARE(at(6, 5), QColor(255, 0, 0));
    // Down button (0, 81, 19, 99) green, arrow around (9, 90) pointing down.
    QCOMPARE(at(3, 95), QColor(0, 128, 0));
    QCOMPARE(at(9, 93), QColor(255, 255, 0));
    QCOMPARE(at(6, 87), QColor(255, 255, 0));
    QCOMPARE(at(6, 93), QColor(0, 128, 0));
    // Block (0, 18, 19, 51) grey and raised; the track black below it.
    QCOMPARE(at(5, 30), QColor(128, 128, 128));
    QCOMPARE(at(0, 30), QColor(Qt::white));
    QCOMPARE(at(19, 30), QColor(Qt::black));
    QCOMPARE(at(5, 60), QColor(0, 0, 0));

    // Held, the up button is lowered: black top and left, white right and bottom.
    showBar(bar);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(5, 5));
    const QImage held = bar.paintImage();
    QCOMPARE(QColor(held.pixel(0, 0)), QColor(Qt::black));
    QCOMPARE(QColor(held.pixel(19, 10)), QColor(Qt::white));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QColor(bar.paintImage().pixel(0, 0)), QColor(Qt::white));

    // Colours show at the next paint.
    bar.setBackgroundColor(QColor(10, 20, 30));
    QCOMPARE(QColor(bar.paintImage().pixel(5, 60)), QColor(10, 20, 30));
}

void TKZTScrollBarTest::range_clampsThePosition()
{
    TKZTScrollBar bar;
    setUp(bar);
    bar.setPosition(40);
    QCOMPARE(bar.position(), 40);
    bar.setPosition(80);
    QCOMPARE(bar.position(), 50);  // at most Maximal - PageSize
    bar.setPosition(-7);
    QCOMPARE(bar.position(), 0);
    bar.setPosition(40);
    // Maximal below Minimal + PageSize: the position goes to Minimal, and the
    // page can be no larger than the range.
    bar.setMaximal(30);
    QCOMPARE(bar.position(), 0);
    QCOMPARE(bar.pageSize(), 30);
    bar.setMinimal(10);
    QCOMPARE(bar.position(), 10);
}

void TKZTScrollBarTest::downButton_stepsAtOnceThenEvery100ms()
{
    TKZTScrollBar bar;
    setUp(bar, 100, 65);  // steps 10, 20, 30, then 35 = Maximal - PageSize
    showBar(bar);
    QSignalSpy changes(&bar, &TKZTScrollBar::OnChange);
    QList<qint64> times;
    QElapsedTimer clock;
    connect(&bar, &TKZTScrollBar::OnChange, this, [&] { times.append(clock.elapsed()); });
    clock.start();
    QTest::mousePress(&bar, Qt::LeftButton, {}, middleOf(bar.downButton()));
    QCOMPARE(bar.position(), 10);
    QCOMPARE(changes.count(), 1);
    QVERIFY(bar.isRepeating());
    QTRY_COMPARE_WITH_TIMEOUT(bar.position(), 35, 5000);
    // Held at the end: the repeat goes on, but nothing changes any more.
    QTest::qWait(350);
    QCOMPARE(bar.position(), 35);
    QCOMPARE(changes.count(), 4);
    QVERIFY(bar.isRepeating());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, middleOf(bar.downButton()));
    QVERIFY(!bar.isRepeating());
    // Each later step waited its 100 ms.
    QCOMPARE(times.size(), 4);
    for (int i = 1; i < times.size(); ++i)
        QVERIFY2(times[i] - times[i - 1] >= 95,
                 qPrintable(QStringLiteral("step %1 after %2 ms").arg(i).arg(times[i] - times[i - 1])));
    QTest::qWait(250);
    QCOMPARE(changes.count(), 4);
}

void TKZTScrollBarTest::upButton_andTrack_repeatByTheirSteps()
{
    TKZTScrollBar bar;
    setUp(bar, 400, 50);
    showBar(bar);
    // Below the block: 30 at once, 30 again a tick later.
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 75));
    QCOMPARE(bar.position(), 30);
    QTRY_VERIFY_WITH_TIMEOUT(bar.position() >= 60, 2000);
    QCOMPARE(bar.position() % 30, 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(10, 75));
    const int after = bar.position();
    QTest::qWait(250);
    QCOMPARE(bar.position(), after);

    bar.setPosition(200);
    // Above the block (the block is now lower down the track).
    QVERIFY(bar.scrollBlock().top > 30);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 25));
    QCOMPARE(bar.position(), 170);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(10, 25));

    QTest::mousePress(&bar, Qt::LeftButton, {}, middleOf(bar.upButton()));
    QCOMPARE(bar.position(), 160);
    QTRY_VERIFY_WITH_TIMEOUT(bar.position() <= 150, 2000);
    QCOMPARE(bar.position() % 10, 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, middleOf(bar.upButton()));

    // Other buttons than the left one do nothing.
    const int before = bar.position();
    QTest::mousePress(&bar, Qt::RightButton, {}, middleOf(bar.upButton()));
    QVERIFY(!bar.isRepeating());
    QTest::mouseRelease(&bar, Qt::RightButton, {}, middleOf(bar.upButton()));
    QCOMPARE(bar.position(), before);
}

void TKZTScrollBarTest::drag_toTheEndsGivesTheEndsOfTheRange_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("minimal");
    QTest::addColumn<int>("maximal");
    QTest::addColumn<int>("pageSize");
    QTest::newRow("half on show") << 100 << 0 << 100 << 50;
    QTest::newRow("long range, short track") << 100 << 0 << 10000 << 300;
    QTest::newRow("a preview's bar") << 372 << 0 << 2385 << 392;
    QTest::newRow("shifted minimum") << 150 << 7 << 1003 << 100;
    QTest::newRow("tiny page") << 400 << 0 << 1000000 << 1;
}

void TKZTScrollBarTest::drag_toTheEndsGivesTheEndsOfTheRange()
{
    QFETCH(int, height);
    QFETCH(int, minimal);
    QFETCH(int, maximal);
    QFETCH(int, pageSize);
    TKZTScrollBar bar;
    bar.setMyHeight(height);
    bar.setMinimal(minimal);
    bar.setMaximal(maximal);
    bar.setPageSize(pageSize);
    showBar(bar);
    QSignalSpy changes(&bar, &TKZTScrollBar::OnChange);
    QList<int> reported;
    connect(&bar, &TKZTScrollBar::OnChange, this,
            [&](TKZTScrollBar* sender) { reported.append(sender->position()); });

    QPoint at = middleOf(bar.scrollBlock());
    QTest::mousePress(&bar, Qt::LeftButton, {}, at);
    QVERIFY(!bar.isRepeating());
    int last = bar.position();
    // Down in small moves: the position only grows and stays in range.
    for (int i = 0; i < 40; ++i) {
        at.ry() += 3;
        QTest::mouseMove(&bar, at);
        QVERIFY(bar.position() >= last);
        QVERIFY(bar.position() <= maximal - pageSize);
        last = bar.position();
    }
    at.ry() += 100000;
    QTest::mouseMove(&bar, at);
    QCOMPARE(bar.position(), maximal - pageSize);
    QVERIFY(bar.scrollBlock().bottom <= height + 2);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, at);
    // One report per new position.
    QVERIFY(!reported.isEmpty());
    QCOMPARE(reported.last(), maximal - pageSize);
    for (qsizetype i = 1; i < reported.size(); ++i)
        QVERIFY(reported[i] != reported[i - 1]);

    // At the end the block's lower edge lies over the down button's top,
    // which takes the press there; its top edge is all block.
    at = QPoint(5, bar.scrollBlock().top);
    QTest::mousePress(&bar, Qt::LeftButton, {}, at);
    at.ry() -= 100000;
    QTest::mouseMove(&bar, at);
    QCOMPARE(bar.position(), minimal);
    QCOMPARE(bar.scrollBlock().top, bar.myWidth() - 2);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, at);
    const int reports = int(changes.count());
    QTest::mousePress(&bar, Qt::LeftButton, {}, middleOf(bar.scrollBlock()));
    QTest::mouseMove(&bar, middleOf(bar.scrollBlock()) - QPoint(0, 50));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, middleOf(bar.scrollBlock()));
    QCOMPARE(changes.count(), reports);  // already at the top: no report
}

void TKZTScrollBarTest::nothingToScroll_orNoTrack_neverDivides()
{
    // Maximal = Minimal: the block fills the track, nothing moves.
    TKZTScrollBar flat;
    flat.setMinimal(0);
    flat.setMaximal(0);
    flat.setPageSize(50);
    QCOMPARE(flat.position(), 0);
    QCOMPARE(flat.pageSize(), 0);
    QCOMPARE(flat.scrollBlock(), (Box{0, 18, 19, 20 + 62}));
    showBar(flat);
    QSignalSpy flatChanges(&flat, &TKZTScrollBar::OnChange);
    QTest::mousePress(&flat, Qt::LeftButton, {}, middleOf(flat.downButton()));
    QTest::mouseRelease(&flat, Qt::LeftButton, {}, middleOf(flat.downButton()));
    QTest::mousePress(&flat, Qt::LeftButton, {}, QPoint(10, 40));
    QTest::mouseMove(&flat, QPoint(10, 90));
    QTest::mouseRelease(&flat, Qt::LeftButton, {}, QPoint(10, 90));
    QCOMPARE(flat.position(), 0);
    QCOMPARE(flatChanges.count(), 0);
    QVERIFY(!flat.paintImage().isNull());

    // Maximal below Minimal: the same, at Minimal.
    TKZTScrollBar backwards;
    backwards.setMinimal(10);
    backwards.setMaximal(0);
    QCOMPARE(backwards.position(), 10);
    QVERIFY(!backwards.paintImage().isNull());

    // Track of zero length (height = 2 x width - 2) and less: no block to
    // drag, buttons still step.
    for (int height : {38, 20, 5, 0, -10}) {
        TKZTScrollBar bar;
        bar.setMyHeight(height);
        setUp(bar);
        QVERIFY(bar.trackLength() <= 0);
        // A block of no length: just its two edge lines.
        QCOMPARE(bar.scrollBlock().bottom - bar.scrollBlock().top, 2);
        QVERIFY(!bar.paintImage().isNull());
        bar.setPosition(20);
        QCOMPARE(bar.position(), 20);
    }
    TKZTScrollBar noTrack;
    noTrack.setMyHeight(38);
    setUp(noTrack);
    showBar(noTrack);
    noTrack.setPosition(20);
    QTest::mousePress(&noTrack, Qt::LeftButton, {}, QPoint(5, 18));
    QTest::mouseMove(&noTrack, QPoint(5, 30));
    QTest::mouseRelease(&noTrack, Qt::LeftButton, {}, QPoint(5, 30));
    QVERIFY(noTrack.position() >= 0 && noTrack.position() <= 50);

    // Ranges whose products overflow 32 bits.
    TKZTScrollBar wide;
    wide.setMyHeight(8000);
    wide.setMinimal(0);
    wide.setMaximal(2000000000);
    wide.setPageSize(1000000000);
    wide.setPosition(1000000000);
    QCOMPARE(wide.position(), 1000000000);
    const Box block = wide.scrollBlock();
    QCOMPARE(block.bottom - block.top, 2 + (8000 - 40 + 2) / 2);
    // Silly sizes from a hand-edited file stay within a surface.
    wide.setMyWidth(-5);
    QVERIFY(!wide.paintImage().isNull());
    wide.setMyWidth(100000);
    QCOMPARE(wide.paintImage().width(), kzt::kMaxSurfaceSide);
}

void TKZTScrollBarTest::hidingWhileHeld_stopsRepeating()
{
    TKZTScrollBar bar;
    setUp(bar, 1000, 10);
    showBar(bar);
    QTest::mousePress(&bar, Qt::LeftButton, {}, middleOf(bar.downButton()));
    QVERIFY(bar.isRepeating());
    bar.hide();
    QVERIFY(!bar.isRepeating());
    const int position = bar.position();
    QTest::qWait(250);
    QCOMPARE(bar.position(), position);
}

QTEST_MAIN(TKZTScrollBarTest)
#include "TKZTScrollBarTest.moc"

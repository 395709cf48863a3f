// Where the help window goes beside the editor.
#include "WindowPlacement.h"

#include <QTest>

using kzt::placeBeside;

class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void besideTheEditor_whereTheScreenHasRoom()
    {
        const QRect screen(0, 0, 1920, 1040);
        const QSize help(402, 428);
        // Room on the right.
        const QRect right = placeBeside(QRect(100, 50, 772, 532), help, screen);
        QCOMPARE(right, QRect(100 + 772 + 4, 50, 402, 428));
        // The editor at the right edge: the help goes to its left.
        const QRect left = placeBeside(QRect(1100, 50, 772, 532), help, screen);
        QCOMPARE(left, QRect(1100 - 4 - 402, 50, 402, 428));
        QVERIFY(!left.intersects(QRect(1100, 50, 772, 532)));
    }

    void narrowerBeside_thenOverOnlyWhenNothingElseFits()
    {
        const QSize help(402, 428);
        // 1280 wide, editor in the middle: 250 left, 254 right, too narrow.
        const QRect middle(250, 40, 772, 532);
        const QRect over = placeBeside(middle, help, QRect(0, 0, 1280, 1000));
        QVERIFY(QRect(0, 0, 1280, 1000).contains(over));
        // 1366 wide, editor at the left: 590 on the right, the whole help fits.
        QCOMPARE(placeBeside(QRect(0, 0, 772, 532), help, QRect(0, 0, 1366, 768)).topLeft(), QPoint(776, 0));
        // 1200 wide, editor at the left: 424 ... fits. 1150: 374 left, made narrower.
        const QRect narrow = placeBeside(QRect(0, 0, 772, 532), help, QRect(0, 0, 1150, 768));
        QCOMPARE(narrow, QRect(776, 0, 1150 - 772 - 4, 428));
        // A low editor near the bottom: the help is moved up to stay on screen.
        QCOMPARE(placeBeside(QRect(0, 600, 772, 300), help, QRect(0, 0, 1920, 768)).bottom(), 767);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"

// Where the help window goes beside the editor; windows that grow to show
// their texts whole; the tree pane's width kept for the next start.
#include "WindowPlacement.h"

#include "Settings.h"
#include "WindowFit.h"

#include <QLabel>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using kzt::placeBeside;

namespace {

// moveSplitter is what dragging the handle calls.
class DraggedSplitter : public QSplitter
{
public:
    using QSplitter::QSplitter;
    void drag(int position) { moveSplitter(position, 1); }
};

} // namespace

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

    void designedSize_isTheSmallest_andTheWindowGrowsForItsTexts()
    {
        QWidget window;
        auto* label = new QLabel(QStringLiteral("Short"), &window);
        (new QVBoxLayout(&window))->addWidget(label);
        kzt::fitToContent(&window, QSize(300, 200));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(300, 200));
        QCOMPARE(window.minimumSize(), QSize(300, 200));

        // A text longer than the designed width widens the window at once.
        label->setText(QString(120, QLatin1Char('W')));
        QTRY_VERIFY(window.width() >= label->minimumSizeHint().width());
        QVERIFY(label->width() >= label->minimumSizeHint().width());
        QVERIFY(window.minimumWidth() > 300);
        // Short again: the designed size is the smallest once more.
        label->setText(QStringLiteral("Short"));
        QTRY_COMPARE(window.minimumSize(), QSize(300, 200));

        // A new smallest size (a tool bar hidden) lets the window shrink to it.
        kzt::fitToContent(&window, QSize(300, 150));
        QCOMPARE(window.minimumSize(), QSize(300, 150));
        window.resize(300, 150);
        QCOMPARE(window.height(), 150);
    }

    void tabBars_showEveryTabWhole_withoutScrollArrows()
    {
        QWidget window;
        auto* tabs = new QTabWidget(&window);
        for (int i = 0; i < 8; ++i)
            tabs->addTab(new QWidget, QStringLiteral("A long page title %1").arg(i));
        (new QVBoxLayout(&window))->addWidget(tabs);
        kzt::fitToContent(&window, QSize(200, 120));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTabBar* bar = tabs->tabBar();
        QTRY_VERIFY(bar->tabRect(7).right() < bar->width());
        for (int i = 1; i < bar->count(); ++i)
            QCOMPARE(bar->tabRect(i).width(), bar->tabRect(0).width()); // none elided
        for (const QToolButton* arrow : bar->findChildren<QToolButton*>())
            QVERIFY(!arrow->isVisible());
        QCOMPARE(tabs->elideMode(), Qt::ElideNone);
        QVERIFY(window.width() > 200);
    }

    void treePaneWidth_keptOnlyOnceMoved_andTakenNextTime()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("KZT/Test.conf"));
        const kzt::Settings settings(file, QString());
        const QString key = QStringLiteral("Software/KZT/Test/1.0/Settings");
        {
            QWidget window;
            auto* splitter = new DraggedSplitter(Qt::Horizontal, &window);
            splitter->addWidget(new QWidget);
            splitter->addWidget(new QWidget);
            splitter->setStretchFactor(1, 1);
            (new QVBoxLayout(&window))->addWidget(splitter);
            kzt::placePanes(splitter, {120, 400}, settings, key);
            window.resize(560, 300);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(splitter->sizes().value(0), 120);
            QVERIFY(!QFile::exists(file));
            splitter->drag(210);
            QTRY_COMPARE(settings.readInt(key, QStringLiteral("TreePaneWidth")), std::optional<int>(splitter->sizes().value(0)));
        }
        const int kept = *settings.readInt(key, QStringLiteral("TreePaneWidth"));
        QVERIFY(kept > 150);
        QWidget window;
        auto* splitter = new QSplitter(Qt::Horizontal, &window);
        splitter->addWidget(new QWidget);
        splitter->addWidget(new QWidget);
        splitter->setStretchFactor(1, 1);
        (new QVBoxLayout(&window))->addWidget(splitter);
        kzt::placePanes(splitter, {120, 400}, settings, key);
        window.resize(560, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(splitter->sizes().value(0), kept);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"

// The preview window: items stacked by their gaps and indents inside the
// applet border, the scroll bar when they do not fit, the look each page
// shows, the picture cache following the item list, the window's size and
// its closing.
#include "vantrel/preview/TfrmWysiwyg.h"

#include "AppletAgent.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace kzt;
using namespace vantrel;

namespace {

const QRgb kAppletBg = qRgb(10, 20, 30);
const QRgb kNormal = qRgb(200, 0, 0);
const QRgb kOver = qRgb(0, 200, 0);
const QRgb kClicked = qRgb(0, 0, 200);

std::string hex(QRgb c)
{
    return QStringLiteral("%1%2%3")
        .arg(qRed(c), 2, 16, QLatin1Char('0'))
        .arg(qGreen(c), 2, 16, QLatin1Char('0'))
        .arg(qBlue(c), 2, 16, QLatin1Char('0'))
        .toUpper()
        .toStdString();
}

// A document whose applet is a flat background without picture or border
// and whose items are flat boxes without caption or border, each state in
// its own colour.
struct Fixture
{
    QTemporaryDir previewFolder;
    std::unique_ptr<kzt::TkztAppletAgent> agent;

    explicit Fixture(int items)
    {
        kzt::AppPaths paths;
        paths.previewDir = previewFolder.path().toStdString();
        agent = std::make_unique<kzt::TkztAppletAgent>(VantrelProfile::instance(), paths);
        agent->ResetToDefaults();
        auto& applet = agent->AppletData;
        applet.set(ApBgImg, "");
        applet.set(ApBgClr, hex(kAppletBg));
        applet.set(ApBgGrdntFllDrctn, "0");
        applet.set(ApBrdWidth, "0");
        applet.set(ApBrdStyle, "0");
        applet.set(ApWidth, "200");
        applet.set(ApHeight, "300");
        for (int i = 0; i < items; ++i)
            add(qRgb(200, i, 0));
    }

    kzt::TItemData& item(int i) { return agent->Items[std::size_t(i)]; }

    // Appends an item whose normal look is `normal`.
    void add(QRgb normal)
    {
        VantrelDocument::InsertItem(*agent, nullptr);
        auto& it = agent->Items.back();
        it.set(ICaption, "");
        const QRgb colours[] = {normal, kOver, kClicked};
        for (int s = 0; s < 3; ++s) {
            const std::size_t b = kStates[s];
            it.set(b + BgImg, "");
            it.set(b + BgClr, hex(colours[s]));
            it.set(b + BgGrdntFllDrctn, "0");
            it.set(b + BrdWidth, "0");
            it.set(b + BrdStyle, "0");
        }
        it.set(IX, "0");
        it.set(IY, "0");
        it.set(IWidth, "100");
        it.set(IHeight, "20");
    }
};

// Rows holding a pixel other than the background, and the same for columns.
struct Ink
{
    int top = -1, bottom = -1, left = -1, right = -1;
    int height() const { return top < 0 ? 0 : bottom - top + 1; }
};

Ink inkOf(const QImage& image, QRgb background)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (background & 0xFFFFFF))
                continue;
            if (ink.top < 0 || y < ink.top)
                ink.top = y;
            ink.bottom = std::max(ink.bottom, y);
            if (ink.left < 0 || x < ink.left)
                ink.left = x;
            ink.right = std::max(ink.right, x);
        }
    return ink;
}

QRgb rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

} // namespace

class TfrmWysiwygTest : public QObject
{
    Q_OBJECT

private slots:
    void windowCaptionFlagsAndSize();
    void itemsStackByGapsAndIndentsInsideTheBorder();
    void scrollBarWhenItemsDoNotFit_data();
    void scrollBarWhenItemsDoNotFit();
    void scrollingMovesEveryItemByThePosition();
    void eachPageShowsEveryItemInItsLook();
    void onlyTheSelectedItemIsRenderedAgain();
    void captionFontIsTheStoredSizeLessSix();
    void captionWrapsAtTheWrapBoxFont();
    void eightBitCaptionDrawsAsTheBoxesShowIt();
    void borderWidthIsTheTextMarginWithoutBorderStyle();
    void cacheFollowsInsertDeleteAndSwap();
    void cacheOfAnotherLengthIsRebuilt();
    void loadingScreen();
    void picturesComeFromThePreviewFolderOnly();
    void hugeAndDamagedValuesStayBounded();
    void userResizeIsReportedAndClosingSignals();
};

void TfrmWysiwygTest::windowCaptionFlagsAndSize()
{
    Fixture f(0);
    f.agent->AppletData.set(ApWidth, "260");
    f.agent->AppletData.set(ApHeight, "170");
    TfrmWysiwyg w(*f.agent);
    QCOMPARE(w.windowTitle(), QStringLiteral("Preview Form"));
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(w.windowType(), Qt::Tool);
    QCOMPARE(w.size(), QSize(260, 170));
    QVERIFY(w.scrollBar()->isHidden());
    // Switches at first: item general page and drawing on, the rest off.
    QVERIFY(w.itemGeneralPage() && w.drawingEnabled());
    QVERIFY(!w.loadingPage() && !w.itemNormalPage() && !w.itemOverPage() && !w.itemClickedPage());
    w.refresh(-1);
    QCOMPARE(w.frame().size(), QSize(260, 170));
    QCOMPARE(rgb(w.frame(), 130, 85), kAppletBg);

    f.agent->AppletData.set(ApWidth, "999999999");
    f.agent->AppletData.set(ApHeight, "0");
    w.applyAppletSize();
    QCOMPARE(w.size(), QSize(kMaxSurfaceSide, 1));

    // A size no screen shows costs what the screen does, not gigabytes.
    f.agent->AppletData.set(ApWidth, "2000000000");
    f.agent->AppletData.set(ApHeight, "2000000000");
    w.applyAppletSize();
    const QSize screen = w.screen()->availableGeometry().size();
    QVERIFY2(w.width() <= screen.width() && w.height() <= screen.height(),
             qPrintable(QStringLiteral("%1x%2").arg(w.width()).arg(w.height())));
    w.refresh(-1);
    QCOMPARE(w.frame().size(), w.size());
    QCOMPARE(f.agent->AppletData.get(ApWidth), std::string_view("2000000000"));
}

void TfrmWysiwygTest::itemsStackByGapsAndIndentsInsideTheBorder()
{
    Fixture f(3);
    f.agent->AppletData.set(ApBrdWidth, "3");
    f.agent->AppletData.set(ApBrdStyle, "1");
    f.agent->AppletData.set(ApBrdClr, "FFFFFF");
    // Item 0 ends at 3 + 17 + 20 = 40; item 1 has a gap of 5 and an indent of 30.
    f.item(0).set(IX, "-3");
    f.item(0).set(IY, "17");
    f.item(1).set(IX, "30");
    f.item(1).set(IY, "5");
    f.item(2).set(IX, "7");
    f.item(2).set(IY, "-10");
    f.item(2).set(IWidth, "50");
    f.item(2).set(IHeight, "30");
    TfrmWysiwyg w(*f.agent);
    w.refresh(-1);
    const auto& boxes = w.itemBoxes();
    QCOMPARE(boxes.size(), std::size_t(3));
    QCOMPARE(boxes[0], (Box{0, 20, 100, 40}));
    QCOMPARE(boxes[1], (Box{33, 45, 133, 65}));
    QCOMPARE(boxes[2], (Box{10, 55, 60, 85}));
    const QImage& frame = w.frame();
    QCOMPARE(rgb(frame, 40, 45), qRgb(200, 1, 0));
    QCOMPARE(rgb(frame, 132, 64), qRgb(200, 1, 0));
    QCOMPARE(rgb(frame, 40, 44), kAppletBg); // the gap
    QCOMPARE(rgb(frame, 32, 50), kAppletBg); // the indent
    // Later items cover earlier ones.
    QCOMPARE(rgb(frame, 40, 60), qRgb(200, 2, 0));
    QCOMPARE(rgb(frame, 50, 39), qRgb(200, 0, 0));
    // The applet border is drawn over the item that reaches into it.
    QVERIFY(rgb(frame, 0, 30) != qRgb(200, 0, 0));
    QVERIFY(rgb(frame, 2, 30) != qRgb(200, 0, 0));
    QVERIFY(rgb(frame, 3, 30) != qRgb(200, 0, 0)); // the frame's inner line
    QCOMPARE(rgb(frame, 4, 30), qRgb(200, 0, 0));
    QVERIFY(w.scrollBar()->isHidden());
}

void TfrmWysiwygTest::scrollBarWhenItemsDoNotFit_data()
{
    QTest::addColumn<QString>("align");
    QTest::addColumn<int>("left");
    QTest::newRow("right") << "1" << 200 - 2 - 16;
    QTest::newRow("left") << "0" << 3;
}

void TfrmWysiwygTest::scrollBarWhenItemsDoNotFit()
{
    QFETCH(QString, align);
    QFETCH(int, left);
    Fixture f(4);
    auto& applet = f.agent->AppletData;
    applet.set(ApHeight, "100");
    applet.set(ApBrdWidth, "2");
    applet.set(VSBAlign, align.toStdString());
    applet.set(VSBWidth, "16");
    applet.set(VSBBgClr, "010203");
    applet.set(VSBVisibleClr, "040506");
    applet.set(VSBUpBtnClr, "070809");
    applet.set(VSBDownBtnClr, "0A0B0C");
    applet.set(VSBUpBtnArwClr, "0D0E0F");
    applet.set(VSBDownBtnArwClr, "101112");
    TfrmWysiwyg w(*f.agent);
    // 2 + 4 × 20 = 82 fits in 100 − 2.
    w.refresh(-1);
    QVERIFY(w.scrollBar()->isHidden());
    // 2 + 5 × 20 = 102 does not.
    f.add(kNormal);
    w.refresh(-1);
    TKZTScrollBar* bar = w.scrollBar();
    QVERIFY(!bar->isHidden());
    QCOMPARE(bar->geometry(), QRect(left, 2, 16, 96));
    QCOMPARE(bar->myWidth(), 16);
    QCOMPARE(bar->myHeight(), 96);
    QCOMPARE(bar->minimal(), 0);
    QCOMPARE(bar->maximal(), 102);
    QCOMPARE(bar->pageSize(), 96);
    QCOMPARE(bar->backgroundColor(), QColor(1, 2, 3));
    QCOMPARE(bar->scrollBlockColor(), QColor(4, 5, 6));
    QCOMPARE(bar->upButtonColor(), QColor(7, 8, 9));
    QCOMPARE(bar->downButtonColor(), QColor(10, 11, 12));
    QCOMPARE(bar->upButtonArrowColor(), QColor(13, 14, 15));
    QCOMPARE(bar->downButtonArrowColor(), QColor(16, 17, 18));

    // Scrolled, then the items fit again: the bar goes and the offset with it.
    bar->setPosition(6);
    QCOMPARE(w.scrollOffset(), -6);
    f.agent->DeleteItem(f.agent->NodeOfItem(4));
    w.deleteItem(4);
    w.refresh(-1);
    QVERIFY(bar->isHidden());
    QCOMPARE(w.scrollOffset(), 0);
    QCOMPARE(w.itemBoxes()[0].top, 2);
    // Needed again, the bar starts at the top.
    f.add(kNormal);
    w.refresh(-1);
    QVERIFY(!bar->isHidden());
    QCOMPARE(bar->position(), 0);
    QCOMPARE(w.itemBoxes()[0].top, 2);
    // No items at all.
    f.agent->Items.clear();
    w.refresh(-1);
    QVERIFY(bar->isHidden());
    QCOMPARE(w.cacheLength(), std::size_t(0));
}

void TfrmWysiwygTest::scrollingMovesEveryItemByThePosition()
{
    Fixture f(10);
    f.agent->AppletData.set(ApHeight, "100");
    f.agent->AppletData.set(ApBrdWidth, "4");
    f.agent->AppletData.set(VSBWidth, "20");
    f.agent->AppletData.set(VSBAlign, "1");
    f.item(0).set(IY, "5");
    TfrmWysiwyg w(*f.agent);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.refresh(-1);
    TKZTScrollBar* bar = w.scrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(w.itemBoxes()[0].top, 9);
    // Drag the block down with the mouse.
    const Box block = bar->scrollBlock();
    const QPoint grip((block.left + block.right) / 2, (block.top + block.bottom) / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(bar, grip + QPoint(0, 12));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(0, 12));
    const int position = bar->position();
    QVERIFY(position > 0);
    QCOMPARE(w.scrollOffset(), -position);
    for (int k = 0; k < 10; ++k)
        QCOMPARE(w.itemBoxes()[std::size_t(k)].top, 9 + 20 * k - position);
    // The frame shows it: item 3 now starts at 69 − position.
    const int top3 = 9 + 60 - position;
    QCOMPARE(rgb(w.frame(), 50, top3), qRgb(200, 3, 0));
    QCOMPARE(rgb(w.frame(), 50, top3 - 1), qRgb(200, 2, 0));
    // To the end: Maximal less PageSize, every item up by as much.
    bar->setPosition(bar->maximal());
    QCOMPARE(bar->position(), bar->maximal() - bar->pageSize());
    QCOMPARE(w.itemBoxes().back().bottom, 209 - bar->position());
}

void TfrmWysiwygTest::eachPageShowsEveryItemInItsLook()
{
    Fixture f(4);
    TfrmWysiwyg w(*f.agent);
    auto shown = [&](int selected) {
        w.refresh(selected);
        QList<QRgb> colours;
        for (const Box& b : w.itemBoxes())
            colours.append(rgb(w.frame(), b.left + 50, b.top + 10));
        return colours;
    };
    QCOMPARE(shown(2), (QList<QRgb>{qRgb(200, 0, 0), qRgb(200, 1, 0), qRgb(200, 2, 0), qRgb(200, 3, 0)}));
    w.setItemGeneralPage(false);
    w.setItemOverPage(true);
    QCOMPARE(shown(2), QList<QRgb>(4, kOver));
    QCOMPARE(shown(-1), QList<QRgb>(4, kOver));
    w.setItemOverPage(false);
    w.setItemClickedPage(true);
    QCOMPARE(shown(0), QList<QRgb>(4, kClicked));
    w.setItemClickedPage(false);
    w.setItemNormalPage(true);
    QCOMPARE(shown(1), (QList<QRgb>{qRgb(200, 0, 0), qRgb(200, 1, 0), qRgb(200, 2, 0), qRgb(200, 3, 0)}));
    // Drawing switched off leaves the frame as it was.
    w.setDrawingEnabled(false);
    const QImage before = w.frame();
    f.agent->AppletData.set(ApBgClr, "FFFFFF");
    w.refresh(-1);
    QCOMPARE(w.frame(), before);
}

void TfrmWysiwygTest::onlyTheSelectedItemIsRenderedAgain()
{
    Fixture f(5);
    TfrmWysiwyg w(*f.agent);
    w.refresh(-1);
    const auto afterBuild = w.renderCount();
    QCOMPARE(afterBuild, 15);
    // An edit of item 3's normal look, refreshed with item 3 selected.
    f.item(3).set(ItNoBgClr, "123456");
    w.refresh(3);
    QCOMPARE(w.renderCount(), afterBuild + 1);
    QCOMPARE(rgb(w.frame(), 50, 70), qRgb(0x12, 0x34, 0x56));
    // The mouse-over page re-renders the mouse-over picture only.
    f.item(3).set(ItOvBgClr, "654321");
    w.setItemGeneralPage(false);
    w.setItemOverPage(true);
    w.refresh(3);
    QCOMPARE(w.renderCount(), afterBuild + 2);
    QCOMPARE(rgb(w.frame(), 50, 70), qRgb(0x65, 0x43, 0x21));
    QCOMPARE(rgb(w.frame(), 50, 50), kOver);
    // Nothing selected: nothing rendered.
    w.refresh(-1);
    QCOMPARE(w.renderCount(), afterBuild + 2);
}

void TfrmWysiwygTest::captionFontIsTheStoredSizeLessSix()
{
    Fixture f(1);
    f.item(0).set(ICaption, "H");
    f.item(0).set(ItNoFntName, "1");
    f.item(0).set(ItNoFntStyle, "0");
    f.item(0).set(ItNoTextClr, "000000");
    f.item(0).set(ItNoBgClr, "FFFFFF");
    f.item(0).set(IHeight, "60");
    auto itemInk = [&](const char* size) {
        f.item(0).set(ItNoFntSize, size);
        TfrmWysiwyg w(*f.agent);
        w.rebuildCache();
        return inkOf(w.cachedPicture(0, 0), qRgb(255, 255, 255)).height();
    };
    auto referenceInk = [](int points) {
        QImage surface = makeSurface(100, 60);
        surface.fill(Qt::white);
        QPainter painter(&surface);
        QFont font(QStringLiteral("Helvetica"));
        font.setPointSize(points);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(10, 40, QStringLiteral("H"));
        painter.end();
        return inkOf(surface, qRgb(255, 255, 255)).height();
    };
    QVERIFY(referenceInk(8) != referenceInk(14));
    QCOMPARE(itemInk("14"), referenceInk(8));
    QCOMPARE(itemInk("30"), referenceInk(24));
}

void TfrmWysiwygTest::captionWrapsAtTheWrapBoxFont()
{
    Fixture f(1);
    auto& it = f.item(0);
    it.set(ItNoTextClr, "000000");
    it.set(ItNoBgClr, "FFFFFF");
    it.set(ItNoTextVAlign, "0");
    it.set(ItNoFntSize, "30");
    it.set(IWidth, "60");
    it.set(IHeight, "400");
    auto lineCount = [&](const char* caption) {
        it.set(ICaption, caption);
        TfrmWysiwyg w(*f.agent);
        w.rebuildCache();
        // Rows of ink separated by blank rows.
        const QImage picture = w.cachedPicture(0, 0);
        int lines = 0;
        bool inLine = false;
        for (int y = 0; y < picture.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < picture.width() && !ink; ++x)
                ink = (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            if (ink && !inLine)
                ++lines;
            inLine = ink;
        }
        return lines;
    };
    // Two short words fit one line of the wrap box, though not at 24 points.
    QCOMPARE(wrapText(QStringLiteral("Hi Ho"), 60).size(), 1);
    const QImage measure = makeSurface(1, 1);
    QVERIFY(QFontMetrics(textFont(1, 30, 0), &measure).horizontalAdvance(QStringLiteral("Hi Ho"))
            > 60 - kWrapBoxFrame);
    QCOMPARE(lineCount("Hi Ho"), 1);
    const QString longCaption = QStringLiteral("Menus Applets Glide menu News box Scripts");
    const int wrapped = int(wrapText(longCaption, 60).size());
    QVERIFY(wrapped > 1);
    QCOMPARE(lineCount("Menus Applets Glide menu News box Scripts"), wrapped);
}

void TfrmWysiwygTest::eightBitCaptionDrawsAsTheBoxesShowIt()
{
    Fixture f(1);
    auto& it = f.item(0);
    it.set(ItNoTextClr, "000000");
    it.set(ItNoBgClr, "FFFFFF");
    it.set(ItNoFntSize, "20");
    it.set(IWidth, "160");
    it.set(IHeight, "40");
    auto picture = [&](const char* caption) {
        it.set(ICaption, caption);
        TfrmWysiwyg w(*f.agent);
        w.rebuildCache();
        return w.cachedPicture(0, 0);
    };
    // An older project's 8-bit text and the same words in UTF-8.
    const QImage legacy = picture("Caf\xe9 \xfc""ber");
    QCOMPARE(legacy, picture("Caf\xc3\xa9 \xc3\xbc""ber"));
    QVERIFY(legacy != picture("Caf\xef\xbf\xbd \xef\xbf\xbd""ber"));
}

void TfrmWysiwygTest::borderWidthIsTheTextMarginWithoutBorderStyle()
{
    Fixture f(1);
    auto& it = f.item(0);
    it.set(ICaption, "Ixx");
    it.set(ItNoTextClr, "000000");
    it.set(ItNoBgClr, "FFFFFF");
    it.set(ItNoTextHAlign, "0");
    it.set(ItNoTextVAlign, "0");
    it.set(ItNoTextHOffset, "0");
    it.set(ItNoTextVOffset, "0");
    it.set(ItNoBrdStyle, "0");
    auto inkAt = [&](const char* width) {
        it.set(ItNoBrdWidth, width);
        TfrmWysiwyg w(*f.agent);
        w.rebuildCache();
        return inkOf(w.cachedPicture(0, 0), qRgb(255, 255, 255));
    };
    const Ink plain = inkAt("0");
    const Ink margin = inkAt("3");
    QVERIFY(plain.height() > 0);
    QCOMPARE(margin.left, plain.left + 3);
    QCOMPARE(margin.top, plain.top + 3);
}

void TfrmWysiwygTest::cacheFollowsInsertDeleteAndSwap()
{
    Fixture f(3);
    TfrmWysiwyg w(*f.agent);
    w.rebuildCache();
    auto colourOf = [&](int i) { return rgb(w.cachedPicture(i, 0), 1, 1); };
    QCOMPARE(w.cacheLength(), std::size_t(3));
    QCOMPARE(w.renderCount(), 9);

    // Insert in the middle: three fresh pictures, later entries shift up.
    auto record = f.agent->Items[0];
    record.set(ItNoBgClr, "00FFFF");
    f.agent->InsertItemData(1, record);
    w.insertItem(1);
    QCOMPARE(w.renderCount(), 12);
    QCOMPARE(w.cacheLength(), std::size_t(4));
    QCOMPARE(colourOf(0), qRgb(200, 0, 0));
    QCOMPARE(colourOf(1), qRgb(0, 255, 255));
    QCOMPARE(colourOf(2), qRgb(200, 1, 0));
    QCOMPARE(colourOf(3), qRgb(200, 2, 0));
    QCOMPARE(rgb(w.cachedPicture(1, 1), 1, 1), kOver);
    QCOMPARE(rgb(w.cachedPicture(1, 2), 1, 1), kClicked);
    // At the end it appends; past the end nothing happens.
    w.insertItem(6);
    QCOMPARE(w.cacheLength(), std::size_t(4));
    record.set(ItNoBgClr, "FF00FF");
    f.agent->Items.push_back(record);
    w.insertItem(4);
    QCOMPARE(colourOf(4), qRgb(255, 0, 255));

    // Delete shifts the later entries down.
    f.agent->DeleteItemData(0);
    w.deleteItem(0);
    w.deleteItem(9);
    QCOMPARE(w.cacheLength(), std::size_t(4));
    QCOMPARE(colourOf(0), qRgb(0, 255, 255));
    QCOMPARE(colourOf(3), qRgb(255, 0, 255));

    // Swap exchanges an entry with the one before it; index 0 does nothing.
    f.agent->MoveItemDataUp(2);
    w.swapItem(2);
    w.swapItem(0);
    w.swapItem(4);
    QCOMPARE(colourOf(0), qRgb(0, 255, 255));
    QCOMPARE(colourOf(1), qRgb(200, 2, 0));
    QCOMPARE(colourOf(2), qRgb(200, 1, 0));
    QCOMPARE(colourOf(3), qRgb(255, 0, 255));

    // The pictures the window shows follow the same order, without a rebuild.
    const auto before = w.renderCount();
    w.refresh(-1);
    QCOMPARE(w.renderCount(), before);
    for (int k = 0; k < 4; ++k) {
        const Box& b = w.itemBoxes()[std::size_t(k)];
        QCOMPARE(rgb(w.frame(), b.left + 5, b.top + 5), colourOf(k));
    }
}

void TfrmWysiwygTest::cacheOfAnotherLengthIsRebuilt()
{
    Fixture f(2);
    TfrmWysiwyg w(*f.agent);
    w.refresh(-1);
    QCOMPARE(w.cacheLength(), std::size_t(2));
    // Items the window was not told about.
    f.add(qRgb(1, 2, 3));
    f.add(qRgb(4, 5, 6));
    const auto before = w.renderCount();
    w.refresh(-1);
    QCOMPARE(w.cacheLength(), std::size_t(4));
    QCOMPARE(w.renderCount(), before + 12);
    QCOMPARE(rgb(w.frame(), 50, 70), qRgb(4, 5, 6));
    f.agent->Items.erase(f.agent->Items.begin());
    w.refresh(-1);
    QCOMPARE(w.cacheLength(), std::size_t(3));
    QCOMPARE(rgb(w.frame(), 50, 10), qRgb(200, 1, 0));
}

void TfrmWysiwygTest::loadingScreen()
{
    Fixture f(30);
    auto& a = f.agent->AppletData;
    a.set(ApHeight, "100");
    a.set(ApLoadingBgClr, "E0E0E0");
    a.set(ShowLoadingBar, "1");
    a.set(ApLoadingBarX, "10");
    a.set(ApLoadingBarY, "50");
    a.set(ApLoadingBarWidth, "91");
    a.set(ApLoadingBarHeight, "10");
    a.set(ApLoadingBarBrdWidth, "0");
    a.set(ApLoadingBarBrdStyle, "0");
    a.set(ApLoadingBarBlankClr, "C0C0C0");
    a.set(ApLoadingBarFillClr, "FF8000");
    a.set(ShowApLoadingMsg1, "1");
    a.set(ApLoadingMsg1, "Loading");
    a.set(ApLoadingMsg1X, "20");
    a.set(ApLoadingMsg1Y, "10");
    a.set(ApLoadingMsg1Width, "150");
    a.set(ApLoadingMsg1Clr, "000000");
    a.set(ShowApLoadingMsg2, "0");
    a.set(ApLoadingMsg2, "Never shown");
    a.set(ApLoadingMsg2X, "20");
    a.set(ApLoadingMsg2Y, "70");
    TfrmWysiwyg w(*f.agent);
    w.refresh(-1);
    QVERIFY(!w.scrollBar()->isHidden());
    w.setLoadingPage(true);
    w.refresh(-1);
    QVERIFY(w.scrollBar()->isHidden());
    const QImage& frame = w.frame();
    QCOMPARE(rgb(frame, 5, 5), qRgb(0xE0, 0xE0, 0xE0));
    // One third of 91 is 30 pixels.
    QCOMPARE(rgb(frame, 10, 50), qRgb(0xFF, 0x80, 0));
    QCOMPARE(rgb(frame, 39, 59), qRgb(0xFF, 0x80, 0));
    QCOMPARE(rgb(frame, 40, 55), qRgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(rgb(frame, 100, 59), qRgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(rgb(frame, 101, 55), qRgb(0xE0, 0xE0, 0xE0));
    // Message 1 drawn from its corner, message 2 not at all.
    const Ink text = inkOf(frame.copy(0, 0, 200, 45), qRgb(0xE0, 0xE0, 0xE0));
    QVERIFY(text.height() > 0);
    QVERIFY(text.left >= 20 && text.left < 24);
    QVERIFY(text.top >= 10);
    QCOMPARE(inkOf(frame.copy(0, 62, 200, 38), qRgb(0xE0, 0xE0, 0xE0)).height(), 0);
}

void TfrmWysiwygTest::picturesComeFromThePreviewFolderOnly()
{
    Fixture f(1);
    const QString source = QStringLiteral(KZT_SOURCE_DIR "/vantrel/share/templates/paper_item.gif");
    QVERIFY(QFile::copy(source, f.previewFolder.filePath(QStringLiteral("item.gif"))));
    auto& it = f.item(0);
    it.set(ItNoBgImgAlign, "5");
    it.set(ItNoBgClr, "FFFFFF");
    auto picture = [&](const std::string& name) {
        it.set(ItNoBgImg, name);
        TfrmWysiwyg w(*f.agent);
        w.rebuildCache();
        return w.cachedPicture(0, 0);
    };
    QImage flat(100, 20, QImage::Format_RGB32);
    flat.fill(Qt::white);
    QVERIFY(picture("item.gif").convertToFormat(QImage::Format_RGB32) != flat);
    // Paths, missing and damaged files draw nothing.
    const std::string outside = (QFileInfo(source).absolutePath() + QStringLiteral("/paper_item.gif")).toStdString();
    QCOMPARE(picture(outside).convertToFormat(QImage::Format_RGB32), flat);
    QCOMPARE(picture("../item.gif").convertToFormat(QImage::Format_RGB32), flat);
    QCOMPARE(picture("paper_item.gif").convertToFormat(QImage::Format_RGB32), flat);
    QFile damaged(f.previewFolder.filePath(QStringLiteral("bad.gif")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("GIF89a\x10\x00\x10\x00garbage", 20);
    damaged.close();
    QCOMPARE(picture("bad.gif").convertToFormat(QImage::Format_RGB32), flat);
}

void TfrmWysiwygTest::hugeAndDamagedValuesStayBounded()
{
    Fixture f(4);
    f.item(0).set(IWidth, "5000000");
    f.item(1).set(IHeight, "abc");
    f.item(2).set(IY, "2000000000");
    f.item(3).set(IY, "2000000000");
    f.item(3).set(ItNoBgClr, "not a colour");
    f.agent->AppletData.set(VSBWidth, "-50");
    f.agent->AppletData.set(ApBrdWidth, "99999");
    TfrmWysiwyg w(*f.agent);
    w.refresh(-1);
    QVERIFY(w.cachedPicture(0, 0).isNull());
    QVERIFY(w.cachedPicture(1, 0).isNull());
    QVERIFY(!w.cachedPicture(3, 0).isNull());
    QCOMPARE(rgb(w.cachedPicture(3, 0), 0, 0), qRgb(0, 0, 0));
    QVERIFY(!w.scrollBar()->isHidden());
    // A record short of fields draws nothing and breaks nothing.
    f.agent->Items[1].resize(10);
    w.rebuildCache();
    w.refresh(1);
    QVERIFY(w.cachedPicture(1, 2).isNull());
    // The cache stops at its budget; an item past it is drawn when on screen
    // without being kept.
    Fixture many(0);
    for (int i = 0; i < 3; ++i)
        many.add(qRgb(1, 2, i));
    for (int i = 0; i < 2; ++i) {
        many.item(i).set(IWidth, "4096");
        many.item(i).set(IHeight, "4096");
    }
    many.item(2).set(IY, "-8192");
    TfrmWysiwyg big(*many.agent);
    big.refresh(-1);
    std::int64_t pixels = 0;
    for (int i = 0; i < 3; ++i)
        for (int s = 0; s < 3; ++s)
            pixels += std::int64_t(big.cachedPicture(i, s).width()) * big.cachedPicture(i, s).height();
    QVERIFY(pixels <= TfrmWysiwyg::kCachePixelBudget);
    QVERIFY(!big.cachedPicture(0, 0).isNull());
    QVERIFY(big.cachedPicture(2, 0).isNull());
    QCOMPARE(big.itemBoxes()[2].top, 0);
    QCOMPARE(rgb(big.frame(), 50, 10), qRgb(1, 2, 2));
}

void TfrmWysiwygTest::userResizeIsReportedAndClosingSignals()
{
    Fixture f(1);
    TfrmWysiwyg w(*f.agent);
    QList<QSize> reported;
    w.setResizeCallback([&](int width, int height) { reported.append(QSize(width, height)); });
    QSignalSpy closed(&w, &TfrmWysiwyg::closed);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(200, 300));
    QVERIFY(reported.isEmpty());
    // The user drags the window's edge.
    w.resize(240, 180);
    QCOMPARE(reported, QList<QSize>{QSize(240, 180)});
    QCOMPARE(w.frame().size(), QSize(240, 180));
    // The editor writes the size back; following it reports nothing.
    f.agent->AppletData.set(ApWidth, "240");
    f.agent->AppletData.set(ApHeight, "180");
    w.applyAppletSize();
    f.agent->AppletData.set(ApWidth, "150");
    w.applyAppletSize();
    QCOMPARE(w.size(), QSize(150, 180));
    QCOMPARE(reported.size(), 1);
    QCOMPARE(closed.count(), 0);
    w.close();
    QCOMPARE(closed.count(), 1);
    // Showing again keeps the cache.
    const auto before = w.renderCount();
    w.show();
    w.refresh(-1);
    QCOMPARE(w.renderCount(), before);
    w.hide();
    QCOMPARE(closed.count(), 2);
}

QTEST_MAIN(TfrmWysiwygTest)
#include "TfrmWysiwygTest.moc"

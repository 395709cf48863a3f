#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/TScrlBtn.h"
#include "osmerin/gui/TfrmWysiwyg.h"
#include "PreviewDrawing.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace osmerin;

namespace {

kzt::TAppletData applet()
{
    return OsmerinProfile::instance().defaultAppletData();
}

kzt::TItemData item(const std::string& type, const std::string& content)
{
    kzt::TItemData data = OsmerinProfile::instance().defaultItemData();
    data.set(ItemContentType, type);
    data.set(ItemContent, content);
    return data;
}

} // namespace

class OsmerinPreviewTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::filesystem::path folder() const { return m_dir.path().toStdString(); }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.path() + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void root_showsOnlyBackgroundFrameAndButtons()
    {
        TfrmWysiwyg preview;
        preview.resize(140, 230);
        preview.refresh(applet(), nullptr, QString(), folder());
        QVERIFY(preview.memoText->isHidden());
        QVERIFY(preview.imgImage->isHidden());
        QVERIFY(!preview.ScrlBtn1->isHidden());
        QCOMPARE(preview.ScrlBtn1->geometry(), QRect(125, 7, 10, 10));
        QCOMPARE(preview.ScrlBtn2->geometry(), QRect(125, 17, 10, 10));
        const QImage& c = preview.canvas();
        // Raised bevel 6 wide in EDCB0A over black: white outer line, black inside.
        QCOMPARE(c.pixel(0, 100), qRgb(255, 255, 255));
        QCOMPARE(c.pixel(70, 100), qRgb(0, 0, 0));
        // The sixth line of the ramp: white + (frame - white) * 5 / 6, truncated.
        QCOMPARE(c.pixel(5, 100), qRgb(240, 212, 51));
    }

    void imageItem_missingFileShowsEmpty_andReloadsOnlyOnNewPath()
    {
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(m_dir.path() + "/pic.jpg", "JPG"));
        TfrmWysiwyg preview;
        preview.resize(140, 230);
        kzt::TItemData it = item("1", "pic.jpg");
        preview.refresh(applet(), &it, QString(), folder());
        QVERIFY(!preview.imgImage->isHidden());
        QVERIFY(preview.memoText->isHidden());
        QCOMPARE(preview.imgImage->size(), QSize(20, 10));
        QCOMPARE(preview.imgImage->pos(), QPoint(7, 7));
        QCOMPARE(preview.pictureLoads(), 1);
        it.set(ItemImageAlign, "1");
        preview.refresh(applet(), &it, QString(), folder());
        QCOMPARE(preview.pictureLoads(), 1);
        QCOMPARE(preview.imgImage->pos(), QPoint((140 - 12 - 20) / 2 + 6, 7));
        it.set(ItemImageAlign, "2");
        preview.refresh(applet(), &it, QString(), folder());
        QCOMPARE(preview.imgImage->pos(), QPoint(140 - 6 - 20, 7));

        it.set(ItemContent, "missing.gif");
        preview.refresh(applet(), &it, QString(), folder());
        QVERIFY(!preview.imgImage->isHidden());
        QVERIFY(preview.imgImage->pixmap().isNull());
        // A name that is not a bare file name is never looked up.
        it.set(ItemContent, "../pic.jpg");
        preview.refresh(applet(), &it, QString(), folder());
        QVERIFY(preview.imgImage->pixmap().isNull());
        QCOMPARE(preview.pictureLoads(), 1);
    }

    void textItems_fontAlignmentAndMissingTextFile()
    {
        write("news.txt", "first line\r\nsecond line");
        TfrmWysiwyg preview;
        preview.resize(140, 230);
        kzt::TItemData it = item("2", "news.txt");
        it.set(ItemFontSize, "14");
        it.set(ItemFontStyle, "3");
        it.set(ItemTextAlign, "1");
        preview.refresh(applet(), &it, QString(), folder());
        QVERIFY(!preview.memoText->isHidden());
        QCOMPARE(preview.memoText->toPlainText(), QStringLiteral("first line\nsecond line"));
        QCOMPARE(preview.memoText->font().pointSize(), 8);
        QVERIFY(preview.memoText->font().bold());
        QVERIFY(preview.memoText->font().italic());
        QCOMPARE(preview.memoText->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
        QCOMPARE(preview.memoText->geometry(), QRect(7, 7, 140 - 12 - 1, 230 - 12 - 1));

        it.set(ItemContent, "gone.txt");
        preview.refresh(applet(), &it, QString(), folder());
        QCOMPARE(preview.memoText->toPlainText(), QStringLiteral("first line\nsecond line"));

        kzt::TItemData text = item("0", "a*#$@%b");
        preview.refresh(applet(), &text, QStringLiteral("a\nb"), folder());
        QCOMPARE(preview.memoText->toPlainText(), QStringLiteral("a\nb"));
        text.set(ItemContent, {});
        preview.refresh(applet(), &text, QString(), folder());
        QCOMPARE(preview.memoText->toPlainText(), QString());
    }

    void textItems_drawAlignedAsThePageAlignsThem()
    {
        TfrmWysiwyg preview;
        preview.resize(200, 120);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        kzt::TItemData text = item("0", "Hi");
        text.set(ItemFontColor, "FF0000");
        text.set(ItemFontSize, "20");
        // Where the ink of the one short line starts and ends, across the box.
        auto inkSpan = [&](const char* align) {
            text.set(ItemTextAlign, align);
            preview.refresh(applet(), &text, QStringLiteral("Hi"), folder());
            const QImage shot = preview.memoText->viewport()->grab().toImage();
            const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
            int left = shot.width(), right = -1;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    if (shot.pixel(x, y) != background) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            return std::pair{left, shot.width() - 1 - right};
        };
        const auto [leftL, leftR] = inkSpan("0");
        QVERIFY(leftL < leftR);
        const auto [centreL, centreR] = inkSpan("1");
        QVERIFY2(std::abs(centreL - centreR) <= 3, qPrintable(QStringLiteral("%1 %2").arg(centreL).arg(centreR)));
        const auto [rightL, rightR] = inkSpan("2");
        QVERIFY(rightR < rightL);
    }

    void frame_widthZeroAndNarrowing()
    {
        TfrmWysiwyg preview;
        preview.resize(100, 80);
        kzt::TAppletData a = applet();
        a.set(AppletBorderColor, "C86432");
        const QRgb frame = qRgb(0xC8, 0x64, 0x32);
        a.set(AppletBorderWidth, "0");
        a.set(AppletBorderStyle, "3");
        preview.refresh(a, nullptr, QString(), folder());
        QCOMPARE(preview.canvas().pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(preview.canvas().pixel(50, 0), qRgb(0, 0, 0));

        a.set(AppletBorderStyle, "1");
        preview.refresh(a, nullptr, QString(), folder());
        QCOMPARE(preview.canvas().pixel(50, 0), kzt::darkerColor(frame));
        QCOMPARE(preview.canvas().pixel(0, 40), kzt::darkerColor(frame));
        QCOMPARE(preview.canvas().pixel(50, 1), qRgb(0, 0, 0));
        a.set(AppletBorderStyle, "2");
        preview.refresh(a, nullptr, QString(), folder());
        QCOMPARE(preview.canvas().pixel(50, 0), kzt::lighterColor(frame));

        a.set(AppletBorderWidth, "10");
        a.set(AppletBorderStyle, "1");
        preview.refresh(a, nullptr, QString(), folder());
        QCOMPARE(preview.canvas().pixel(5, 40), frame);
        QCOMPARE(preview.canvas().pixel(95, 40), frame);
        a.set(AppletBorderWidth, "2");
        preview.refresh(a, nullptr, QString(), folder());
        // The old band is gone; the new one is two pixels wide.
        QCOMPARE(preview.canvas().pixel(5, 40), qRgb(0, 0, 0));
        QCOMPARE(preview.canvas().pixel(95, 40), qRgb(0, 0, 0));
        QCOMPARE(preview.canvas().pixel(50, 75), qRgb(0, 0, 0));
        QCOMPARE(preview.canvas().pixel(1, 40), frame);
    }

    void scrollButtons_arrowsAndHiding()
    {
        TfrmWysiwyg preview;
        preview.resize(140, 230);
        kzt::TAppletData a = applet();
        a.set(ScrollBtn1ArrowColor, "0000FF");
        preview.refresh(a, nullptr, QString(), folder());
        QCOMPARE(preview.ScrlBtn1->ArrowDir, 0);
        QCOMPARE(preview.ScrlBtn2->ArrowDir, 1);
        QImage up = preview.ScrlBtn1->render();
        QCOMPARE(up.pixel(5, 4), qRgb(0, 0, 255));
        QCOMPARE(up.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(up.pixel(9, 9), qRgb(0, 0, 0));
        QCOMPARE(up.pixel(2, 5), qRgb(0xED, 0xCB, 0x0A));

        a.set(SlideDirection, "2");
        preview.refresh(a, nullptr, QString(), folder());
        QCOMPARE(preview.ScrlBtn1->ArrowDir, 2);
        QCOMPARE(preview.ScrlBtn2->ArrowDir, 3);
        const QImage left = preview.ScrlBtn1->render();
        // The tip of a left arrow sits at a third of the width, half way down.
        QCOMPARE(left.pixel(3, 5), qRgb(0, 0, 255));
        QCOMPARE(left.pixel(6, 5), qRgb(0, 0, 255));
        QCOMPARE(left.pixel(7, 5), qRgb(0xED, 0xCB, 0x0A));
        QCOMPARE(left.pixel(5, 2), qRgb(0xED, 0xCB, 0x0A));

        a.set(ShowScrollBtnFlag, "0");
        a.set(ScrollBtn1X, "40");
        preview.refresh(a, nullptr, QString(), folder());
        QVERIFY(preview.ScrlBtn1->isHidden());
        QVERIFY(preview.ScrlBtn2->isHidden());
        QCOMPARE(preview.ScrlBtn1->geometry(), QRect(125, 7, 10, 10));
    }

    void stayOnTop_toggles()
    {
        TfrmWysiwyg preview;
        QVERIFY(preview.stayOnTop());
        QVERIFY(preview.Stayontop1->isChecked());
        preview.Stayontop1->trigger();
        QVERIFY(!preview.stayOnTop());
        QVERIFY(!preview.Stayontop1->isChecked());
        preview.Stayontop1->trigger();
        QVERIFY(preview.stayOnTop());
    }
};

QTEST_MAIN(OsmerinPreviewTest)
#include "OsmerinPreviewTest.moc"

// Every program's main window carries the program's own icon, the same
// pictures the desktop shows in its menus, and no two programs look alike.

#include "ProgramWindowWorld.h"

#include "dulcamon/gui/TMainForm.h"
#include "kestravo/gui/TMainForm.h"
#include "osmerin/gui/TMainForm.h"
#include "vantrel/gui/TMainForm.h"

#include <QApplication>
#include <QImage>
#include <QMap>
#include <QtTest>


namespace {

const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage normalised(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class ProgramIconTest : public QObject
{
    Q_OBJECT

private:
    QMap<QString, QImage> m_small; // each program's 16 px picture

    template <typename Window> void checkWindow(const char* executable)
    {
        const QString name = QLatin1String(executable);
        QIcon icon;
        {
            ProgramWindowWorld<Window> world(executable);
            icon = world.window().windowIcon();
        }
        QVERIFY2(!icon.isNull(), qPrintable(name + QStringLiteral(": the window has no icon")));
        const QList<QSize> sizes = icon.availableSizes();
        for (int size : kSizes) {
            QVERIFY2(sizes.contains(QSize(size, size)),
                     qPrintable(QStringLiteral("%1: no %2 px picture").arg(name).arg(size)));
            // The very picture installed into the desktop's icon theme.
            const QString installed = QStringLiteral(KZT_BINARY_DIR "/share/icons/hicolor/%1x%1/apps/%2.png")
                                          .arg(size)
                                          .arg(name);
            const QImage expected(installed);
            QVERIFY2(!expected.isNull(), qPrintable(installed));
            QCOMPARE(normalised(icon.pixmap(QSize(size, size)).toImage()), normalised(expected));
        }
        m_small.insert(name, normalised(icon.pixmap(QSize(16, 16)).toImage()));
        // The program's other windows (help, preview, dialogs) carry it too.
        QVERIFY(!QApplication::windowIcon().isNull());
    }

private slots:
    void dulcamonWindow() { checkWindow<dulcamon::TMainForm>("dulcamon"); }
    void kestravoWindow() { checkWindow<kestravo::TMainForm>("kestravo"); }
    void vantrelWindow() { checkWindow<vantrel::TMainForm>("vantrel"); }
    void osmerinWindow() { checkWindow<osmerin::TMainForm>("osmerin"); }

    void programsLookApart()
    {
        QCOMPARE(m_small.size(), 4);
        const QStringList names = m_small.keys();
        for (int i = 0; i < names.size(); ++i) {
            for (int j = i + 1; j < names.size(); ++j) {
                // Count the pixels that differ clearly at the smallest size.
                const QImage& a = m_small[names[i]];
                const QImage& b = m_small[names[j]];
                int different = 0;
                for (int y = 0; y < 16; ++y) {
                    for (int x = 0; x < 16; ++x) {
                        const QColor ca = a.pixelColor(x, y);
                        const QColor cb = b.pixelColor(x, y);
                        const int distance = qAbs(ca.red() - cb.red()) + qAbs(ca.green() - cb.green())
                            + qAbs(ca.blue() - cb.blue());
                        different += distance > 96 ? 1 : 0;
                    }
                }
                QVERIFY2(different > 64,
                         qPrintable(QStringLiteral("%1 and %2 look alike at 16 px (%3 pixels differ)")
                                        .arg(names[i], names[j])
                                        .arg(different)));
            }
        }
    }
};

QTEST_MAIN(ProgramIconTest)
#include "ProgramIconTest.moc"

#include "StatusProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

using namespace kzt;

class StatusProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void operation_showsTextStepsAndBusyCursor_thenResetsAll()
    {
        QLabel text;
        QProgressBar bar;
        StatusProgress sink(&text, &bar);
        {
            ProgressScope scope(&sink, "Saving Data ... ...", 35);
            QCOMPARE(text.text(), QStringLiteral("Saving Data ... ..."));
            QCOMPARE(bar.maximum(), 35);
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            scope.advance(10);
            scope.advance(5);
            QCOMPARE(bar.value(), 15);
            // A step past the maximum stops at it.
            scope.advance(100);
            QCOMPARE(bar.value(), 35);
            {
                // A nested operation keeps the cursor until the outer one ends.
                ProgressScope inner(&sink, "Making HTML Codes ... ...");
                QCOMPARE(text.text(), QStringLiteral("Making HTML Codes ... ..."));
            }
            QVERIFY(QApplication::overrideCursor());
        }
        QCOMPARE(text.text(), QString());
        QCOMPARE(bar.value(), 0);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(sink.depth(), 0);
    }
};

QTEST_MAIN(StatusProgressTest)
#include "StatusProgressTest.moc"

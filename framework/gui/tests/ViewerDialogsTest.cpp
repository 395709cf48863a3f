#include "Clipboard.h"
#include "TformHTML.h"
#include "TfrmPublishReport.h"

#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

using kzt::Clipboard;
using kzt::TformHTML;
using kzt::TfrmPublishReport;

class ViewerDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clipboard::reset(); }

    void codeViewer_isASizeableReadOnlyToolWindow()
    {
        TformHTML form;
        QCOMPARE(form.windowTitle(), QString("HTML"));
        QVERIFY(form.windowFlags().testFlag(Qt::Tool));
        auto* memo = form.findChild<QPlainTextEdit*>("memoHTMLBuild");
        QVERIFY(memo);
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form.okButton()->text(), QString("&OK"));
        QCOMPARE(form.copyButton()->text(), QString("&Copy to Clipboard"));
        QVERIFY(form.minimumSize() != form.maximumSize());
    }

    void codeViewer_showsTheBytesAsUtf8_andKeepsThemUnchanged()
    {
        TformHTML form;
        const std::string page = "<html>\r\n<p>Gr\xc3\xbc\xc3\x9f" "e</p>\r\n</html>\r\n";
        form.setPage(page);
        QCOMPARE(form.page(), page);
        QCOMPARE(form.text(), QString::fromUtf8("<html>\n<p>Grüße</p>\n</html>\n"));
        QCOMPARE(form.memoHTMLBuild()->document()->blockCount(), 4);
        // Bytes that are not UTF-8 are shown as best as can be but never altered.
        const std::string latin1 = "caf\xe9\n";
        form.setPage(latin1);
        QCOMPARE(form.page(), latin1);
        QVERIFY(form.text().startsWith("caf"));
    }

    void codeViewer_copyPutsTheWholeTextOnTheClipboard_okCloses()
    {
        TformHTML form;
        form.setPage("<script>\nvar menu = 1;\n</script>\n");
        form.show();
        QTest::mouseClick(form.copyButton(), Qt::LeftButton);
        QCOMPARE(Clipboard::lastText(), QString("<script>\nvar menu = 1;\n</script>\n"));
        QCOMPARE(form.memoHTMLBuild()->textCursor().selectedText().size(),
                 form.text().size());
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.okButton(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void codeViewer_isReusedWithoutLeftovers()
    {
        TformHTML form;
        form.setPage(std::string(20000, 'x') + "\n");
        form.setPage("short");
        QCOMPARE(form.text(), QString("short"));
        QCOMPARE(form.page(), std::string("short"));
    }

    void publishReport_isAFixedReadOnlyDialog()
    {
        TfrmPublishReport dialog;
        QCOMPARE(dialog.windowTitle(), QString("Applet Publish Report"));
        auto* memo = dialog.findChild<QPlainTextEdit*>("memoPublishReport");
        QVERIFY(memo);
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.okButton()->text(), QString("OK"));
    }

    void publishReport_showsTheReportFromMemory()
    {
        const std::string frame(77, '=');
        const std::string report = frame + "\r\n" + "End of Publish Report" + "\r\n" + frame + "\r\n";
        TfrmPublishReport dialog;
        dialog.setReport(report);
        QCOMPARE(dialog.text(), QString::fromStdString(frame + "\nEnd of Publish Report\n" + frame + "\n"));
        dialog.show();
        // The frame lines fit without wrapping.
        QCOMPARE(dialog.memoPublishReport()->document()->blockCount(), 4);
        QCOMPARE(dialog.memoPublishReport()->document()->firstBlock().layout()->lineCount(), 1);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void publishReport_fixedWidthFont_longLinesStayWhole()
    {
        const std::string longLine =
            "All necessary files be saved in the same directory the project file (*.dlcg) in. If you still not";
        TfrmPublishReport dialog;
        dialog.setReport(std::string(77, '=') + "\r\n" + longLine + "\r\n");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QPlainTextEdit* memo = dialog.memoPublishReport();
        QVERIFY(QFontInfo(memo->font()).fixedPitch());
        const QTextBlock second = memo->document()->firstBlock().next();
        QCOMPARE(second.layout()->lineCount(), 1);
        // The dialog is as wide as the line, so no scrolling is needed either.
        QVERIFY2(memo->viewport()->width() >= memo->fontMetrics().horizontalAdvance(QString::fromStdString(longLine)),
                 qPrintable(QString::number(memo->viewport()->width())));
    }
};

QTEST_MAIN(ViewerDialogsTest)
#include "ViewerDialogsTest.moc"

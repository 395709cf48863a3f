#include "Clipboard.h"
#include "ColorDialog.h"
#include "FileDialog.h"
#include "MessageBox.h"

#include <QtTest>

using kzt::MessageBox;

// Command-line runs have no widget application; the seams must answer
// safely instead of crashing or waiting for a window nobody sees.
class NoWindowSeamsTest : public QObject
{
    Q_OBJECT

private slots:
    void unscriptedSeams_answerSafelyWithoutWindows()
    {
        QCOMPARE(MessageBox::question(nullptr, "Save changes to files?",
                                      MessageBox::Yes | MessageBox::No | MessageBox::Cancel),
                 MessageBox::Cancel);
        QCOMPARE(MessageBox::shown().size(), size_t(1));
        QCOMPARE(kzt::FileDialog::getOpenFileName(nullptr, "Open", "", "All (*.*)|*.*"), QString());
        QCOMPARE(kzt::ColorDialog::getColor(nullptr, Qt::red), std::optional<QColor>());
        kzt::Clipboard::setText("kept");
        QCOMPARE(kzt::Clipboard::text(), QString("kept"));
    }
};

QTEST_GUILESS_MAIN(NoWindowSeamsTest)
#include "NoWindowSeamsTest.moc"

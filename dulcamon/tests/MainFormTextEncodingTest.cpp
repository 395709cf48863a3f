// One text encoding per document: typing into a project the older programs
// wrote, the refusal of what their code page cannot hold, the conversion,
// and what the saved page declares.
#include "MainFormFixture.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "TreeNode.h"
#include "dulcamon/core/DulcamonProfile.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using kzt::FileDialog;
using kzt::MessageBox;

namespace {

QString saveAs(MainFormFixture& f, const QString& relative)
{
    const QString file = f.path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    FileDialog::setNextFileName(file);
    f.trigger("Save2");
    return file;
}

// Saves a two-item project whose first caption holds 8-bit text from an
// older program, and opens it again as such a project would open.
QString openLegacyProject(MainFormFixture& f)
{
    f.insertItem(QStringLiteral("Home"));
    f.selectRoot();
    f.insertItem(QStringLiteral("Products"));
    f.agent().SetCaption(0, "Accueil \xe9t\xe9");
    const QString file = saveAs(f, QStringLiteral("legacy/menu.dlcg"));
    f.window().OpenProject(file);
    return file;
}

// Types text as the keyboard would, characters beyond ASCII included.
void typeText(QWidget* box, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QByteArray pageOf(const QString& projectFile)
{
    return MainFormFixture::readFile(QString(projectFile).replace(QStringLiteral(".dlcg"), QStringLiteral(".html")));
}

} // namespace

class MainFormTextEncodingTest : public QObject
{
    Q_OBJECT

private slots:
    void newDocument_isUtf8_andItsPageDeclaresIt()
    {
        MainFormFixture f;
        QCOMPARE(f.child<QLabel>("stctxtEncoding")->text(), QStringLiteral("UTF-8"));
        QVERIFY(!f.child<QAction>("ConvertTextToUTF81")->isEnabled());
        f.insertItem(QStringLiteral("Home"));
        const QString ascii = saveAs(f, QStringLiteral("ascii/menu.dlcg"));
        QVERIFY(!pageOf(ascii).contains("charset"));

        f.insertItem(QStringLiteral("Caf"));
        typeText(f.child<QLineEdit>("edtICaption"), QStringLiteral("\u00e9 \u4e2d"));
        const QString file = saveAs(f, QStringLiteral("utf8/menu.dlcg"));
        const QByteArray page = pageOf(file);
        QVERIFY(page.startsWith("<HTML>\r\n<meta charset=\"utf-8\">\r\n<body>\r\n"));
        QVERIFY(page.contains("Caf\xc3\xa9 \xe4\xb8\xad"));
    }

    void legacyDocument_storesTypedTextInItsCodePage_keepsOldBytes()
    {
        MainFormFixture f;
        const QString file = openLegacyProject(f);
        QCOMPARE(f.child<QLabel>("stctxtEncoding")->text(), QStringLiteral("Windows-1252"));
        QVERIFY(f.child<QAction>("ConvertTextToUTF81")->isEnabled());
        f.selectItem(1);
        typeText(f.child<QLineEdit>("edtICaption"), QStringLiteral(" \u00fc \u20ac"));
        QCOMPARE(f.agent().NodeOfItem(1)->text(), std::string("Products \xfc \x80"));
        f.trigger("Save1");
        QVERIFY(MessageBox::shown().empty());
        const QByteArray page = pageOf(file);
        QVERIFY(page.startsWith("<HTML>\r\n<meta charset=\"windows-1252\">\r\n<body>\r\n"));
        QVERIFY(page.contains("Accueil \xe9t\xe9"));
        QVERIFY(page.contains("Products \xfc \x80"));
        QVERIFY(!page.contains("\xc3"));
    }

    void legacyDocument_refusesWhatItsCodePageCannotHold_offersConversion()
    {
        MainFormFixture f;
        openLegacyProject(f);
        f.selectItem(1);
        auto* caption = f.child<QLineEdit>("edtICaption");
        MessageBox::setNextAnswer(MessageBox::No);
        typeText(caption, QStringLiteral("\u4e2d"));
        QTRY_COMPARE(MessageBox::shown().size(), std::size_t(1));
        QCOMPARE(caption->text(), QStringLiteral("Products"));
        QVERIFY(MessageBox::shown()[0].text.contains(QStringLiteral("\"\u4e2d\"")));
        QVERIFY(MessageBox::shown()[0].text.contains(QStringLiteral("File > Convert Text to UTF-8")));
        QCOMPARE(f.child<QLabel>("stctxtEncoding")->text(), QStringLiteral("Windows-1252"));

        // Yes converts every text of the document at once; typing goes on in UTF-8.
        MessageBox::setNextAnswer(MessageBox::Yes);
        typeText(caption, QStringLiteral("\u4e2d"));
        QTRY_COMPARE(f.child<QLabel>("stctxtEncoding")->text(), QStringLiteral("UTF-8"));
        QVERIFY(f.window().isModified());
        QCOMPARE(f.agent().Items[0].get(dulcamon::Caption), std::string_view("Accueil \xc3\xa9t\xc3\xa9"));
        QCOMPARE(f.agent().NodeOfItem(0)->text(), std::string("Accueil \xc3\xa9t\xc3\xa9"));
        typeText(caption, QStringLiteral("\u4e2d"));
        QCOMPARE(f.agent().NodeOfItem(1)->text(), std::string("Products\xe4\xb8\xad"));
        QVERIFY(!f.child<QAction>("ConvertTextToUTF81")->isEnabled());
    }
};

QTEST_MAIN(MainFormTextEncodingTest)
#include "MainFormTextEncodingTest.moc"

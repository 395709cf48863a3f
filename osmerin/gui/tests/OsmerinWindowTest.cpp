#include "AppletAgent.h"
#include "ColorDialog.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "RecordRecorder.h"
#include "TKZTEdit.h"
#include "TreeNode.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/OsmerinPanels.h"
#include "osmerin/gui/TMainForm.h"
#include "osmerin/gui/TScrlBtn.h"
#include "osmerin/gui/TfrmWysiwyg.h"

#include <QAction>
#include <QToolBar>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>
#include <memory>

using kzt::MessageBox;

namespace {

QStringList shownTexts()
{
    QStringList out;
    for (const auto& s : MessageBox::shown())
        out << s.text;
    return out;
}

} // namespace

class OsmerinWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<osmerin::TMainForm> m_window;
    QByteArray m_oldPath;

    osmerin::TMainForm& window() { return *m_window; }
    kzt::TkztAppletAgent& agent() { return m_window->agent(); }
    template <typename T> T* child(const char* name)
    {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }
    QAction* action(const char* name) { return child<QAction>(name); }
    bool enabled(const char* name) { return action(name)->isEnabled(); }

    void select(const kzt::TreeNode* node)
    {
        QTreeView* view = window().treeView();
        const QModelIndex index = window().treeModel()->indexOf(node);
        view->scrollTo(index);
        const QRect rect = view->visualRect(index);
        QVERIFY(rect.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void selectRoot() { select(agent().tree().root()); }
    void selectItem(std::size_t i) { select(agent().NodeOfItem(i)); }
    static void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Items under the root with the given comments; the root stays selected.
    void insertItems(const QStringList& comments)
    {
        for (const QString& comment : comments) {
            selectRoot();
            QTest::mouseClick(child<QToolButton>("tlbtnInsert"), Qt::LeftButton);
            selectItem(agent().Items.size() - 1);
            typeInto(child<QLineEdit>("editItemComment"), comment);
        }
        selectRoot();
    }
    QStringList comments()
    {
        window().commitPanels();
        QStringList out;
        for (const auto& item : agent().Items)
            out << QString::fromUtf8(item.get(osmerin::ItemComment));
        return out;
    }
    QStringList nodeTexts()
    {
        QStringList out;
        for (std::size_t i = 1; i < agent().tree().count(); ++i)
            out << QString::fromStdString(agent().tree().nodeAt(i)->text());
        return out;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // No desktop database tools: the file association is written, not registered.
        m_oldPath = qgetenv("PATH");
        QDir(m_dir->path()).mkpath(QStringLiteral("bin"));
        qputenv("PATH", (m_dir->path() + "/bin").toUtf8());
        qputenv("XDG_DATA_HOME", (m_dir->path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_dir->path() + "/config").toUtf8());
        MessageBox::reset();
        MessageBox::setScripted(true);
        kzt::FileDialog::reset();
        kzt::FileDialog::setScripted(true);
        kzt::ColorDialog::reset();
        kzt::ColorDialog::setScripted(true);
        kzt::AppPaths paths;
        paths.shareDir = (m_dir->path() + "/share").toStdString();
        paths.userDataDir = (m_dir->path() + "/data/osmerin").toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        m_window = std::make_unique<osmerin::TMainForm>(paths);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        if (m_window && m_window->isVisible()) {
            MessageBox::reset();
            MessageBox::setScripted(true);
            MessageBox::setNextAnswer(MessageBox::No);
            m_window->close();
        }
        m_window.reset();
        MessageBox::reset();
        kzt::FileDialog::reset();
        kzt::ColorDialog::reset();
        qputenv("PATH", m_oldPath);
        // Shipped and staged files are read-only; let the folder go.
        QDirIterator it(m_dir->path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
    }

    void start_fixedNamesAndLayout()
    {
        QCOMPARE(window().windowTitle(), QStringLiteral("Osmerin 2005"));
        QCOMPARE(QString::fromStdString(agent().tree().root()->text()), QStringLiteral("Osmerin"));
        // The designed size is the smallest: the window grows for its texts
        // and the tree pane, never below it.
        QVERIFY(window().minimumWidth() >= 587);
        QVERIFY(window().width() >= window().minimumWidth());
        QVERIFY(window().maximumWidth() > window().minimumWidth());
        QVERIFY(child<QTabWidget>("PageControl2")->isVisible());
        QVERIFY(!child<QTabWidget>("PageControl1")->isVisible());
        // Hiding the tool bar makes the window lower by the bar, pages unchanged.
        const int height = window().height();
        const int pages = child<QTabWidget>("PageControl2")->height();
        const int band = window().toolBar()->height();
        child<QAction>("ToolBar1")->trigger();
        QTRY_COMPARE(window().height(), height - band);
        QTRY_COMPARE(child<QTabWidget>("PageControl2")->height(), pages);
        child<QAction>("ToolBar1")->trigger();
        QTRY_COMPARE(window().height(), height);
        auto* width = child<kzt::TKZTEdit>("kzteditAppletWidth");
        QVERIFY(width);
        QCOMPARE(width->EditType(), kzt::TKZTEdit::etInteger);
        QCOMPARE(width->maxLength(), 4);
        QCOMPARE(width->text(), QStringLiteral("140"));
        for (const char* name : {"kzteditSlideSpeed", "kzteditSlideDelay", "kzteditScrollBtn1X", "kzteditScrollBtn1Y",
                                 "kzteditScrollBtn1Width", "kzteditScrollBtn1Height", "kzteditScrollBtn2X",
                                 "kzteditScrollBtn2Y", "kzteditScrollBtn2Width", "kzteditScrollBtn2Height",
                                 "kzteditAppletBorderWidth", "kzteditAppletHeight"})
            QVERIFY2(child<kzt::TKZTEdit>(name), name);
        QVERIFY(child<QRadioButton>("rdbtnCursorType1")->isChecked());

        child<QAction>("New1")->trigger();
        QCOMPARE(QString::fromStdString(agent().tree().root()->text()), QStringLiteral("Osmerin 2005"));
        QVERIFY(shownTexts().isEmpty());
    }

    void rangeBox_saysWhyAKeyIsRefused_andShowsItsRange()
    {
        selectRoot();
        auto* delay = child<kzt::TKZTEdit>("kzteditSlideDelay");
        auto* hint = child<QLabel>("stctxtHint");
        QCOMPARE(child<QSpinBox>("udSlideDelay")->toolTip(), QStringLiteral("A whole number from 0 to 3000"));
        typeInto(delay, QStringLiteral("99"));
        hint->clear();
        QTest::keyClicks(delay, QStringLiteral("9"));
        QCOMPARE(delay->text(), QStringLiteral("999"));
        QVERIFY(hint->text().isEmpty());
        QTest::keyClicks(delay, QStringLiteral("9"));
        QCOMPARE(delay->text(), QStringLiteral("999"));
        QCOMPARE(hint->text(), QStringLiteral("Refused: this box takes a whole number from 0 to 3000."));
        hint->clear();
        QTest::keyClicks(delay, QStringLiteral("x"));
        QCOMPARE(hint->text(), QStringLiteral("Refused: this box takes a whole number from 0 to 3000."));
    }

    void toolBarPictures_differ_andDisabledIsPlainlyFainter()
    {
        auto picture = [this](const char* action) {
            return child<QAction>(action)->icon().pixmap(16, 16, QIcon::Normal).toImage();
        };
        // Cut, Copy, Paste and Delete each have a picture of their own.
        const QList<QImage> pictures = {picture("Cut1"), picture("Copy1"), picture("Paste1"), picture("Delete1")};
        for (int i = 0; i < pictures.size(); ++i)
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY2(pictures[i] != pictures[j], qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
        auto alpha = [](const QImage& image) {
            qint64 sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    sum += qAlpha(image.pixel(x, y));
            return sum;
        };
        for (const char* name : {"Cut1", "Copy1", "Paste1", "Delete1", "Save1", "Insert1"}) {
            const QIcon icon = child<QAction>(name)->icon();
            const QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
            const QImage disabled = icon.pixmap(16, 16, QIcon::Disabled).toImage();
            QVERIFY2(alpha(disabled) * 2 < alpha(normal), name);
        }
    }

    void enablingRules_rootAndItems()
    {
        selectRoot();
        QVERIFY(enabled("Insert1"));
        for (const char* name : {"Cut1", "Copy1", "Paste1", "Delete1", "MoveUp1", "MoveDown1"})
            QVERIFY2(!enabled(name), name);
        insertItems({"A", "B"});
        selectItem(0);
        QVERIFY(child<QTabWidget>("PageControl1")->isVisible());
        QVERIFY(!child<QTabWidget>("PageControl2")->isVisible());
        for (const char* name : {"Cut1", "Copy1", "Delete1", "MoveDown1"})
            QVERIFY2(enabled(name), name);
        for (const char* name : {"Insert1", "Paste1", "MoveUp1"})
            QVERIFY2(!enabled(name), name);
        QVERIFY(!child<QToolButton>("tlbtnInsert")->isEnabled());
        selectItem(1);
        QVERIFY(enabled("MoveUp1"));
        QVERIFY(!enabled("MoveDown1"));
        child<QToolButton>("tlbtnCopy")->click();
        QVERIFY(!enabled("Paste1"));
        selectRoot();
        QVERIFY(enabled("Paste1"));
        QVERIFY(child<QToolButton>("tlbtnPaste")->isEnabled());
        QVERIFY(enabled("Insert1"));
        QVERIFY(!enabled("Cut1"));
    }

    void copyThenPasteTwice_appendsTwoCopies()
    {
        insertItems({"A", "B"});
        selectItem(0);
        child<QLineEdit>("editItemURL")->setText(QStringLiteral("a.html"));
        action("Copy1")->trigger();
        selectRoot();
        action("Paste1")->trigger();
        action("Paste1")->trigger();
        QCOMPARE(comments(), (QStringList{"A", "B", "A", "A"}));
        QCOMPARE(nodeTexts(), (QStringList{"A", "B", "A", "A"}));
        QCOMPARE(agent().Items[3].get(osmerin::ItemURL), std::string("a.html"));
        QVERIFY(agent().IsConsistent());
        QVERIFY(enabled("Paste1"));
    }

    // Paste tells the document's listeners of the pasted records; records
    // changed behind the panels reach the preview at once, which then shows
    // what a fresh preview of the same records shows.
    void paste_tellsListeners_andThePreviewFollowsTheRecords()
    {
        kzt::test::RecordRecorder recorder;
        insertItems({"A", "B"});
        selectItem(0);
        action("Copy1")->trigger();
        selectRoot();
        agent().addRecordListener(&recorder);
        action("Paste1")->trigger();
        agent().removeRecordListener(&recorder);
        QCOMPARE(comments(), (QStringList{"A", "B", "A"}));
        QVERIFY(std::ranges::find(recorder.heard, "items 2+1") != recorder.heard.end());

        action("PreviewWindow1")->trigger();
        osmerin::TfrmWysiwyg* preview = window().previewWindow();
        selectItem(2);
        const auto freshCanvas = [&] {
            osmerin::TfrmWysiwyg fresh;
            fresh.resize(preview->size());
            fresh.refresh(agent().AppletData, &agent().Items[2], window().panels()->memoItemText->toPlainText(),
                          agent().paths().previewDir);
            return fresh.canvas();
        };
        QCOMPARE(preview->canvas(), freshCanvas());
        kzt::TAppletData applet = agent().AppletData;
        applet.set(osmerin::AppletBGColor, "FF0000");
        applet.set(osmerin::AppletBorderWidth, "3");
        agent().SetAppletData(applet);
        QCOMPARE(preview->canvas(), freshCanvas());
        QCOMPARE(preview->canvas().pixel(preview->width() / 2, preview->height() - 5), qRgb(255, 0, 0));
        kzt::TItemData item = agent().Items[2];
        item.set(osmerin::ItemFontColor, "00FF00");
        agent().SetItemData(2, item);
        QCOMPARE(preview->canvas(), freshCanvas());
    }

    void cutThenPaste_movesToEnd()
    {
        insertItems({"A", "B", "C"});
        selectItem(0);
        action("Cut1")->trigger();
        selectRoot();
        action("Paste1")->trigger();
        QCOMPARE(comments(), (QStringList{"B", "C", "A"}));
        QCOMPARE(nodeTexts(), (QStringList{"B", "C", "A"}));
        QVERIFY(agent().IsConsistent());
        QVERIFY(!enabled("Paste1"));
        QVERIFY(!window().markedNode());
    }

    void deletingCopiedItem_disablesPaste_andPasteIntoMarkDoesNothing()
    {
        insertItems({"A", "B"});
        selectItem(0);
        action("Copy1")->trigger();
        // Pasting into the marked node itself changes nothing.
        window().Paste1Click();
        QCOMPARE(comments(), (QStringList{"A", "B"}));
        MessageBox::setNextAnswer(MessageBox::Yes);
        action("Delete1")->trigger();
        QCOMPARE(shownTexts().last(), QStringLiteral("Are you sure to delete this item and all it's children?"));
        QVERIFY(!window().markedNode());
        selectRoot();
        QVERIFY(!enabled("Paste1"));
        window().Paste1Click();
        QCOMPARE(comments(), (QStringList{"B"}));
        QVERIFY(agent().IsConsistent());
    }

    void commentIsTrimmedInTree_andCommentOnlyChangeAsksBeforeClose()
    {
        insertItems({"News"});
        const QString file = m_dir->path() + "/box.osn";
        kzt::FileDialog::setNextFileName(file);
        action("Save2")->trigger();
        QVERIFY(QFile::exists(file));
        QCOMPARE(window().projectFileName(), file);
        selectItem(0);
        typeInto(child<QLineEdit>("editItemComment"), QStringLiteral("  Spaced out  "));
        QCOMPARE(nodeTexts(), QStringList{"Spaced out"});
        QCOMPARE(comments(), QStringList{"  Spaced out  "});
        // The comment lives in the project file only, and Save writes it: the
        // question comes, and Cancel keeps the window and the work.
        MessageBox::setNextAnswer(MessageBox::Cancel);
        QVERIFY(!window().close());
        QCOMPARE(shownTexts(), QStringList{"Save changes to files before Exit?"});
        QCOMPARE(comments(), QStringList{"  Spaced out  "});
        MessageBox::setNextAnswer(MessageBox::Yes);
        QVERIFY(window().close());
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("  Spaced out  "));
    }

    void afterSaveAs_closingAsksNothing()
    {
        insertItems({"One"});
        selectItem(0);
        child<QLineEdit>("editItemURL")->setText(QStringLiteral("x.html"));
        kzt::FileDialog::setNextFileName(m_dir->path() + "/saved.osn");
        action("Save2")->trigger();
        QVERIFY(window().close());
        QVERIFY(shownTexts().isEmpty());
    }

    void exitWithUnsavedChanges_asksAndKeepsWork()
    {
        insertItems({"Kept"});
        MessageBox::setNextAnswer(MessageBox::Cancel);
        action("Exit1")->trigger();
        QCOMPARE(shownTexts(), QStringList{"Save changes to files before Exit?"});
        QVERIFY(window().isVisible());
        // Yes, then a cancelled save dialog: still open, work intact.
        MessageBox::setNextAnswer(MessageBox::Yes);
        action("Exit1")->trigger();
        QVERIFY(window().isVisible());
        QCOMPARE(comments(), QStringList{"Kept"});
        MessageBox::setNextAnswer(MessageBox::No);
        action("Exit1")->trigger();
        QVERIFY(!window().isVisible());
    }

    void previewWindow_menuInStepAndEditsRefresh()
    {
        osmerin::TfrmWysiwyg* preview = window().previewWindow();
        QVERIFY(!preview->isVisible());
        action("PreviewWindow1")->trigger();
        QVERIFY(preview->isVisible());
        QVERIFY(action("PreviewWindow1")->isChecked());
        preview->close();
        QVERIFY(!action("PreviewWindow1")->isChecked());
        action("PreviewWindow1")->trigger();
        QVERIFY(preview->isVisible());

        // New gives the preview the applet's size.
        action("New1")->trigger();
        QCOMPARE(preview->size(), QSize(140, 230));
        child<QCheckBox>("chckbxShowScrollBtnFlag")->click();
        QVERIFY(preview->ScrlBtn1->isHidden());
        child<QSpinBox>("udScrollBtn1X")->setValue(40);
        child<QCheckBox>("chckbxShowScrollBtnFlag")->click();
        QCOMPARE(preview->ScrlBtn1->x(), 40);
        insertItems({"Text item"});
        selectItem(0);
        QVERIFY(!preview->memoText->isHidden());
        QTest::keyClicks(child<QWidget>("memoItemText"), "Hello");
        QCOMPARE(preview->memoText->toPlainText(), QStringLiteral("Hello"));
        selectRoot();
        QVERIFY(preview->memoText->isHidden());
    }

    void help_opensOurOwnPages()
    {
        const QString help = m_dir->path() + "/share/help";
        QDir().mkpath(help);
        for (const QString& name : QDir(QStringLiteral(KZT_SOURCE_DIR "/osmerin/share/help")).entryList(QDir::Files))
            QVERIFY(QFile::copy(QStringLiteral(KZT_SOURCE_DIR "/osmerin/share/help/") + name, help + "/" + name));
        // Every page of the window has its help page, linked from the index.
        const QByteArray index = [&] {
            QFile f(help + "/index.html");
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        for (const char* page : {"general.html", "text-settings.html", "links.html", "applet-setting.html",
                                 "scroll-button.html", "border-and-cursor.html", "loading-message.html",
                                 "contact.html"}) {
            QVERIFY2(QFile::exists(help + "/" + page), page);
            QVERIFY2(index.contains(page), page);
        }
        kzt::Launcher::Recorder launches;
        action("HelpTopics1")->trigger();
        action("Homepage1")->trigger();
        action("ContactUs1")->trigger();
        QCOMPARE(launches.launches().size(), std::size_t(3));
        QCOMPARE(launches.launches()[0].target, help + "/index.html");
        QCOMPARE(launches.launches()[1].target, help + "/contact.html");
        QCOMPARE(launches.launches()[2].target, help + "/contact.html");
        QVERIFY(shownTexts().isEmpty());
        // A missing sample page is said, not opened.
        action("ViewSample1")->trigger();
        QCOMPARE(launches.launches().size(), std::size_t(3));
        QCOMPARE(shownTexts().size(), 1);
    }

    void selectingItems_keepsEveryRecord()
    {
        insertItems({"A", "B"});
        agent().Items[0].set(osmerin::ItemFontStyle, "1");
        agent().Items[0].set(osmerin::ItemTextAlign, "2");
        agent().Items[0].set(osmerin::ItemFontSize, "36");
        agent().Items[0].set(osmerin::ItemContentType, "1");
        agent().Items[0].set(osmerin::ItemUnderline, "2");
        agent().Items[1].set(osmerin::ItemText, "x*#$@%");
        const auto before = agent().Items;
        for (int round = 0; round < 2; ++round) {
            selectItem(0);
            selectItem(1);
            selectRoot();
        }
        window().commitPanels();
        for (std::size_t i = 0; i < before.size(); ++i)
            for (std::size_t f = 0; f < osmerin::ItemFieldCount; ++f)
                if (f != osmerin::ItemContent)
                    QCOMPARE(agent().Items[i].get(f), before[i].get(f));
        selectItem(0);
        QVERIFY(child<QToolButton>("spdbtnFontBold")->isChecked());
        QVERIFY(child<QToolButton>("spdbtnFontAlignRight")->isChecked());
        // Save stays available after a field edit; there is no changed mark.
        QVERIFY(enabled("Save1"));
    }

    void switches_contentTypeAndScrollButtons()
    {
        insertItems({"A"});
        selectItem(0);
        QVERIFY(child<QWidget>("memoItemText")->isEnabled());
        QVERIFY(!child<QWidget>("editItemImageFilename")->isEnabled());
        child<QRadioButton>("rdbtnContentTypeImage")->click();
        QVERIFY(!child<QWidget>("memoItemText")->isEnabled());
        QVERIFY(child<QWidget>("editItemImageFilename")->isEnabled());
        QVERIFY(child<QWidget>("spdbtnImageFilename")->isEnabled());
        QVERIFY(!child<QWidget>("spdbtnTextFilename")->isEnabled());
        child<QRadioButton>("rdbtnContentTypeTextFile")->click();
        QVERIFY(child<QWidget>("editItemTextFilename")->isEnabled());
        QVERIFY(!child<QWidget>("cmbxItemImageAlign")->isEnabled());
        window().commitPanels();
        QCOMPARE(agent().Items[0].get(osmerin::ItemContentType), std::string("2"));

        selectRoot();
        child<QCheckBox>("chckbxShowScrollBtnFlag")->click();
        QVERIFY(!child<QWidget>("kzteditScrollBtn1X")->isEnabled());
        QVERIFY(!child<QWidget>("pnlScrollBtn2AarowColor")->isEnabled());
        QCOMPARE(child<QWidget>("grpbxScrollBtn1")->cursor().shape(), Qt::ForbiddenCursor);
        child<QCheckBox>("chckbxShowScrollBtnFlag")->click();
        QVERIFY(child<QWidget>("kzteditScrollBtn1X")->isEnabled());

        auto* width = child<QSpinBox>("udAppletWidth");
        width->setValue(300);
        window().commitPanels();
        QCOMPARE(agent().AppletData.get(osmerin::AppletWidth), std::string("300"));
        QCOMPARE(agent().AppletData.get(osmerin::ShowScrollBtnFlag), std::string("1"));
    }
};

QTEST_MAIN(OsmerinWindowTest)
#include "OsmerinWindowTest.moc"

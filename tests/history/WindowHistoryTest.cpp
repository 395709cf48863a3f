// Undo, redo and the item clipboard in the four windows, driven through
// their actions and keys on the offscreen platform.
#include "WindowTestWorld.h"

#include "AppletAgent.h"
#include "EditHistory.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "PreviewFolder.h"
#include "ProjectFileFormat.h"
#include "TreeNode.h"
#include "dulcamon/gui/TMainForm.h"
#include "kestravo/gui/TMainForm.h"
#include "osmerin/gui/TMainForm.h"
#include "osmerin/gui/TfrmWysiwyg.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/gui/TMainForm.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>

#include <memory>
#include <random>

namespace {

// What Save would write into the project file.
std::string projectText(kzt::TkztAppletAgent& agent)
{
    agent.product().refreshDerivedFields(agent);
    std::string contents;
    (void)agent.product().projectFormat().render(agent, contents);
    return contents;
}

// Windows of one program (or of two) in one test world, each with its own
// user and preview folders.
class Windows : public WindowTestWorld
{
public:
    ~Windows() override
    {
        for (auto& window : m_windows)
            closeWindow(window.get());
    }

    template <typename Form> Form& open(const char* product)
    {
        kzt::AppPaths paths;
        paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / product / "share";
        paths.userDataDir = path(QStringLiteral("data/%1/%2").arg(QLatin1String(product)).arg(m_windows.size()))
                                .toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        auto window = std::make_unique<Form>(paths);
        Form& form = *window;
        showWindow(form);
        m_windows.push_back(std::move(window));
        m_current = &form;
        return form;
    }
    void use(kzt::EditorMainWindow& window) { m_current = &window; }
    kzt::EditorMainWindow& current() { return *m_current; }
    kzt::TkztAppletAgent& agent() { return m_current->agent(); }
    QAction* action(const char* name) { return child<QAction>(name); }
    // Inserts under the selected node and selects the new item.
    kzt::TreeNode* insertUnder(const kzt::TreeNode* parent)
    {
        select(parent);
        trigger("Insert1");
        kzt::TreeNode* node = parent->lastChild();
        select(node);
        return node;
    }
    // Every step back (or forward); a commit that made a new step each time
    // would never end, so the count is bounded.
    void undoAll()
    {
        const int steps = m_current->editHistory()->stack()->index();
        for (int i = 0; i <= steps && m_current->editHistory()->stack()->canUndo(); ++i)
            trigger("Undo1");
        QCOMPARE(m_current->editHistory()->stack()->index(), 0);
    }
    void redoAll()
    {
        const int steps = m_current->editHistory()->stack()->count();
        for (int i = 0; i <= steps && m_current->editHistory()->stack()->canRedo(); ++i)
            trigger("Redo1");
        QCOMPARE(m_current->editHistory()->stack()->index(), steps);
    }
    void keyInTree(QKeySequence::StandardKey key)
    {
        QTreeView* tree = m_current->treeView();
        tree->setFocus();
        QTRY_VERIFY(tree->hasFocus());
        const QKeyCombination combination = QKeySequence(key)[0];
        QTest::keyClick(tree, combination.key(), combination.keyboardModifiers());
    }

protected:
    kzt::EditorMainWindow& editorWindow() override { return *m_current; }

private:
    std::vector<std::unique_ptr<kzt::EditorMainWindow>> m_windows;
    kzt::EditorMainWindow* m_current = nullptr;
};

QLineEdit* captionEdit(kzt::EditorMainWindow& window)
{
    for (const char* name : {"edtICaption", "editItemComment"}) {
        if (auto* edit = window.findChild<QLineEdit*>(QString::fromLatin1(name)))
            return edit;
    }
    return nullptr;
}

} // namespace

class WindowHistoryTest : public QObject
{
    Q_OBJECT

private:
    // A short random sequence of the window's commands, undone and redone
    // through the Edit menu.
    template <typename Form> void randomSequence(const char* product, bool nested)
    {
        Windows w;
        Form& window = w.open<Form>(product);
        for (int i = 0; i < 12; ++i)
            w.insertUnder(i % 3 == 0 || !nested ? window.agent().tree().root() : window.agent().NodeOfItem(i / 2));
        w.selectRoot();
        window.editHistory()->clear();
        const std::string before = projectText(window.agent());
        std::mt19937 random(7);
        const auto pick = [&](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random); };
        for (int step = 0; step < 40; ++step) {
            if (window.agent().Items.empty())
                w.insertUnder(window.agent().tree().root());
            kzt::TreeNode* node = window.agent().NodeOfItem(pick(window.agent().Items.size()));
            w.select(node);
            switch (pick(nested ? 7 : 5)) {
            case 0:
                WindowTestWorld::typeInto(captionEdit(window), QStringLiteral("typed %1").arg(step));
                break;
            case 1:
                kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
                w.trigger("Delete1");
                break;
            case 2:
                w.trigger("MoveUp1");
                break;
            case 3:
                w.trigger("MoveDown1");
                break;
            case 4:
                w.trigger("Insert1");
                break;
            case 5:
                w.trigger("Copy1");
                w.select(window.agent().NodeOfItem(pick(window.agent().Items.size())));
                w.trigger("Paste1");
                break;
            case 6:
                w.trigger("Cut1");
                break;
            }
            QVERIFY(window.agent().IsConsistent());
        }
        w.selectRoot();
        // As Save writes it: the panels committed first.
        window.commitPanels();
        const std::string after = projectText(window.agent());
        QVERIFY(after != before);
        w.undoAll();
        QCOMPARE(projectText(window.agent()), before);
        w.redoAll();
        QCOMPARE(projectText(window.agent()), after);
    }

private slots:
    void randomSequence_dulcamon() { randomSequence<dulcamon::TMainForm>("dulcamon", true); }
    void randomSequence_kestravo() { randomSequence<kestravo::TMainForm>("kestravo", true); }
    void randomSequence_vantrel() { randomSequence<vantrel::TMainForm>("vantrel", true); }
    void randomSequence_osmerin() { randomSequence<osmerin::TMainForm>("osmerin", false); }

    void editMenu_afterFile_withUndoRedoAndItemCommands()
    {
        Windows w;
        for (int product = 0; product < 4; ++product) {
            kzt::EditorMainWindow& window = product == 0   ? static_cast<kzt::EditorMainWindow&>(w.open<dulcamon::TMainForm>("dulcamon"))
                                            : product == 1 ? w.open<kestravo::TMainForm>("kestravo")
                                            : product == 2 ? static_cast<kzt::EditorMainWindow&>(w.open<vantrel::TMainForm>("vantrel"))
                                                           : w.open<osmerin::TMainForm>("osmerin");
            const QList<QAction*> menus = window.menuBar()->actions();
            QVERIFY(menus.size() > 2);
            QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("File1"));
            QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("Edit1"));
            QStringList names;
            for (QAction* entry : menus[1]->menu()->actions())
                names << entry->objectName();
            QCOMPARE(names, (QStringList{"Undo1", "Redo1", "", "Cut1", "Copy1", "Paste1", "Delete1"}));
            QCOMPARE(w.action("Undo1")->shortcut(), QKeySequence(QKeySequence::Undo));
            QCOMPARE(w.action("Copy1")->shortcut(), QKeySequence(QKeySequence::Copy));
            QVERIFY(w.child<QToolButton>("tlbtnUndo"));
            QVERIFY(w.child<QToolButton>("tlbtnRedo"));
            // The Item menu keeps every entry it had.
            auto* item = window.findChild<QMenu*>(QStringLiteral("Item1"));
            QVERIFY(item);
            QVERIFY(item->actions().contains(w.action("Insert1")));
            QVERIFY(item->actions().contains(w.action("MoveDown1")));
        }
    }

    void undo_namesTheStepAndFollowsTheSavedState()
    {
        Windows w;
        auto& window = w.open<dulcamon::TMainForm>("dulcamon");
        kzt::TreeNode* first = w.insertUnder(window.agent().tree().root());
        w.insertUnder(first);
        kzt::FileDialog::setNextFileName(w.path(QStringLiteral("menu.dlcg")));
        w.trigger("Save1");
        QVERIFY(!window.isModified());
        const QByteArray saved = WindowTestWorld::readFile(w.path(QStringLiteral("menu.dlcg")));
        QVERIFY(!saved.isEmpty());

        w.select(first);
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
        w.trigger("Delete1");
        QVERIFY(window.isModified());
        QCOMPARE(window.agent().Items.size(), std::size_t(0));
        QCOMPARE(w.action("Undo1")->text(), QStringLiteral("&Undo Delete Item"));
        w.trigger("Undo1");
        QCOMPARE(window.agent().Items.size(), std::size_t(2));
        QCOMPARE(window.selectedNode(), window.agent().NodeOfItem(0));
        // Back at the saved state: the changed mark goes and Save with it.
        QVERIFY(!window.isModified());
        QVERIFY(!w.action("Save1")->isEnabled());
        QCOMPARE(w.action("Redo1")->text(), QStringLiteral("&Redo Delete Item"));
        w.trigger("Redo1");
        QVERIFY(window.isModified());
        w.trigger("Undo1");

        // Typing in one box is one step, named as such; undo shows the old text.
        QLineEdit* caption = captionEdit(window);
        w.select(window.agent().NodeOfItem(0));
        WindowTestWorld::typeInto(caption, QStringLiteral("Renamed"));
        w.select(window.agent().NodeOfItem(1));
        QCOMPARE(w.action("Undo1")->text(), QStringLiteral("&Undo Change Properties"));
        w.trigger("Undo1");
        QCOMPARE(QString::fromStdString(window.agent().NodeOfItem(0)->text()), QStringLiteral("Item"));
        QCOMPARE(window.selectedNode(), window.agent().NodeOfItem(0));
        QCOMPARE(caption->text(), QStringLiteral("Item"));
        QVERIFY(!window.isModified());
        kzt::FileDialog::setNextFileName(w.path(QStringLiteral("menu.dlcg")));
        w.trigger("Save1");
        QCOMPARE(WindowTestWorld::readFile(w.path(QStringLiteral("menu.dlcg"))), saved);
    }

    void itemKeys_actOnItemsOnlyWithTheTreeFocused()
    {
        Windows w;
        auto& window = w.open<dulcamon::TMainForm>("dulcamon");
        kzt::TreeNode* first = w.insertUnder(window.agent().tree().root());
        QLineEdit* caption = captionEdit(window);
        caption->setFocus();
        QTRY_VERIFY(caption->hasFocus());
        caption->selectAll();
        QTest::keyClick(caption, Qt::Key_Delete);
        QCOMPARE(window.agent().Items.size(), std::size_t(1));
        QCOMPARE(caption->text(), QString());
        QTest::keyClick(caption, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(caption->text(), QStringLiteral("Item"));
        QCOMPARE(window.agent().Items.size(), std::size_t(1));

        w.select(first);
        w.keyInTree(QKeySequence::Copy);
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("application/x-dulcamon-items")));
        w.keyInTree(QKeySequence::Paste);
        QCOMPARE(window.agent().Items.size(), std::size_t(2));
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
        w.keyInTree(QKeySequence::Delete);
        QCOMPARE(window.agent().Items.size(), std::size_t(1));
        w.keyInTree(QKeySequence::Undo);
        QCOMPARE(window.agent().Items.size(), std::size_t(2));
    }

    void paste_betweenTwoWindowsOfOneProgram_withPictures()
    {
        Windows w;
        auto& source = w.open<vantrel::TMainForm>("vantrel");
        kzt::TreeNode* top = w.insertUnder(source.agent().tree().root());
        w.insertUnder(top);
        w.insertUnder(top);
        kzt::TItemData record = source.agent().Items[1];
        record.set(vantrel::ItNoBgImg, "leaf.gif");
        source.agent().SetItemData(1, record);
        WindowTestWorld::writeFile(QString::fromStdString((source.agent().paths().previewDir / "leaf.gif").string()),
                                   "GIF89a");
        w.select(top);
        w.trigger("Copy1");

        auto& target = w.open<vantrel::TMainForm>("vantrel");
        w.insertUnder(target.agent().tree().root());
        w.insertUnder(target.agent().tree().root());
        w.select(target.agent().NodeOfItem(0));
        w.trigger("Paste1");
        QCOMPARE(target.agent().Items.size(), std::size_t(5));
        // After the selected item, at its level, with its sub-items.
        kzt::TreeNode* pasted = target.agent().tree().root()->child(1);
        QCOMPARE(pasted->childCount(), std::size_t(2));
        QCOMPARE(target.agent().CopySubtree(pasted), source.agent().CopySubtree(top));
        QVERIFY(std::filesystem::is_regular_file(target.agent().paths().previewDir / "leaf.gif"));
        QCOMPARE(w.action("Undo1")->text(), QStringLiteral("&Undo Paste"));
        w.trigger("Undo1");
        QCOMPARE(target.agent().Items.size(), std::size_t(2));
    }

    void paste_dulcamonItemsIntoKestravo()
    {
        Windows w;
        auto& source = w.open<dulcamon::TMainForm>("dulcamon");
        kzt::TreeNode* top = w.insertUnder(source.agent().tree().root());
        QLineEdit* caption = captionEdit(source);
        WindowTestWorld::typeInto(caption, QStringLiteral("Caf"));
        QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00e9"));
        QApplication::sendEvent(caption, &accented);
        QCOMPARE(caption->text(), QStringLiteral("Caf\u00e9"));
        w.insertUnder(top);
        w.select(top);
        w.trigger("Copy1");
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("application/x-kzt-menu-structure")));

        auto& target = w.open<kestravo::TMainForm>("kestravo");
        w.selectRoot();
        w.trigger("Paste1");
        QCOMPARE(target.agent().Items.size(), std::size_t(2));
        const kzt::TreeNode* pasted = target.agent().NodeOfItem(0);
        QCOMPARE(target.treeModel()->data(target.treeModel()->indexOf(pasted), Qt::DisplayRole).toString(),
                 QStringLiteral("Caf\u00e9"));
        QCOMPARE(pasted->childCount(), std::size_t(1));
        QCOMPARE(target.agent().Items[1].get(target.agent().info().levelField), std::string_view("1"));
    }

    void preview_afterUndo_equalsAFreshPreview()
    {
        Windows w;
        auto& window = w.open<vantrel::TMainForm>("vantrel");
        window.showPreviewWindow();
        QTRY_VERIFY(window.previewWindow() && window.previewWindow()->isVisible());
        kzt::TreeNode* top = w.insertUnder(window.agent().tree().root());
        w.insertUnder(top);
        w.insertUnder(window.agent().tree().root());
        WindowTestWorld::typeInto(captionEdit(window), QStringLiteral("Last"));
        w.select(top);
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
        w.trigger("Delete1");
        w.trigger("Undo1");
        w.trigger("Undo1");
        QCoreApplication::processEvents();
        const QImage followed = window.previewWindow()->frame();
        window.previewWindow()->rebuildCache();
        window.RefreshPreview();
        QCOMPARE(window.previewWindow()->frame(), followed);

        auto& news = w.open<osmerin::TMainForm>("osmerin");
        news.showPreviewWindow();
        w.selectRoot();
        w.insertUnder(news.agent().tree().root());
        const std::string original = news.agent().NodeOfItem(0)->text();
        WindowTestWorld::typeInto(news.findChild<QLineEdit*>(QStringLiteral("editItemComment")), QStringLiteral("one"));
        w.selectRoot();
        w.trigger("Undo1");
        QTRY_COMPARE(news.agent().NodeOfItem(0)->text(), original);
        QCoreApplication::processEvents();
        const QImage drawn = news.previewWindow()->canvas();
        const QString text = news.previewWindow()->memoText->toPlainText();
        news.RefreshPreview();
        QCOMPARE(news.previewWindow()->canvas(), drawn);
        QCOMPARE(news.previewWindow()->memoText->toPlainText(), text);
    }

    void newDocument_startsAnEmptyHistory()
    {
        Windows w;
        auto& window = w.open<kestravo::TMainForm>("kestravo");
        w.insertUnder(window.agent().tree().root());
        QVERIFY(window.editHistory()->stack()->canUndo());
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::No);
        w.trigger("New1");
        QVERIFY(!window.editHistory()->stack()->canUndo());
        QVERIFY(!w.action("Undo1")->isEnabled());
    }
};

QTEST_MAIN(WindowHistoryTest)
#include "WindowHistoryTest.moc"

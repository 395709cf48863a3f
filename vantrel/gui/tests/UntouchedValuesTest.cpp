// Values the author did not edit stay as the project holds them, also where
// a control cannot show them; walking a project and saving it writes what the
// command line publishes.
#include "AppletAgent.h"
#include "SchemaControls.h"
#include "UntouchedValues.h"
#include "WindowTestWorld.h"
#include "vantrel/core/VantrelSchema.h"
#include "TreeNode.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/gui/TMainForm.h"
#include "vantrel/gui/VantrelPanels.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include <QDir>
#include <QTest>

#include <memory>

using namespace vantrel;

namespace {

class World : public WindowTestWorld
{
public:
    World() { writeFile(path("share/help/index.html"), "<html><body>Help</body></html>"); }
    ~World() override
    {
        closeWindow(m_window.get());
        m_window.reset();
    }

    TMainForm& window()
    {
        if (!m_window) {
            kzt::AppPaths paths;
            paths.shareDir = path("share").toStdString();
            paths.userDataDir = path("data/vantrel").toStdString();
            paths.previewDir = paths.userDataDir / "preview";
            m_window = std::make_unique<TMainForm>(paths);
            showWindow(*m_window);
            m_window->showPreviewWindow();
        }
        return *m_window;
    }

    // The window with `count` new items and its preview.
    TfrmWysiwyg* previewWithItems(int count)
    {
        for (int i = 0; i < count; ++i)
            window().Insert1Click();
        return window().previewWindow();
    }

protected:
    kzt::EditorMainWindow& editorWindow() override { return window(); }

private:
    std::unique_ptr<TMainForm> m_window;
};

} // namespace

class UntouchedValuesTest : public QObject
{
    Q_OBJECT

private:
    static std::vector<UntouchedValues::Bound> bound(TMainForm& w)
    {
        // The three looks are bound with the item's other fields.
        return {{w.appletFields(), 0, true}, {w.itemFields(), 0, false}};
    }
    // The commit rules: trimmed texts, reserved values, no border width
    // without a border, the levels.
    static void derive(kzt::TkztAppletAgent& agent)
    {
        VantrelDocument::CommitAppletRecord(agent.AppletData);
        for (std::size_t index = 0; index < agent.Items.size(); ++index)
            VantrelDocument::CommitItemRecord(agent.Items[index], agent.tree().level(agent.NodeOfItem(index)));
    }

private slots:
    void schemaControls_allFound()
    {
        World world;
        const QStringList missing = missingSchemaControls(world.window().panels(), vantrel::schema::kSchema);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    // The hint line's texts come from the schema: every control a hinted
    // field has says its field's hint (a look's control with the look named).
    void schemaHints_reachTheControls()
    {
        World world;
        QWidget& panels = *world.window().panels();
        int checked = 0;
        for (const kzt::FieldSpec& field : vantrel::schema::kAppletFields) {
            if (*field.hint == '\0' || *field.control == '\0')
                continue;
            auto* control = panels.findChild<QWidget*>(QString::fromLatin1(field.control));
            QVERIFY2(control, field.control);
            QCOMPARE(control->statusTip(), QString::fromLatin1(field.hint));
            ++checked;
        }
        for (const kzt::FieldSpec& field : vantrel::schema::kLookFields) {
            if (*field.control == '\0' || (field.copies & 1u) == 0)
                continue;
            QString name = QString::fromLatin1(field.control);
            name.replace(QLatin1Char('%'), QStringLiteral("No"));
            auto* control = panels.findChild<QWidget*>(name);
            QVERIFY2(control, qPrintable(name));
            QCOMPARE(control->statusTip(), QStringLiteral("%1 (normal look)").arg(QString::fromLatin1(field.hint)));
            ++checked;
        }
        QVERIFY(checked > 60);
    }

    void unshowableValues_keptUntilEdited()
    {
        World world;
        UntouchedValues::checkUnshowableValuesKept(world, world.window(), bound(world.window()),
                                                   world.path("work/kept.vtp"), derive);
        if (QTest::currentTestFailed())
            return;
        UntouchedValues::checkEditsReplaceKeptValues(world, world.window(), bound(world.window()));
    }

    // A bulk copy changes records behind the panels: the preview draws the
    // changed items again from the record events, and only those.
    void bulkCopy_redrawsTheChangedItems()
    {
        World world;
        TfrmWysiwyg* preview = world.previewWithItems(4);
        QVERIFY(preview);
        TMainForm& w = world.window();
        kzt::TkztAppletAgent& agent = w.agent();
        kzt::TItemData source = agent.Items[0];
        source.set(ItNoFntSize, "31");
        agent.SetItemData(0, source);
        const std::int64_t before = preview->renderCount();
        agent.CopyItemFields(0, {1, 3}, {ItNoFntSize});
        QCOMPARE(preview->renderCount() - before, std::int64_t(2 * 3));
        QCOMPARE(std::string(agent.Items[3].get(ItNoFntSize)), std::string("31"));
        // Nothing changes, nothing is drawn.
        agent.CopyItemFields(0, {1, 3}, {ItNoFntSize});
        QCOMPARE(preview->renderCount() - before, std::int64_t(2 * 3));
    }

    // Records changed behind the panels (a bulk copy, a paste) reach the
    // preview through the record and tree events alone: it then draws what a
    // fresh preview of the same document draws; the selected item at once.
    void bulkCopyAndPaste_previewDrawsWhatAFreshPreviewDraws()
    {
        World world;
        TfrmWysiwyg* preview = world.previewWithItems(4);
        QVERIFY(preview);
        TMainForm& w = world.window();
        kzt::TkztAppletAgent& agent = w.agent();
        const auto freshFrame = [&] {
            TfrmWysiwyg fresh(agent);
            fresh.applyAppletSize();
            fresh.setLoadingPage(preview->loadingPage());
            fresh.setItemGeneralPage(preview->itemGeneralPage());
            fresh.setItemNormalPage(preview->itemNormalPage());
            fresh.setItemOverPage(preview->itemOverPage());
            fresh.setItemClickedPage(preview->itemClickedPage());
            fresh.rebuildCache();
            fresh.refresh(-1);
            return fresh.frame();
        };
        w.selectNode(agent.NodeOfItem(0));
        QTRY_COMPARE(preview->frame(), freshFrame());

        // The selected item changed behind the panels shows at once.
        kzt::TItemData source = agent.Items[0];
        source.set(kNormalState + BgClr, "FF0000");
        source.set(ICaption, "Copied");
        agent.SetItemData(0, source);
        QCOMPARE(preview->frame(), freshFrame());

        agent.CopyItemFields(0, {1, 3}, {kNormalState + BgClr, ICaption});
        QTRY_COMPARE(preview->frame(), freshFrame());
        QCOMPARE(preview->cacheLength(), agent.Items.size());

        kzt::TreeNode* copied = agent.NodeOfItem(1);
        const kzt::TItemArray records = agent.CopySubtree(copied);
        QVERIFY(agent.PasteSubtree(agent.tree().root(), records, agent.SubtreeRelativeLevels(copied)));
        QCOMPARE(agent.Items.size(), std::size_t(5));
        QTRY_COMPARE(preview->frame(), freshFrame());
        QCOMPARE(preview->cacheLength(), agent.Items.size());
    }

    void randomProjects_walkedAndSaved_equalPublished()
    {
        World world;
        UntouchedValues::checkRandomWalks(world, world.window(), bound(world.window()), world.path("walks"), 6, derive);
    }
};

QTEST_MAIN(UntouchedValuesTest)
#include "UntouchedValuesTest.moc"

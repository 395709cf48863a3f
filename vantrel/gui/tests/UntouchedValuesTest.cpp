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
        TMainForm& w = world.window();
        kzt::TkztAppletAgent& agent = w.agent();
        for (int i = 0; i < 4; ++i)
            w.Insert1Click();
        TfrmWysiwyg* preview = w.previewWindow();
        QVERIFY(preview);
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

    void randomProjects_walkedAndSaved_equalPublished()
    {
        World world;
        UntouchedValues::checkRandomWalks(world, world.window(), bound(world.window()), world.path("walks"), 6, derive);
    }
};

QTEST_MAIN(UntouchedValuesTest)
#include "UntouchedValuesTest.moc"

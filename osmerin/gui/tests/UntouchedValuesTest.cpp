// Values the author did not edit stay as the project holds them, also where
// a control cannot show them; walking a project and saving it writes what the
// command line publishes.
#include "AppletAgent.h"
#include "SchemaControls.h"
#include "UntouchedValues.h"
#include "WindowTestWorld.h"
#include "osmerin/core/OsmerinSchema.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/TMainForm.h"
#include "osmerin/gui/OsmerinPanels.h"

#include <QDir>
#include <QTest>

#include <memory>

using namespace osmerin;

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
            paths.userDataDir = path("data/osmerin").toStdString();
            paths.previewDir = paths.userDataDir / "preview";
            m_window = std::make_unique<TMainForm>(paths);
            showWindow(*m_window);
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
        return {{w.appletFields(), 0, true}, {w.itemFields(), 0, false}};
    }
    // The content the page shows follows the content type and its source.
    static void derive(kzt::TkztAppletAgent& agent)
    {
        for (kzt::TItemData& item : agent.Items)
            item.set(ItemContent, DerivedItemContent(item));
    }

private slots:
    void schemaControls_allFound()
    {
        World world;
        const QStringList missing = missingSchemaControls(world.window().panels(), osmerin::schema::kSchema);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void unshowableValues_keptUntilEdited()
    {
        World world;
        UntouchedValues::checkUnshowableValuesKept(world, world.window(), bound(world.window()),
                                                   world.path("work/kept.osn"), derive);
        if (QTest::currentTestFailed())
            return;
        UntouchedValues::checkEditsReplaceKeptValues(world, world.window(), bound(world.window()));
    }

    void randomProjects_walkedAndSaved_equalPublished()
    {
        World world;
        UntouchedValues::checkRandomWalks(world, world.window(), bound(world.window()), world.path("walks"), 6, derive);
    }
};

QTEST_MAIN(UntouchedValuesTest)
#include "UntouchedValuesTest.moc"

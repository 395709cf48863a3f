// Values the author did not edit stay as the project holds them, also where
// a control cannot show them; walking a project and saving it writes what the
// command line publishes.
#include "WindowFixture.h"

#include "SchemaControls.h"
#include "UntouchedValues.h"
#include "kestravo/core/KestravoSchema.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/gui/KestravoPanels.h"

#include <QTest>

class UntouchedValuesTest : public QObject
{
    Q_OBJECT

private:
    static std::vector<UntouchedValues::Bound> bound(kestravo::TMainForm& w)
    {
        return {{w.appletFields(), 0, true}, {w.itemFields(), 0, false}};
    }

    // An empty path flag is written "0", as a new document's is.
    static void derive(kzt::TkztAppletAgent& agent)
    {
        if (agent.AppletData.get(kestravo::pInternalUse_RootDir_Local_Checked).empty())
            agent.AppletData.set(kestravo::pInternalUse_RootDir_Local_Checked, "0");
    }

private slots:
    void schemaControls_allFound()
    {
        WindowFixture f;
        const QStringList missing = missingSchemaControls(f.window().panels(), kestravo::schema::kSchema);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void unshowableValues_keptUntilEdited()
    {
        WindowFixture f;
        UntouchedValues::checkUnshowableValuesKept(f, f.window(), bound(f.window()), f.path("work/kept.ksdm"), derive);
        if (QTest::currentTestFailed())
            return;
        UntouchedValues::checkEditsReplaceKeptValues(f, f.window(), bound(f.window()));
    }

    void randomProjects_walkedAndSaved_equalPublished()
    {
        WindowFixture f;
        UntouchedValues::checkRandomWalks(f, f.window(), bound(f.window()), f.path("walks"), 6, derive);
    }
};

QTEST_MAIN(UntouchedValuesTest)
#include "UntouchedValuesTest.moc"

// Values the author did not edit stay as the project holds them, also where
// a control cannot show them; walking a project and saving it writes what the
// command line publishes.
#include "MainFormFixture.h"

#include "SchemaControls.h"
#include "UntouchedValues.h"
#include "dulcamon/core/DulcamonSchema.h"
#include "dulcamon/gui/DulcamonPanels.h"

#include <QTest>

class UntouchedValuesTest : public QObject
{
    Q_OBJECT

private:
    static std::vector<UntouchedValues::Bound> bound(dulcamon::TMainForm& w)
    {
        return {{w.appletFields(), 0, true}, {w.itemFields(), 0, false}};
    }

private slots:
    void schemaControls_allFound()
    {
        MainFormFixture f;
        const QStringList missing = missingSchemaControls(f.window().panels(), dulcamon::schema::kSchema);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void unshowableValues_keptUntilEdited()
    {
        MainFormFixture f;
        UntouchedValues::checkUnshowableValuesKept(f, f.window(), bound(f.window()), f.path("work/kept.dlcg"));
        if (QTest::currentTestFailed())
            return;
        UntouchedValues::checkEditsReplaceKeptValues(f, f.window(), bound(f.window()));
    }

    void randomProjects_walkedAndSaved_equalPublished()
    {
        MainFormFixture f;
        UntouchedValues::checkRandomWalks(f, f.window(), bound(f.window()), f.path("walks"), 6);
    }
};

QTEST_MAIN(UntouchedValuesTest)
#include "UntouchedValuesTest.moc"

// Values the author did not edit stay as the project holds them, also where
// a control cannot show them; walking a project and saving it writes what the
// command line publishes.
#include "MainFormFixture.h"

#include "UntouchedValues.h"
#include "dulcamon/gui/DulcamonPanels.h"

#include <QTest>

class UntouchedValuesTest : public QObject
{
    Q_OBJECT

private:
    static std::vector<UntouchedValues::Bound> bound(dulcamon::TMainForm& w)
    {
        return {{&w.panels()->appletFields(), 0, true}, {&w.panels()->itemFields(), 0, false}};
    }

private slots:
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

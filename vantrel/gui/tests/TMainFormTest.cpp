#include <QTest>
class TMainFormTest : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() {}
};
QTEST_MAIN(TMainFormTest)
#include "TMainFormTest.moc"

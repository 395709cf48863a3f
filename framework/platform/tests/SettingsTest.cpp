#include "Settings.h"

#include <QtTest>

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() { QVERIFY(true); }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"

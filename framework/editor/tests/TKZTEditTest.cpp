#include "TKZTEdit.h"

#include "MessageBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

using namespace kzt;

namespace {

void enter(TKZTEdit& edit)
{
    QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &e);
}

void leave(TKZTEdit& edit)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &e);
}

QStringList shownTexts()
{
    QStringList out;
    for (const auto& s : MessageBox::shown())
        out << s.text;
    return out;
}

const QDateTime FixedNow(QDate(2026, 12, 8), QTime(14, 25, 36));

} // namespace

class TKZTEditTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    void init()
    {
        MessageBox::reset();
        MessageBox::setScripted(true);
    }

    void cleanup() { MessageBox::reset(); }

    void integer_keysFilteredAndMinusMovedToFront()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etInteger);
        enter(edit);
        QTest::keyClicks(&edit, "1a2-x-");
        // Letters never stay; the second minus is refused.
        QCOMPARE(edit.text(), QStringLiteral("12-"));
        QCOMPARE(edit.ValueInteger(), -12);
        QCOMPARE(edit.ValueFloat(), -12.0);
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("-12"));
        QCOMPARE(edit.ValueInteger(), -12);
        // A minus with no length limit opens room for the sign and ten digits.
        QCOMPARE(edit.maxLength(), 11);

        // Pasted text goes through the same filter.
        edit.setText(QStringLiteral("+4 5x"));
        QCOMPARE(edit.text(), QStringLiteral("45"));
        QCOMPARE(edit.ValueInteger(), 45);
        QVERIFY(MessageBox::shown().empty());
    }

    void integer_rangeCheckedWithMessageAndZero()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etInteger);
        enter(edit);
        QTest::keyClicks(&edit, "2147483647");
        QCOMPARE(edit.ValueInteger(), 2147483647);
        QVERIFY(MessageBox::shown().empty());
        edit.clear();
        QTest::keyClicks(&edit, "2147483648");
        QCOMPARE(shownTexts(),
                 QStringList{QStringLiteral("Range Max. : -2147483647 <-> 2147483647")});
        QCOMPARE(edit.ValueInteger(), 0);

        MessageBox::reset();
        MessageBox::setScripted(true);
        edit.setText(QStringLiteral("-2147483648"));
        QCOMPARE(shownTexts().size(), 1);
        QCOMPARE(edit.ValueInteger(), 0);
        edit.setText(QStringLiteral("99999999999999999999999"));
        QCOMPARE(shownTexts().size(), 2);
        QCOMPARE(shownTexts().last(),
                 QStringLiteral("Range Max. : -2147483647 <-> 2147483647"));
        QCOMPARE(edit.ValueInteger(), 0);
    }

    void integer_unconvertibleShowsThreeLineMessage()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etInteger);
        edit.setValueFloat(7);
        edit.setText(QStringLiteral("1-2-"));
        QCOMPARE(shownTexts(),
                 QStringList{QStringLiteral("Range Max. :\r - Integer : -2147483647 <-> "
                                            "2147483647\r - Float   : 5.0e-324 <-> 1.7e+308")});
        QCOMPARE(edit.ValueInteger(), 0);
        QCOMPARE(edit.ValueFloat(), 0.0);
    }

    void loneMinus_raisesNoChange()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etInteger);
        QSignalSpy changes(&edit, &TKZTEdit::OnChange);
        QTest::keyClicks(&edit, "-");
        QCOMPARE(changes.count(), 0);
        QTest::keyClicks(&edit, "5");
        QCOMPARE(changes.count(), 1);
        QCOMPARE(edit.ValueInteger(), -5);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(changes.count(), 1);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        // Empty text reports the change directly.
        QCOMPARE(changes.count(), 2);
        QVERIFY(MessageBox::shown().empty());

        TKZTEdit text;
        QSignalSpy textChanges(&text, &TKZTEdit::OnChange);
        QTest::keyClicks(&text, "-");
        QCOMPARE(textChanges.count(), 1);
    }

    void real_precisionCutAndFilled_separatorFromLocale()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etFloat);
        edit.setEditPrecision(2);
        enter(edit);
        QCOMPARE(edit.maxLength(), 16);
        QTest::keyClicks(&edit, "3");
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("3.00"));
        QCOMPARE(edit.ValueFloat(), 3.0);

        edit.clear();
        enter(edit);
        QTest::keyClicks(&edit, "1,23456.7");
        // A comma is typed as the locale's separator; a second one is refused.
        QCOMPARE(edit.text(), QStringLiteral("1.234567"));
        QCOMPARE(edit.ValueFloat(), 1.234567);
        QCOMPARE(edit.ValueInteger(), 1);
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("1.23"));

        edit.clear();
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("0.00"));

        edit.setText(QStringLiteral("5-"));
        edit.setEditAlign(TKZTEdit::etAlignValue);
        edit.setEditLengthAlign(8);
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("-0005.00"));
        QCOMPARE(edit.ValueFloat(), -5.0);
        QVERIFY(MessageBox::shown().empty());
    }

    void real_germanLocaleUsesComma()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TKZTEdit edit;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(edit.decimalSeparator(), QChar(','));
        QCOMPARE(edit.dateSeparator(), QChar('.'));
        edit.setEditType(TKZTEdit::etFloat);
        enter(edit);
        QTest::keyClicks(&edit, "2.5");
        QCOMPARE(edit.text(), QStringLiteral("2,5"));
        QCOMPARE(edit.ValueFloat(), 2.5);
    }

    void integer_zeroPaddedOnExit()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etInteger);
        edit.setEditAlign(TKZTEdit::etAlignValue);
        edit.setEditLengthAlign(5);
        edit.setText(QStringLiteral("42"));
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("00042"));
        QCOMPARE(edit.ValueInteger(), 42);
    }

    void text_paddingAndCapitals()
    {
        TKZTEdit edit;
        edit.setEditAlign(TKZTEdit::etAlignCenter);
        edit.setEditLengthAlign(6);
        edit.setText(QStringLiteral("abc"));
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("  abc "));

        const QList<QPair<int, QString>> centre = {
            {7, QStringLiteral("  abc  ")},  // 2 missing each side
            {8, QStringLiteral("  abc   ")}, // 2.5 goes to 2
            {10, QStringLiteral("    abc   ")}, // 3.5 goes to 4
            {4, QStringLiteral("abc ")},     // 0.5 goes to 0
        };
        for (const auto& [length, expected] : centre) {
            edit.setText(QStringLiteral("abc"));
            edit.setEditLengthAlign(length);
            leave(edit);
            QCOMPARE(edit.text(), expected);
        }

        edit.setEditAlign(TKZTEdit::etAlignRight);
        edit.setEditLengthAlign(6);
        edit.setText(QStringLiteral("abc"));
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("   abc"));
        edit.setEditAlign(TKZTEdit::etAlignLeft);
        edit.setText(QStringLiteral("  ab"));
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("ab    "));

        TKZTEdit caps;
        caps.setFirstCharUpper(true);
        QTest::keyClicks(&caps, "news (box) of x");
        QCOMPARE(caps.text(), QStringLiteral("News (Box) Of X"));
        caps.setText(QStringLiteral("lower"));
        leave(caps);
        QCOMPARE(caps.text(), QStringLiteral("Lower"));
    }

    void time_completion()
    {
        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etTime);
        edit.setClockForTesting(FixedNow);
        enter(edit);
        QCOMPARE(edit.maxLength(), 5);
        QTest::keyClicks(&edit, "9:3a0");
        QCOMPARE(edit.text(), QStringLiteral("930"));
        leave(edit);
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("Time incorrect")});
        QCOMPARE(edit.text(), QStringLiteral("00:00"));
        QCOMPARE(edit.ValueTime(), FixedNow);

        edit.clear();
        enter(edit);
        QTest::keyClicks(&edit, "0930");
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("09:30"));
        QCOMPARE(edit.ValueTime().time(), QTime(9, 30));
        QCOMPARE(shownTexts().size(), 1);

        const QChar c(':');
        QCOMPARE(TKZTEdit::completeTime("", FixedNow, c, false), QStringLiteral("14:25:36"));
        QCOMPARE(TKZTEdit::completeTime("7", FixedNow, c, false), QStringLiteral("07:00"));
        QCOMPARE(TKZTEdit::completeTime("7", FixedNow, c, true), QStringLiteral("07:00:00"));
        QCOMPARE(TKZTEdit::completeTime("12", FixedNow, c, true), QStringLiteral("12:00:00"));
        QCOMPARE(TKZTEdit::completeTime("123", FixedNow, c, false), QStringLiteral("12:03"));
        QCOMPARE(TKZTEdit::completeTime("12345", FixedNow, c, false), QStringLiteral("12:34"));
        QCOMPARE(TKZTEdit::completeTime("12345", FixedNow, c, true),
                 QStringLiteral("12:34:05"));
        QCOMPARE(TKZTEdit::completeTime("123456", FixedNow, c, false),
                 QStringLiteral("123456"));
        QCOMPARE(TKZTEdit::completeTime("12345678", FixedNow, c, true),
                 QStringLiteral("12:34:56"));
        QCOMPARE(TKZTEdit::completeTime("123456789", FixedNow, c, true),
                 QStringLiteral("123456789"));

        TKZTEdit seconds;
        seconds.setEditType(TKZTEdit::etTime);
        seconds.setTimeSeconds(true);
        enter(seconds);
        QCOMPARE(seconds.maxLength(), 8);
        QTest::keyClicks(&seconds, "235960");
        leave(seconds);
        QCOMPARE(seconds.text(), QStringLiteral("00:00:00"));
        QCOMPARE(shownTexts().size(), 2);
    }

    void date_completionForEveryDigitCount()
    {
        const QChar s('/');
        const QList<QPair<QString, QString>> table = {
            {"", "08/12/2026"},          {"3", "03/12/2026"},
            {"31", "31/12/2026"},        {"311", "31/01/2026"},
            {"3101", "31/01/2026"},      {"31017", "31/01/2027"},
            {"310130", "31/01/2030"},    {"3101999", "31/01/2999"},
            {"31011999", "31/01/1999"},  {"310119995", "31/01/1999"},
            {"3101199956", "31/01/1999"}, {"31011999567", "31011999567"},
        };
        for (const auto& [digits, expected] : table)
            QCOMPARE(TKZTEdit::completeDate(digits, FixedNow, s), expected);

        TKZTEdit edit;
        edit.setEditType(TKZTEdit::etDate);
        edit.setClockForTesting(FixedNow);
        enter(edit);
        QCOMPARE(edit.maxLength(), 10);
        QTest::keyClicks(&edit, "2/9");
        leave(edit);
        QCOMPARE(edit.text(), QStringLiteral("29/12/2026"));
        QCOMPARE(edit.ValueDate().date(), QDate(2026, 12, 29));
        // Day numbers count from the last day of 1899.
        QCOMPARE(edit.ValueInteger(), 46385);

        edit.setText(QStringLiteral("3002"));
        leave(edit);
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("Date incorrect")});
        QCOMPARE(edit.text(), QStringLiteral("3002"));
        QCOMPARE(edit.ValueDate().date(), FixedNow.date());
    }

    void tabKeyAndEscape_neverReachTheText()
    {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* first = new TKZTEdit(&window);
        auto* second = new TKZTEdit(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());

        QTest::keyClicks(first, "ab");
        QTest::keyClick(first, Qt::Key_Tab);
        QTRY_VERIFY(second->hasFocus());
        QCOMPARE(first->text(), QStringLiteral("ab"));

        second->setEditKeyByTab('\r');
        QTest::keyClicks(second, "x");
        QTest::keyClick(second, Qt::Key_Return);
        QTRY_VERIFY(first->hasFocus());
        QCOMPARE(second->text(), QStringLiteral("x"));

        first->setEditKeyByTab('#');
        // Focus by the tab key selects the whole text; type after it.
        QTest::keyClick(first, Qt::Key_End);
        QTest::keyClicks(first, "c#");
        QTRY_VERIFY(second->hasFocus());
        QCOMPARE(first->text(), QStringLiteral("abc"));

        QTest::keyClicks(second, "yz");
        QTest::keyClick(second, Qt::Key_Escape);
        QCOMPARE(second->text(), QStringLiteral("x"));
        QVERIFY(second->hasFocus());
    }

    void focus_coloursWidthAndLinkedValue()
    {
        TKZTEdit edit;
        edit.resize(80, 20);
        edit.setColorOnFocus(Qt::yellow);
        edit.setFontColorOnFocus(Qt::blue);
        edit.setColorOnNotFocus(Qt::gray);
        edit.setWidthOnFocus(150);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::gray));
        edit.setEditType(TKZTEdit::etInteger);
        qint32 linked = 321;
        edit.linkInteger(&linked);
        QSignalSpy entered(&edit, &TKZTEdit::OnEnter);
        QSignalSpy exited(&edit, &TKZTEdit::OnExit);
        enter(edit);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(edit.text(), QStringLiteral("321"));
        QCOMPARE(edit.width(), 150);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(edit.palette().color(QPalette::Text), QColor(Qt::blue));
        edit.clear();
        QTest::keyClicks(&edit, "77");
        leave(edit);
        QCOMPARE(exited.count(), 1);
        QCOMPARE(linked, 77);
        QCOMPARE(edit.width(), 80);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::gray));
        QCOMPARE(edit.palette().color(QPalette::Text), QColor(Qt::black));

        TKZTEdit real;
        real.setEditType(TKZTEdit::etFloat);
        double value = 0.1;
        real.linkFloat(&value);
        enter(real);
        QCOMPARE(real.text(), QStringLiteral("0.1"));
        real.setText(QStringLiteral("2.25"));
        leave(real);
        QCOMPARE(value, 2.25);

        TKZTEdit date;
        date.setEditType(TKZTEdit::etDate);
        QDateTime day(QDate(2025, 3, 4), QTime(0, 0));
        date.linkDateTime(&day);
        enter(date);
        QCOMPARE(date.text(), QStringLiteral("04/03/2025"));
        leave(date);
        QCOMPARE(day.date(), QDate(2025, 3, 4));
        QVERIFY(MessageBox::shown().empty());
    }
};

QTEST_MAIN(TKZTEditTest)
#include "TKZTEditTest.moc"

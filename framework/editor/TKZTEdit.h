#pragma once

#include <QColor>
#include <QDateTime>
#include <QLineEdit>

#include <variant>

namespace kzt {

// A single-line edit that knows the kind of value it holds: it filters the
// keys by kind, keeps the typed value beside the text, checks the integer
// range, completes dates and times and pads the text when the focus leaves.
class TKZTEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum TEditTypes { etString, etInteger, etFloat, etDate, etTime };
    enum TEditAlign { etAlignRight, etAlignLeft, etAlignCenter, etAlignNone, etAlignValue };

    static constexpr qint32 MaxInteger = 2147483647;

    explicit TKZTEdit(QWidget* parent = nullptr);

    QColor ColorOnFocus() const { return m_colorOnFocus; }
    void setColorOnFocus(const QColor& c) { m_colorOnFocus = c; }
    QColor ColorOnNotFocus() const { return m_colorOnNotFocus; }
    void setColorOnNotFocus(const QColor& c);
    QColor FontColorOnFocus() const { return m_fontColorOnFocus; }
    void setFontColorOnFocus(const QColor& c) { m_fontColorOnFocus = c; }
    QColor FontColorOnNotFocus() const { return m_fontColorOnNotFocus; }
    void setFontColorOnNotFocus(const QColor& c);

    TEditTypes EditType() const { return m_editType; }
    void setEditType(TEditTypes t) { m_editType = t; }
    QChar EditKeyByTab() const { return m_editKeyByTab; }
    void setEditKeyByTab(QChar c) { m_editKeyByTab = c; }
    TEditAlign EditAlign() const { return m_editAlign; }
    void setEditAlign(TEditAlign a) { m_editAlign = a; }
    int EditLengthAlign() const { return m_editLengthAlign; }
    void setEditLengthAlign(int n) { m_editLengthAlign = n; }
    int EditPrecision() const { return m_editPrecision; }
    void setEditPrecision(int n) { m_editPrecision = n; }

    double ValueFloat() const { return m_valueFloat; }
    void setValueFloat(double v) { m_valueFloat = v; }
    qint32 ValueInteger() const { return m_valueInteger; }
    void setValueInteger(qint32 v) { m_valueInteger = v; }
    QDateTime ValueDate() const { return m_valueDate; }
    void setValueDate(const QDateTime& v) { m_valueDate = v; }
    QDateTime ValueTime() const { return m_valueTime; }
    void setValueTime(const QDateTime& v) { m_valueTime = v; }

    bool TimeSeconds() const { return m_timeSeconds; }
    void setTimeSeconds(bool on) { m_timeSeconds = on; }
    bool FirstCharUpper() const { return m_firstCharUpper; }
    void setFirstCharUpper(bool on) { m_firstCharUpper = on; }
    QString FirstCharUpList() const { return m_firstCharUpList; }
    void setFirstCharUpList(const QString& s) { m_firstCharUpList = s; }
    int WidthOnFocus() const { return m_widthOnFocus; }
    void setWidthOnFocus(int w) { m_widthOnFocus = w; }

    // An outside value of the control's kind: loaded into the text when the
    // focus comes, given the value when it leaves. Only program code links.
    void linkString(QString* v) { m_link = v; }
    void linkInteger(qint32* v) { m_link = v; }
    void linkFloat(double* v) { m_link = v; }
    void linkDateTime(QDateTime* v) { m_link = v; }
    void unlink() { m_link = std::monostate{}; }

    QChar decimalSeparator() const { return m_decimalSeparator; }
    QChar dateSeparator() const { return m_dateSeparator; }
    QChar timeSeparator() const { return m_timeSeparator; }

    // Completion of the digits typed into a date or time field, as the
    // focus leaving applies it; `now` stands for the current date and time.
    static QString completeDate(const QString& text, const QDateTime& now, QChar sep);
    static QString completeTime(const QString& text, const QDateTime& now, QChar sep,
                                bool seconds);

    // Tests fix "today" and "now"; an invalid value returns to the clock.
    void setClockForTesting(const QDateTime& now) { m_fixedNow = now; }

signals:
    void OnEnter();
    void OnExit();
    void OnChange();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool isUnlimited() const;
    void applyColours(bool focused);
    void onTextChanged();
    void leave();
    void leaveString();
    void leaveNumber();
    void leaveDate();
    void leaveTime();
    void loadFromLink();
    void storeToLink();
    QDateTime now() const;
    static QString minusToFront(const QString& text);

    QColor m_colorOnFocus = Qt::white;
    QColor m_colorOnNotFocus = Qt::white;
    QColor m_fontColorOnFocus = Qt::black;
    QColor m_fontColorOnNotFocus = Qt::black;
    TEditTypes m_editType = etString;
    QChar m_editKeyByTab = QChar('\t');
    TEditAlign m_editAlign = etAlignNone;
    int m_editLengthAlign = 0;
    int m_editPrecision = 0;
    double m_valueFloat = 0;
    qint32 m_valueInteger = 0;
    QDateTime m_valueDate;
    QDateTime m_valueTime;
    bool m_timeSeconds = false;
    bool m_firstCharUpper = false;
    QString m_firstCharUpList = QStringLiteral(" (");
    int m_widthOnFocus = 0;

    QChar m_decimalSeparator = '.';
    QChar m_dateSeparator = '/';
    QChar m_timeSeparator = ':';
    QString m_textOnEnter;
    int m_widthBeforeFocus = -1;
    std::variant<std::monostate, QString*, qint32*, double*, QDateTime*> m_link;
    bool m_filtering = false;
    QDateTime m_fixedNow;
};

} // namespace kzt

#include "TKZTEdit.h"

#include "MessageBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace kzt {

namespace {

const QString RangeMessage = QStringLiteral("Range Max. : -2147483647 <-> 2147483647");
const QString ConvertMessage = QStringLiteral(
    "Range Max. :\r - Integer : -2147483647 <-> 2147483647\r - Float   : 5.0e-324 <-> 1.7e+308");

// The first character of a locale format that is neither a field letter nor
// a space separates its parts.
QChar separatorOf(const QString& format, QChar fallback)
{
    for (QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != '\'')
            return c;
    }
    return fallback;
}

QChar localeDecimal()
{
    const QString d = QLocale().decimalPoint();
    return d.isEmpty() ? QChar('.') : d.at(0);
}

QString digitsOf(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c >= '0' && c <= '9')
            out += c;
    }
    return out;
}

QString dateFormat(QChar sep)
{
    return QStringLiteral("dd") + sep + QStringLiteral("MM") + sep + QStringLiteral("yyyy");
}

QString timeFormat(QChar sep, bool seconds)
{
    QString f = QStringLiteral("hh") + sep + QStringLiteral("mm");
    if (seconds)
        f += sep + QStringLiteral("ss");
    return f;
}

// Dates as day numbers counted the way the old document files counted them.
const QDate DayZero(1899, 12, 30);

double dayNumber(const QDateTime& dt)
{
    return double(DayZero.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

TKZTEdit::TKZTEdit(QWidget* parent)
    : QLineEdit(parent)
{
    const QLocale locale;
    m_decimalSeparator = localeDecimal();
    m_dateSeparator = separatorOf(locale.dateFormat(QLocale::ShortFormat), '/');
    m_timeSeparator = separatorOf(locale.timeFormat(QLocale::ShortFormat), ':');
    const QDateTime created = QDateTime::currentDateTime();
    m_valueDate = QDateTime(created.date(), QTime(0, 0));
    m_valueTime = created;
    applyColours(false);
    connect(this, &QLineEdit::textChanged, this, &TKZTEdit::onTextChanged);
}

void TKZTEdit::setColorOnNotFocus(const QColor& c)
{
    m_colorOnNotFocus = c;
    if (!hasFocus())
        applyColours(false);
}

void TKZTEdit::setFontColorOnNotFocus(const QColor& c)
{
    m_fontColorOnNotFocus = c;
    if (!hasFocus())
        applyColours(false);
}

QDateTime TKZTEdit::now() const
{
    return m_fixedNow.isValid() ? m_fixedNow : QDateTime::currentDateTime();
}

bool TKZTEdit::isUnlimited() const
{
    return maxLength() <= 0 || maxLength() >= 32767;
}

void TKZTEdit::applyColours(bool focused)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, focused ? m_colorOnFocus : m_colorOnNotFocus);
    p.setColor(QPalette::Text, focused ? m_fontColorOnFocus : m_fontColorOnNotFocus);
    setPalette(p);
}

bool TKZTEdit::event(QEvent* e)
{
    // Tab is taken by the focus chain before the key press handler sees it,
    // so the tab key is caught here, whichever character it is.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        if (t.size() == 1 && t.at(0) == m_editKeyByTab) {
            focusNextChild();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TKZTEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        setText(m_textOnEnter);
        return;
    }
    const QString t = e->text();
    if (t.size() != 1 || !t.at(0).isPrint()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QChar c = t.at(0);
    auto typeAs = [&](const QString& replacement) {
        QKeyEvent other(e->type(), e->key(), e->modifiers(), replacement, e->isAutoRepeat(),
                        ushort(e->count()));
        QLineEdit::keyPressEvent(&other);
    };
    const bool isDigit = c >= '0' && c <= '9';
    switch (m_editType) {
    case etString: {
        const QString current = text();
        const bool upper = m_firstCharUpper
                           && (current.isEmpty() || selectedText() == current
                               || m_firstCharUpList.contains(current.back()));
        if (upper)
            typeAs(t.toUpper());
        else
            QLineEdit::keyPressEvent(e);
        return;
    }
    case etInteger:
    case etFloat: {
        const QString current = text();
        const bool hasMinus = current.contains('-');
        if ((hasMinus || c == '-') && isUnlimited())
            setMaxLength(11);
        if (isDigit || (c == '-' && !hasMinus)) {
            QLineEdit::keyPressEvent(e);
        } else if (m_editType == etFloat && (c == ',' || c == '.')
                   && !current.contains(',') && !current.contains('.')) {
            typeAs(QString(m_decimalSeparator));
        }
        return;
    }
    case etDate:
    case etTime:
        if (isDigit)
            QLineEdit::keyPressEvent(e);
        return;
    }
}

QString TKZTEdit::minusToFront(const QString& text)
{
    const int at = int(text.indexOf('-'));
    if (at <= 0 || text.count('-') != 1)
        return text;
    QString out = text;
    out.remove(at, 1);
    return '-' + out;
}

void TKZTEdit::onTextChanged()
{
    if (m_filtering)
        return;
    if ((m_editType != etInteger && m_editType != etFloat) || text().isEmpty()) {
        emit OnChange();
        return;
    }
    const bool real = m_editType == etFloat;
    QString kept;
    for (QChar c : text()) {
        if ((c >= '0' && c <= '9') || c == '-' || (real && (c == ',' || c == '.')))
            kept += c;
    }
    if (kept != text()) {
        const int cursor = cursorPosition() - int(text().size() - kept.size());
        m_filtering = true;
        setText(kept);
        setCursorPosition(qBound(0, cursor, int(kept.size())));
        m_filtering = false;
    }
    if (kept == QLatin1String("-"))
        return;
    const QString copy = minusToFront(kept);
    if (!real) {
        static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]+$"));
        if (wholeNumber.match(copy).hasMatch()) {
            bool ok = false;
            const qlonglong v = copy.toLongLong(&ok);
            if (ok && v >= -MaxInteger && v <= MaxInteger) {
                m_valueInteger = qint32(v);
                m_valueFloat = double(v);
            } else {
                MessageBox::information(this, RangeMessage);
                m_valueInteger = 0;
            }
            emit OnChange();
            return;
        }
    } else {
        QString normal = copy;
        normal.replace(',', '.');
        bool ok = false;
        const double v = kept.isEmpty() ? 0 : QLocale::c().toDouble(normal, &ok);
        if (ok && std::isfinite(v)) {
            m_valueFloat = v;
            const double whole = std::trunc(v);
            m_valueInteger = std::fabs(whole) <= MaxInteger ? qint32(whole) : 0;
            emit OnChange();
            return;
        }
    }
    if (!kept.isEmpty())
        MessageBox::information(this, ConvertMessage);
    m_valueInteger = 0;
    m_valueFloat = 0;
    emit OnChange();
}

void TKZTEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // Switching windows or opening a menu is not entering the field.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (m_editType == etFloat && isUnlimited())
        setMaxLength(16);
    applyColours(true);
    m_textOnEnter = text();
    if (m_widthOnFocus > 0) {
        m_widthBeforeFocus = width();
        resize(m_widthOnFocus, height());
    }
    loadFromLink();
    if (m_editType == etDate)
        setMaxLength(10);
    else if (m_editType == etTime)
        setMaxLength(m_timeSeconds ? 8 : 5);
    emit OnEnter();
}

void TKZTEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    leave();
}

void TKZTEdit::leave()
{
    applyColours(false);
    if (m_widthBeforeFocus >= 0) {
        resize(m_widthBeforeFocus, height());
        m_widthBeforeFocus = -1;
    }
    switch (m_editType) {
    case etString:
        leaveString();
        break;
    case etInteger:
    case etFloat:
        leaveNumber();
        break;
    case etDate:
        leaveDate();
        break;
    case etTime:
        leaveTime();
        break;
    }
    storeToLink();
    emit OnExit();
}

void TKZTEdit::leaveString()
{
    QString t = text();
    if (t.isEmpty())
        return;
    if (m_firstCharUpper)
        t[0] = t.at(0).toUpper();
    const int length = m_editLengthAlign;
    if (m_editAlign != etAlignNone && length > 0 && t.size() < length) {
        switch (m_editAlign) {
        case etAlignRight:
            t = QString(length - t.size(), ' ') + t;
            break;
        case etAlignLeft: {
            qsizetype lead = 0;
            while (lead < t.size() && t.at(lead) == ' ')
                ++lead;
            t = t.mid(lead);
            t += QString(length - t.size(), ' ');
            break;
        }
        case etAlignCenter: {
            const int missing = int(length - t.size());
            // Half the missing count, halves going to the even neighbour.
            int front = missing / 2;
            if (missing % 2 != 0 && front % 2 != 0)
                ++front;
            t = QString(front, ' ') + t;
            t += QString(length - t.size(), ' ');
            break;
        }
        default:
            break;
        }
    }
    if (t != text())
        setText(t);
}

void TKZTEdit::leaveNumber()
{
    QString t = text();
    if (m_editType == etInteger && m_editAlign == etAlignValue && m_editLengthAlign >= 1
        && t.size() < m_editLengthAlign)
        t = QString(m_editLengthAlign - t.size(), '0') + t;
    t = minusToFront(t);
    if (m_editType == etFloat) {
        m_decimalSeparator = localeDecimal();
        if (m_editPrecision >= 1) {
            if (t.isEmpty())
                t = QStringLiteral("0");
            const qsizetype at = t.indexOf(m_decimalSeparator);
            if (at >= 0) {
                QString decimals = t.mid(at + 1).left(m_editPrecision);
                decimals += QString(m_editPrecision - decimals.size(), '0');
                t = t.left(at + 1) + decimals;
            } else {
                t += m_decimalSeparator + QString(m_editPrecision, '0');
            }
            if (m_editAlign == etAlignValue && m_editLengthAlign >= 1
                && t.size() < m_editLengthAlign) {
                t = QString(m_editLengthAlign - t.size(), '0') + t;
                // Zeros go after the sign, as they do for whole numbers.
                t = minusToFront(t);
            }
        }
    }
    if (t != text())
        setText(t);
}

QString TKZTEdit::completeDate(const QString& text, const QDateTime& now, QChar sep)
{
    const QString d = digitsOf(text);
    const QString mm = now.date().toString(QStringLiteral("MM"));
    const QString yyyy = now.date().toString(QStringLiteral("yyyy"));
    auto dayMonth = [&](const QString& day, const QString& month) {
        return day + sep + month + sep;
    };
    switch (d.size()) {
    case 0:
        return dayMonth(now.date().toString(QStringLiteral("dd")), mm) + yyyy;
    case 1:
        return dayMonth('0' + d, mm) + yyyy;
    case 2:
        return dayMonth(d, mm) + yyyy;
    case 3:
        return dayMonth(d.left(2), '0' + d.mid(2, 1)) + yyyy;
    case 4:
        return dayMonth(d.left(2), d.mid(2, 2)) + yyyy;
    case 5:
    case 6:
    case 7: {
        const int typed = int(d.size() - 4);
        return dayMonth(d.left(2), d.mid(2, 2)) + yyyy.left(4 - typed) + d.mid(4);
    }
    case 8:
    case 9:
    case 10:
        return dayMonth(d.left(2), d.mid(2, 2)) + d.mid(4, 4);
    default:
        return d;
    }
}

QString TKZTEdit::completeTime(const QString& text, const QDateTime& now, QChar sep,
                               bool seconds)
{
    const QString d = digitsOf(text);
    const QString tail = seconds ? sep + QStringLiteral("00") : QString();
    switch (d.size()) {
    case 0:
        return now.time().toString(timeFormat(sep, true));
    case 1:
        return '0' + d + sep + QStringLiteral("00") + tail;
    case 2:
        return d + sep + QStringLiteral("00") + tail;
    case 3:
        return d.left(2) + sep + '0' + d.mid(2, 1) + tail;
    case 4:
        return d.left(2) + sep + d.mid(2, 2) + tail;
    case 5:
        if (seconds)
            return d.left(2) + sep + d.mid(2, 2) + sep + '0' + d.mid(4, 1);
        return d.left(2) + sep + d.mid(2, 2);
    case 6:
    case 7:
    case 8:
        if (seconds)
            return d.left(2) + sep + d.mid(2, 2) + sep + d.mid(4, 2);
        return d;
    default:
        return d;
    }
}

void TKZTEdit::leaveDate()
{
    const QDateTime today(now().date(), QTime(0, 0));
    const QString completed = completeDate(text(), now(), m_dateSeparator);
    const QDate date = QDate::fromString(completed, dateFormat(m_dateSeparator));
    if (date.isValid()) {
        setText(completed);
        m_valueDate = QDateTime(date, QTime(0, 0));
    } else {
        MessageBox::information(this, QStringLiteral("Date incorrect"));
        m_valueDate = today;
    }
    m_valueFloat = dayNumber(m_valueDate);
    m_valueInteger = qint32(std::trunc(m_valueFloat));
}

void TKZTEdit::leaveTime()
{
    const QString completed = completeTime(text(), now(), m_timeSeparator, m_timeSeconds);
    setText(completed);
    QTime time = QTime::fromString(completed, timeFormat(m_timeSeparator, true));
    if (!time.isValid())
        time = QTime::fromString(completed, timeFormat(m_timeSeparator, false));
    if (time.isValid()) {
        m_valueTime = QDateTime(DayZero, time);
        m_valueFloat = dayNumber(m_valueTime);
    } else {
        MessageBox::information(this, QStringLiteral("Time incorrect"));
        setText(QStringLiteral("00") + m_timeSeparator + QStringLiteral("00")
                + (m_timeSeconds ? m_timeSeparator + QStringLiteral("00") : QString()));
        m_valueTime = now();
    }
}

void TKZTEdit::loadFromLink()
{
    if (auto* s = std::get_if<QString*>(&m_link)) {
        setText(**s);
    } else if (auto* i = std::get_if<qint32*>(&m_link)) {
        setText(QString::number(**i));
    } else if (auto* f = std::get_if<double*>(&m_link)) {
        QString t = QString::number(**f, 'g', 15);
        t.replace('.', m_decimalSeparator);
        setText(t);
    } else if (auto* dt = std::get_if<QDateTime*>(&m_link)) {
        // Day first, so the completion on exit reads back what is shown.
        if (m_editType == etTime)
            setText((*dt)->time().toString(timeFormat(m_timeSeparator, m_timeSeconds)));
        else
            setText((*dt)->date().toString(dateFormat(m_dateSeparator)));
    }
}

void TKZTEdit::storeToLink()
{
    if (auto* s = std::get_if<QString*>(&m_link))
        **s = text();
    else if (auto* i = std::get_if<qint32*>(&m_link))
        **i = m_valueInteger;
    else if (auto* f = std::get_if<double*>(&m_link))
        **f = m_valueFloat;
    else if (auto* dt = std::get_if<QDateTime*>(&m_link))
        **dt = m_editType == etTime ? m_valueTime : m_valueDate;
}

} // namespace kzt

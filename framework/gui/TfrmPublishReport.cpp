#include "TfrmPublishReport.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kzt {

TfrmPublishReport::TfrmPublishReport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_memo(new QPlainTextEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmPublishReport"));
    setWindowTitle(QStringLiteral("Applet Publish Report"));

    m_memo->setObjectName(QStringLiteral("memoPublishReport"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The report is laid out in columns of a fixed-width font: lines stay
    // whole, and a line wider than the dialog scrolls rather than wraps.
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    m_memo->setFont(mono);

    m_ok->setObjectName(QStringLiteral("bitbtnOk"));
    m_ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);
    // The report's lines are 77 characters wide; leave room for them.
    const int width = m_memo->fontMetrics().horizontalAdvance(QString(80, QLatin1Char('=')))
        + m_memo->verticalScrollBar()->sizeHint().width() + 40;
    setFixedSize(qMax(560, width), 420);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmPublishReport::setReport(const std::string& bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_memo->setPlainText(text);
    fitWidthToLines(text);
}

void TfrmPublishReport::fitWidthToLines(const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, m_memo->fontMetrics().horizontalAdvance(line));
    const QMargins margins = layout()->contentsMargins();
    const int chrome = m_memo->verticalScrollBar()->sizeHint().width() + 2 * m_memo->frameWidth() + margins.left()
        + margins.right();
    int wanted = qMax(width(), widest + chrome + 2 * static_cast<int>(m_memo->document()->documentMargin()) + 4);
    if (const QScreen* screen = this->screen())
        wanted = qMin(wanted, screen->availableGeometry().width());
    if (wanted != width())
        setFixedSize(wanted, height());
}

QString TfrmPublishReport::text() const
{
    return m_memo->toPlainText();
}

} // namespace kzt

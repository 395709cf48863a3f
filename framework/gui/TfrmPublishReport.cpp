#include "TfrmPublishReport.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
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
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
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
}

QString TfrmPublishReport::text() const
{
    return m_memo->toPlainText();
}

} // namespace kzt

#include "TformHTML.h"

#include "Clipboard.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kzt {

namespace {

// Line ends of the page are shown as line ends, whatever their style.
QString displayText(const std::string& bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TformHTML::TformHTML(QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , m_memo(new QPlainTextEdit(this))
    , m_ok(new QPushButton(QStringLiteral("&OK"), this))
    , m_copy(new QPushButton(QStringLiteral("&Copy to Clipboard"), this))
{
    setObjectName(QStringLiteral("formHTML"));
    setWindowTitle(QStringLiteral("HTML"));
    setSizeGripEnabled(true);

    m_memo->setObjectName(QStringLiteral("memoHTMLBuild"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    m_memo->setFont(mono);

    m_ok->setObjectName(QStringLiteral("bitbtnOk"));
    m_copy->setObjectName(QStringLiteral("bitbtnCopy"));
    m_ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);
    resize(600, 420);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_copy, &QPushButton::clicked, this, &TformHTML::copyToClipboard);
}

void TformHTML::setPage(const std::string& bytes)
{
    m_page = bytes;
    m_memo->setPlainText(displayText(bytes));
}

QString TformHTML::text() const
{
    return m_memo->toPlainText();
}

void TformHTML::copyToClipboard()
{
    m_memo->selectAll();
    Clipboard::setText(m_memo->toPlainText());
}

} // namespace kzt

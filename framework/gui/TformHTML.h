#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace kzt {

// The generated-code viewer: shows the page that Build HTML and Preview
// made. Created once and reused; the page bytes are kept as they came so a
// later save of "the viewer's text" writes exactly the generated page.
class TformHTML : public QDialog
{
    Q_OBJECT

public:
    explicit TformHTML(QWidget* parent = nullptr);

    // The page as generated; shown as UTF-8.
    void setPage(const std::string& bytes);
    const std::string& page() const { return m_page; }
    // What the text box shows.
    QString text() const;

    // "&Copy to Clipboard": selects everything and copies it.
    void copyToClipboard();

    QPlainTextEdit* memoHTMLBuild() const { return m_memo; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* copyButton() const { return m_copy; }

private:
    std::string m_page;
    QPlainTextEdit* m_memo;
    QPushButton* m_ok;
    QPushButton* m_copy;
};

} // namespace kzt

#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace kzt {

// Shows the publish report: which files to upload and where. The report is
// built in memory and handed over as text; no file is involved.
class TfrmPublishReport : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmPublishReport(QWidget* parent = nullptr);

    // The report's bytes, shown as UTF-8.
    void setReport(const std::string& bytes);
    QString text() const;

    QPlainTextEdit* memoPublishReport() const { return m_memo; }
    QPushButton* okButton() const { return m_ok; }

private:
    // Widens the dialog to the longest line, as far as the screen allows.
    void fitWidthToLines(const QString& text);

    QPlainTextEdit* m_memo;
    QPushButton* m_ok;
};

} // namespace kzt

#pragma once

#include <QWidget>

class QTextBrowser;

namespace kzt {

// A plain help viewer: our help pages are simple HTML, which a text browser
// shows well enough without a web engine.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // path may end in "#anchor". False when the page does not exist.
    bool showPage(const QString& path);
    QString currentPage() const;
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace kzt

#pragma once

#include "Help.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace kzt {

class HelpWindow;

// The help launcher: takes over the program's help requests (F1 on a page
// asks for that page's help context number, the "helpContext" property of
// the focused control or the nearest parent that has one) and shows our HTML
// help pages. Only one may exist in a program.
class THH_Launch : public QObject
{
    Q_OBJECT
public:
    enum class Request {
        ShowContext,      // the topic of a context number
        Quit,             // close every help window
        Contents,         // the table of contents
        Finder,           // the table of contents
        Tab,              // tab 0: the contents; any other: the index
        Keyword,          // the index at a keyword
        PartialKeyword,   // the same
        SetPopupPosition, // where the next pop-up text appears
        ContextPopup,     // the pop-up text of a context number
    };
    enum class ShowType { stDefault, stMain, stPopup };

    // Throws std::logic_error "Multiple instances of THH_Launch are not
    // allowed" when another launcher exists.
    THH_Launch(Help& help, QWidget* owner);
    ~THH_Launch() override;

    ShowType showType() const { return m_showType; }
    void setShowType(ShowType type) { m_showType = type; }
    // Called first with every request; true means it was handled there.
    std::function<bool(Request, int, const QString&)> OnHelp;

    // One help request; false when nothing could be shown.
    bool request(Request request, int context = 0, const QString& keyword = {}, QPoint position = {});

    HelpWindow* window() const;
    // The last pop-up text shown and where (for the owner's status and tests).
    QString lastPopupText() const { return m_lastPopup; }
    QPoint lastPopupPosition() const { return m_lastPopupPosition; }

    static THH_Launch* instance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool showContextPopup(int context);
    // The pop-up texts: "cshelp.txt" in the help folder, "NUMBER=text" lines.
    QString popupText(int context) const;

    Help& m_help;
    QPointer<QWidget> m_owner;
    ShowType m_showType = ShowType::stDefault;
    std::optional<QPoint> m_popupPosition;
    QString m_lastPopup;
    QPoint m_lastPopupPosition;
};

} // namespace kzt

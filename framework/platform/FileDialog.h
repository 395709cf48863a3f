#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace kzt {

// File dialogs of the programs. Filters are given the way the programs have
// always written them ("Dulcamon Files (*.dlcg)|*.dlcg|All (*.*)|*.*") and
// turned into Qt's form here. An empty result means the author cancelled.
class FileDialog
{
public:
    enum class Kind { Open, OpenPicture, Save };

    // filterIndex selects the initially shown filter (0-based pair index).
    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter, int filterIndex = 0);
    // Same as getOpenFileName; kept apart so pictures can get a preview.
    static QString getOpenPictureFileName(QWidget* parent, const QString& caption,
                                          const QString& dir, const QString& filter,
                                          int filterIndex = 0);
    // dir may name a folder or a proposed file; defaultSuffix (no dot) is
    // appended when the author types a name without one.
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter, const QString& defaultSuffix = {},
                                   int filterIndex = 0);

    // "Text (*.txt)|*.txt|HTML files(*.htm;*.html)|*.htm;*.html" ->
    // ["Text (*.txt)", "HTML files (*.htm *.html)"]. "*.*" becomes "*" so
    // files without an extension match, as they do on Windows.
    static QStringList toQtFilters(const QString& filter);

    // ---- test hooks ----
    struct Request
    {
        Kind kind;
        QString caption;
        QString dir;
        QStringList filters;
        int filterIndex;
    };

    // Queue the next answer (an empty string answers Cancel). Scripting stays
    // on until reset(); with an empty queue a dialog answers Cancel.
    static void setNextFileName(const QString& fileName);
    static void setScripted(bool scripted);
    static bool isScripted();
    static int pendingAnswers();
    static const std::vector<Request>& requests();
    static void reset();
};

} // namespace kzt

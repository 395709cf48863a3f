#pragma once

#include "AppletUtility.h"

#include <QString>

#include <filesystem>

class QComboBox;
class QLineEdit;
class QWidget;

namespace kzt {

class ColorSwatch;
class TkztAppletAgent;

// The small editing tools every product window uses on its property panels.
class EditingKit
{
public:
    // The field separator may not appear in a value: the text of an edit or
    // an editable combo box that holds it is refused and cleared. True when
    // the text was cleared.
    static bool CheckReservedText(QWidget* owner, QWidget* control,
                                  const QString& separator = QString::fromLatin1(kFieldSeparator));
    static QString reservedTextMessage(const QString& separator);

    // "C:\site\a.html" -> "file:///C|/site/a.html"; "/site/a.html" -> "file:///site/a.html".
    static QString localUrl(const QString& path);
    // Asks for a page and puts its file URL into the combo box. True when one was chosen.
    static bool pickLocalUrl(QWidget* owner, QComboBox* target, const QString& folder);

    // Asks for a picture, puts its bare name into the edit (empty when none
    // was chosen) and stages the last chosen picture in the preview folder,
    // where Preview and Save take it from.
    static void pickPictureIntoPreview(QWidget* owner, TkztAppletAgent& agent, QLineEdit* field,
                                       QString& lastPicture, const QString& folder);

    // Offers the colour dialog for a swatch; OK sets its colour.
    static void pickColour(QWidget* owner, ColorSwatch* swatch);

    // Opens a shipped page with the desktop, or says it is missing or that
    // nothing could be started.
    static bool openShippedPage(QWidget* owner, const std::filesystem::path& page);
    // The same for a help page, which the built-in help viewer shows when no
    // browser can be started (after saying so).
    static bool openHelpPage(QWidget* owner, const std::filesystem::path& page);
};

} // namespace kzt

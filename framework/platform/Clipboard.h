#pragma once

#include <QString>

class QMimeData;

namespace kzt {

// The system clipboard; the last text set is kept so tests can read it even
// where the platform has no clipboard.
class Clipboard
{
public:
    static void setText(const QString& text);
    static QString text();
    static QString lastText();
    // Data in several types at once (items of a document); the clipboard
    // takes ownership. Null when there is no clipboard.
    static void setMimeData(QMimeData* data);
    static const QMimeData* mimeData();
    static void reset();
};

} // namespace kzt

#pragma once

#include <QString>

namespace kzt {

// The system clipboard; the last text set is kept so tests can read it even
// where the platform has no clipboard.
class Clipboard
{
public:
    static void setText(const QString& text);
    static QString text();
    static QString lastText();
    static void reset();
};

} // namespace kzt

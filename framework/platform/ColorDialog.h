#pragma once

#include <QColor>

#include <optional>
#include <vector>

class QWidget;

namespace kzt {

// The colour picker of the programs; nullopt means cancelled.
class ColorDialog
{
public:
    static std::optional<QColor> getColor(QWidget* parent, const QColor& initial);

    // ---- test hooks ----
    // Queue the next answer (nullopt answers Cancel). Scripting stays on until
    // reset(); with an empty queue the dialog answers Cancel.
    static void setNextColor(std::optional<QColor> color);
    static void setScripted(bool scripted);
    static bool isScripted();
    // The initial colours the dialog was opened with, in order.
    static const std::vector<QColor>& requests();
    static void reset();
};

} // namespace kzt

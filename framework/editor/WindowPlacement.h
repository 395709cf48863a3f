#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QSplitter;

namespace kzt {

class Settings;

// Where a companion window (help beside the editor) of `size` goes so that
// it leaves `main` uncovered: right of it when it fits on `screen`, else
// left of it; else beside it on the roomier side, made narrower, as long as
// `narrowest` still fits; else on the screen as near the right side of
// `main` as it can (covering part of it, as nothing else is possible).
QRect placeBeside(const QRect& main, const QSize& size, const QRect& screen, int narrowest = 320, int gap = 4);

// Gives the panes of `splitter` their starting `widths`, the first pane
// (the tree beside the panels) as wide as the author left it last time, as
// kept in the value "TreePaneWidth" of `key`. A moved splitter is written
// back shortly after the move (and when the window goes); nothing is
// written unless it moves.
void placePanes(QSplitter* splitter, QList<int> widths, const Settings& settings, const QString& key);

} // namespace kzt

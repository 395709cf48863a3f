#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kzt {

namespace {

QString& last()
{
    static QString text;
    return text;
}

} // namespace

void Clipboard::setText(const QString& text)
{
    last() = text;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

QString Clipboard::text()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        return clipboard->text();
    return last();
}

QString Clipboard::lastText()
{
    return last();
}

void Clipboard::reset()
{
    last().clear();
}

} // namespace kzt

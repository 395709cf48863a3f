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
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setText(text);
}

QString Clipboard::text()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::clipboard()->text();
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

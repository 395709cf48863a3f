#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

void Clipboard::setMimeData(QMimeData* data)
{
    if (!data)
        return;
    last() = data->text();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setMimeData(data);
    else
        delete data;
}

const QMimeData* Clipboard::mimeData()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::clipboard()->mimeData();
    return nullptr;
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

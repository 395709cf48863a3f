#include "FieldText.h"

#include <QByteArray>
#include <QVariant>
#include <QWidget>

namespace kzt {

namespace {

// The dynamic property a document's window carries its encoding in.
constexpr char kEncodingProperty[] = "kztTextEncoding";

} // namespace

bool FieldText::isUtf8(std::string_view bytes)
{
    return IsUtf8(bytes);
}

QString FieldText::toControl(std::string_view bytes)
{
    return QString::fromStdString(FieldToUtf8(bytes));
}

std::string FieldText::toRecord(const QString& text)
{
    return text.toStdString();
}

std::string FieldText::toRecord(const QString& text, const QWidget* where)
{
    const std::string utf8 = text.toStdString();
    const auto field = Utf8ToField(utf8, encodingOf(where));
    return field ? *field : utf8;
}

TextEncoding FieldText::encodingOf(const QWidget* where)
{
    for (const QObject* object = where; object; object = object->parent()) {
        const QVariant value = object->property(kEncodingProperty);
        if (value.isValid())
            return value.toInt() == static_cast<int>(TextEncoding::Windows1252) ? TextEncoding::Windows1252
                                                                                 : TextEncoding::Utf8;
    }
    return TextEncoding::Utf8;
}

void FieldText::setEncoding(QWidget* window, TextEncoding encoding)
{
    window->setProperty(kEncodingProperty, static_cast<int>(encoding));
}

int FieldText::refusedCount(const QString& text, TextEncoding encoding, char32_t* first)
{
    if (encoding == TextEncoding::Utf8)
        return 0;
    int count = 0;
    for (const char32_t character : text.toUcs4()) {
        if (UnicodeToWindows1252(character))
            continue;
        if (count++ == 0 && first)
            *first = character;
    }
    return count;
}

} // namespace kzt

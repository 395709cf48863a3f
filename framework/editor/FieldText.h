#pragma once

#include "TextEncoding.h"

#include <QString>

#include <string>
#include <string_view>

class QWidget;

namespace kzt {

// The one conversion between the bytes of a record field and the text a
// control shows. A field reads as UTF-8 when it is valid UTF-8, else in the
// Windows code page the older programs wrote. Text goes back in the
// document's encoding, which the window a control sits in carries.
class FieldText
{
public:
    static QString toControl(std::string_view bytes);
    // Text as UTF-8 bytes, for a document in UTF-8.
    static std::string toRecord(const QString& text);
    // Text in the encoding of the document `where` belongs to. Text the code
    // page cannot hold (refused as it is typed, so only set by code) stays
    // UTF-8 rather than losing characters.
    static std::string toRecord(const QString& text, const QWidget* where);
    // Whether the bytes are well-formed UTF-8.
    static bool isUtf8(std::string_view bytes);

    // The encoding of the document shown in the window `where` sits in:
    // the nearest ancestor that carries one, else UTF-8.
    static TextEncoding encodingOf(const QWidget* where);
    static void setEncoding(QWidget* window, TextEncoding encoding);
    // How many characters of `text` the encoding cannot hold; the first is
    // put in `first` when given.
    static int refusedCount(const QString& text, TextEncoding encoding, char32_t* first = nullptr);
};

} // namespace kzt

#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kzt {

// The one conversion between the bytes of a record field and the text a
// control shows. Fields are UTF-8; older projects may hold 8-bit text, which
// is shown as Latin-1 rather than as replacement characters.
class FieldText
{
public:
    static QString toControl(std::string_view bytes);
    static std::string toRecord(const QString& text);
    // Whether the bytes are well-formed UTF-8.
    static bool isUtf8(std::string_view bytes);
};

} // namespace kzt

#include "FieldText.h"

#include <QByteArray>

namespace kzt {

bool FieldText::isUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t follow = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= n)
            return false;
        for (std::size_t k = 1; k <= follow; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past the last code point.
        static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[follow] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

QString FieldText::toControl(std::string_view bytes)
{
    const QByteArray raw = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return isUtf8(bytes) ? QString::fromUtf8(raw) : QString::fromLatin1(raw);
}

std::string FieldText::toRecord(const QString& text)
{
    return text.toStdString();
}

} // namespace kzt

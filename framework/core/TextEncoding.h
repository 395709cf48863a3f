#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kzt {

// The two encodings a document's text can be in. Documents the older
// programs wrote hold 8-bit text in the Windows code page of western
// Europe; everything else is UTF-8.
enum class TextEncoding { Utf8, Windows1252 };

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values past the last code point).
bool IsUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// The character a Windows-1252 byte stands for. The five bytes the code page
// leaves unassigned stand for the control characters of the same number, as
// browsers read them, so every byte survives a round trip.
char32_t Windows1252ToUnicode(unsigned char byte);
// The byte for a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> UnicodeToWindows1252(char32_t character);

std::string Windows1252ToUtf8(std::string_view bytes);
// UTF-8 text in Windows-1252; nothing when a character has no place there,
// and `missing` (when given) then names the first such character.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8, char32_t* missing = nullptr);

// How a field's bytes read as text: UTF-8 when they are valid UTF-8, else
// Windows-1252. Fields written by the older programs and fields typed since
// both read right, even in a document that holds some of each.
std::string FieldToUtf8(std::string_view bytes);
// Text for a field of a document in `encoding`; nothing when the document's
// code page cannot hold a character of it (see `missing`).
std::optional<std::string> Utf8ToField(std::string_view utf8, TextEncoding encoding, char32_t* missing = nullptr);

// "UTF-8" or "Windows-1252", as the status line names it.
const char* EncodingName(TextEncoding encoding);
// The name a page declares: "utf-8" or "windows-1252".
const char* CharsetName(TextEncoding encoding);

// A page that holds bytes outside ASCII declares its encoding on the line
// after its <HTML> line, with that line's ending; an ASCII page is left as
// it is, byte for byte, as is a page without an <HTML> line.
void DeclareCharset(std::string& page, TextEncoding encoding);

} // namespace kzt

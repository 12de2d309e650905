#pragma once

#include <string>
#include <string_view>

/**
 * Text decoding for the language file. Salons write the file with whatever
 * editor they have: new editors save UTF-8, old ones the Western code page
 * (Windows-1252), and Notepad's "Unicode" choice saves UTF-16 with a byte
 * order mark. Everything is handed on as UTF-8.
 */
class AnsiText
{
public:
    /** True when @p bytes is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF). */
    static bool isValidUtf8(std::string_view bytes);

    /** Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to the C1 controls of the same value. */
    static std::string windows1252ToUtf8(std::string_view bytes);

    /**
     * Decodes a whole file's bytes: a UTF-16 byte order mark selects UTF-16,
     * a UTF-8 byte order mark is dropped, valid UTF-8 is kept, anything else
     * is read as Windows-1252.
     */
    static std::string decodeFile(std::string_view bytes);

    /** Appends code point @p cp to @p out as UTF-8. */
    static void appendUtf8(std::string &out, char32_t cp);

    /** Decodes valid UTF-8 into code points (invalid bytes become U+FFFD). */
    static std::u32string toCodePoints(std::string_view utf8);

    /** Encodes code points as UTF-8. */
    static std::string fromCodePoints(std::u32string_view text);

    /** Simple case folding for the Latin, Greek and Cyrillic letters a language file will hold. */
    static char32_t foldCase(char32_t cp);
};

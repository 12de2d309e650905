#pragma once

#include <string>
#include <utility>

/**
 * Outcome of an image-engine operation. The engine raises no dialogs and lets
 * no exception out: failures come back as a short Portuguese message that the
 * program shows (after translation) in its message box.
 */
struct ImageStatus
{
    bool ok = true;
    std::string message;
    /** The decoding library's own text (English, untranslated) when there is
     *  one; for logs and imageprobe, never shown in a message box. */
    std::string detail;

    static ImageStatus success() { return {}; }
    static ImageStatus failure(std::string text) { return {false, std::move(text), {}}; }
    static ImageStatus failure(std::string text, std::string libraryText)
    {
        return {false, std::move(text), std::move(libraryText)};
    }
    explicit operator bool() const { return ok; }
};

/** Messages the engine reports; the program translates them like any other. */
namespace ImageMessages {
inline constexpr const char *kCorrupt = "Arquivo de imagem inválido ou corrompido.";
inline constexpr const char *kNotFound = "Arquivo não encontrado.";
inline constexpr const char *kUnreadable = "Não foi possível ler o arquivo.";
inline constexpr const char *kUnsupported = "Formato de arquivo não suportado.";
inline constexpr const char *kTooLarge = "A imagem é grande demais para ser aberta.";
inline constexpr const char *kEmpty = "O arquivo está vazio.";
inline constexpr const char *kUnknownExtension = "Extensão de arquivo desconhecida.";
inline constexpr const char *kCannotWrite = "Não foi possível gravar o arquivo.";
inline constexpr const char *kNothingToSave = "Não há imagem para gravar.";
/** A format the open and save lists show, but only for reading. */
inline constexpr const char *kReadOnlyFormat =
    "Este formato só pode ser lido. Grave em JPEG, GIF, TIFF, PCX, PNG ou BMP.";
} // namespace ImageMessages

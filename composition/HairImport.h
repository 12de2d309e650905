#pragma once

#include "FaceDetector.h"
#include "HairCutout.h"
#include "ImageStatus.h"
#include "Picture24.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/**
 * Adding a hair file to a category folder of the catalogue. Plain files
 * only, no Qt: the number, the write that either happens whole or not at
 * all, and the face place beside it.
 */
class HairImport
{
public:
    static constexpr const char *kUnreadable = "Não foi possível ler a imagem.";
    static constexpr const char *kNoHair = "Nenhum cabelo restou no recorte: a imagem é toda fundo.";
    static constexpr const char *kCannotWrite = "Não foi possível gravar na pasta da categoria.";
    static constexpr const char *kNameClash = "Já existe um cabelo com este número na categoria.";

    /**
     * Reads a picture through the engine over black and, unless its format
     * cannot hold transparency (JPEG), again over white: HairCutout tells
     * opacity from the two. `onWhite` is left empty for JPEG.
     */
    static ImageStatus LoadSource(const std::string &path, Picture24 &onBlack, Picture24 &onWhite);

    /** The catalogue GIF of a cut hair; empty when it holds no hair. */
    static std::vector<std::uint8_t> EncodeHair(const CutHair &cut);

    /** Where the face of `source` lies in the cut hair's pixels, when the
     *  detector finds one. */
    static std::optional<FaceRect> FacePlace(const Picture24 &source, const CutHair &cut);

    /**
     * The lowest number from 1 up that no file "N.GIF" of the folder has,
     * names compared without regard to case ("7.gif", "07.GIF" both count as
     * 7). The first gap is filled, so stepping through the category with
     * Left/Right reaches the new hair. 1 for a missing folder.
     */
    static int NextFreeNumber(const std::string &folder);

    /** The existing entry of `folder` named `name` without regard to case,
     *  else folder + "/" + name. */
    static std::string EntryPath(const std::string &folder, const std::string &name);

    /**
     * Writes `gif` as "N.GIF" of `folder` and, when `face` is given, hair
     * N's section of the folder's face file. The file is written under a
     * temporary name and then linked to its own, which fails rather than
     * replace a file that appeared meanwhile; when the face file cannot be
     * written the new hair is taken away again. Empty on success, else one of
     * the messages above (untranslated). `written` receives the hair file.
     */
    static std::string Write(const std::string &folder, int number, const std::vector<std::uint8_t> &gif,
                             const std::optional<FaceRect> &face, std::string *written = nullptr);
};

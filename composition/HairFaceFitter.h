#pragma once

#include "FaceDetector.h"

#include <QString>
#include <optional>

class TF_FILHO;

/**
 * Fitting a composition's hair to the face on its photo, and recording an
 * operator's placement as the hair's face place. Works on the composition's
 * own state: the photo in Image1, the overlay Image2, the natural-size master
 * ImageAux2 and the category folder's face file.
 */
class HairFaceFitter
{
public:
    /** Empty on success, else the message for the user (untranslated). */
    static QString FitToFace(TF_FILHO *composition);
    /** Empty on success, else the message (untranslated); `file` then names
     *  the face file that could not be written, if that was the trouble. */
    static QString RecordPlacement(TF_FILHO *composition, QString *file = nullptr);

    /** The face on the composition's photo (searched once per picture). */
    static std::optional<FaceFound> PhotoFace(TF_FILHO *composition);
    /** The face place of the composition's hair: its file entry, or the
     *  estimate from the hair's shape; in the master's natural pixels. */
    static FaceRect HairFace(TF_FILHO *composition, bool *fromFile = nullptr);
    /** Face file of the composition's category folder (may not exist yet). */
    static QString FacesFilePath(TF_FILHO *composition);

    static constexpr const char *kNoFace = "Nenhum rosto encontrado na foto.";
    static constexpr const char *kCannotWrite = "Não foi possível gravar o ajuste do rosto.";
};

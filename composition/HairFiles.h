#pragma once

#include <QString>

/**
 * Finding files of the hair catalogue. Paths are built by plain
 * concatenation from the program folder, as the catalogue has always been
 * addressed; on a case-sensitive file system each part below the program
 * folder is then matched without regard to case, so "7.GIF", "7.gif" and a
 * folder copied as "MÉDIOS E CLAROS" are all found.
 */
class HairFiles
{
public:
    /** AppDir + hair folder + "/" + category name + "/" + number + ".GIF". */
    static QString HairFilePath(const QString &appDir, const QString &hairFolder,
                                const QString &categoryName, int hairNumber);

    /**
     * The existing file or folder that `path` names, matching every part
     * after `base` without regard to case; `path` itself when it exists as
     * written; an empty string when nothing matches.
     */
    static QString Resolve(const QString &base, const QString &path);

    /** True when the hair file exists (without regard to case below appDir). */
    static bool Exists(const QString &appDir, const QString &path);

    /** The temporary photo file for a capture or paste number. */
    static QString TempPhotoPath(const QString &appDir, const QString &catalogueFolder, int number);

    /** True when a new file can be made in `dir`: tried, since permission
     *  bits say nothing of read-only mounts, ACLs or a file in the way. */
    static bool CanWriteIn(const QString &dir);
};

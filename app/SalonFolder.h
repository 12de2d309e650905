#pragma once

#include <QString>

/**
 * Which folder the program works in. A program run from its build folder (or
 * unpacked anywhere with its catalogue beside it) keeps using its own folder;
 * an installed one, whose folder holds no catalogue, works in the user's own
 * salon folder, filled once from the sample salon shipped with the program.
 */
class SalonFolder
{
public:
    struct Choice
    {
        QString dir;     ///< the salon folder, ends in "/"
        QString message; ///< Portuguese, for the user; empty when all went well
    };

    /** True when `dir` has a hair collection folder (any case). */
    static bool HoldsCatalogue(const QString &dir);
    /** `$XDG_DATA_HOME/quenda/` (`~/.local/share/quenda/` by default). */
    static QString UserDir();
    /** The sample salon an installed program ships: `<prefix>/share/quenda/`
     *  for a program file in `<prefix>/bin`. */
    static QString ShippedDir(const QString &programDir);

    /**
     * The folder to use. `appDir` is the program's folder or the --home
     * folder; both are kept as they are. Otherwise the user folder is used
     * and filled from `shippedDir` when it holds no catalogue yet; when that
     * cannot be done the shipped folder is used as it is (read-only) and the
     * message says why.
     */
    static Choice Choose(const QString &appDir, bool homeGiven, const QString &userDir,
                         const QString &shippedDir);

    /**
     * Copies the shipped salon into `userDir` without replacing anything
     * already there. The copy is made in a hidden folder beside `userDir`
     * and moved in at the end, so a failure leaves no half-filled salon.
     * Returns false on failure.
     */
    static bool Fill(const QString &userDir, const QString &shippedDir);
};

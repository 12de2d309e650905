#pragma once

#include "Picture24.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/**
 * A throw-away salon folder for tests: a catalogue with hair pictures of
 * known colours in each category folder and a photograph, so a test can
 * tell by its pixels which hair a window shows and where.
 */
class TestSalon
{
public:
    static const QStringList &Categories();

    /** `hairsPerCategory` hairs in each of the seven folders of Quenda5. */
    explicit TestSalon(int hairsPerCategory = 3);

    bool IsValid() const { return m_dir.isValid(); }
    /** The folder, ending in "/". */
    QString AppDir() const;
    QString PhotoPath() const { return AppDir() + QStringLiteral("Modelo.BMP"); }

    /** The hair picture written for a category and number: a filled
     *  rectangle in HairColour() on white, of HairSize(number). */
    static Picture24 HairPicture(int category, int number);
    static std::uint32_t HairColour(int category, int number);
    static int HairWidth(int number) { return 40 + 10 * number; }
    static int HairHeight(int number) { return 30 + 5 * number; }
    /** The photo: 400 x 300, a horizontal gradient, so positions are told
     *  apart by colour. */
    static Picture24 Photo();

    /** Writes a hair file (GIF) under any name. */
    bool WriteHair(const QString &relativePath, const Picture24 &picture) const;

private:
    QTemporaryDir m_dir;
};

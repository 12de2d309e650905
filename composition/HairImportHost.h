#pragma once

#include <QString>

#include <functional>

/**
 * What a catalogue page needs from the main window to add a hair of its
 * own: the whole import (picture, preview, write, messages) into one
 * category of one collection, and a call back with the new hair's number so
 * the page can refill itself.
 */
class HairImportHost
{
public:
    virtual ~HairImportHost() = default;

    /** `collection` is the catalogue folder ("Quenda5", "Quenda42"; empty:
     *  the current one), `category` the code 0..6 (-1: the active
     *  composition's). False when cancelled or refused; the user has then
     *  been told why. */
    virtual bool ImportHair(const QString &collection, int category,
                            const std::function<void(int number)> &imported = {}) = 0;
};

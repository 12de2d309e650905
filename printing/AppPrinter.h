#pragma once

class QPrinter;

/**
 * The application's current printer: chosen and set up through the printer
 * set-up dialog, used by every print command. Without an installed printer
 * it prints to a PDF file.
 */
class AppPrinter
{
public:
    static QPrinter &Current();
};

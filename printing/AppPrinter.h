#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

/**
 * The application's current printer: chosen and set up through the printer
 * set-up dialog, used by every print command. Without an installed printer
 * it prints to a PDF file at 300 pixels per inch on a letter page with
 * quarter-inch edges, the page the page view assumes then.
 */
class AppPrinter
{
public:
    static QPrinter &Current();
    /** True when the print system lists at least one printer. */
    static bool HasInstalledPrinter();

    /** Asks where the job goes: the print dialog with a printer installed,
     *  otherwise a save dialog for the PDF file. False when cancelled. */
    static bool ChooseTarget(QWidget *parent, const QString &saveTitle);

    /** Test hooks standing in for the modal dialogs. */
    using PrintDialogRunner = std::function<bool(QPrinter &)>;
    using SaveDialogRunner = std::function<QString(const QString &suggested)>;
    static void SetPrintDialogRunner(PrintDialogRunner runner);
    static void SetSaveDialogRunner(SaveDialogRunner runner);
    /** The PDF name offered first: in the user's documents folder. */
    static QString SuggestedPdfName();
};

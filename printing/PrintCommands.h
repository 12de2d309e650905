#pragma once

class PrintHost;
class QPrinter;

/**
 * The main window's two print commands: printing the active composition,
 * and building both contact sheets from the open compositions and showing
 * the on-screen one.
 */
class PrintCommands
{
public:
    explicit PrintCommands(PrintHost &host) : m_host(host) {}

    /** "&Imprimir": the active composition as shown, on a portrait page. */
    void PrintActiveComposition();
    /** "&Visualizar Impressão": fills the sheets and shows the preview. */
    void BuildPreview();
    /** Fills both sheets from the first eight compositions and empties the
     *  cells beyond them; does not show anything. */
    void FillSheets();

    /** Tells the user that the job did not reach the printer or the file. */
    static void ReportFailure(PrintHost &host, const QPrinter &printer);

private:
    PrintHost &m_host;
};

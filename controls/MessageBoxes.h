#pragma once

#include <QMessageBox>
#include <QString>
#include <exception>
#include <functional>

class QWidget;

/**
 * The program's message boxes: modal, one OK button. Tests route them to a
 * recorder instead, so a command that reports something can be driven
 * without a person at the screen.
 */
class MessageBoxes
{
public:
    using Sink = std::function<void(const QString &text, const QString &caption)>;

    /** An information box with one OK button (the text is shown as given). */
    static void Information(QWidget *parent, const QString &text, const QString &caption);
    /** The default report of an error nobody handled: the error's message
     *  in an error box; the windows stay as they were. */
    static void ReportException(QWidget *parent, const std::exception &error);

    static void SetSink(Sink sink);
    static bool HasSink();
};

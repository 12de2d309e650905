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
    /** Answers a yes/no question in place of the person at the screen. */
    using QuestionSink = std::function<bool(const QString &text, const QString &caption)>;

    /** An information box with one OK button (the text is shown as given). */
    static void Information(QWidget *parent, const QString &text, const QString &caption);
    /** The default report of an error nobody handled: the error's message
     *  in an error box; the windows stay as they were. */
    static void ReportException(QWidget *parent, const std::exception &error);

    static void SetSink(Sink sink);
    static bool HasSink();

    /** A question with the buttons Sim and Não (Não is the default, so a
     *  stray Enter keeps things as they are); true for Sim. */
    static bool Question(QWidget *parent, const QString &text, const QString &caption,
                         const QString &yes = QStringLiteral("Sim"), const QString &no = QStringLiteral("Não"));
    static void SetQuestionSink(QuestionSink sink);
};

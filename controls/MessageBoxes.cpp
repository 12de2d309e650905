#include "MessageBoxes.h"

#include <QApplication>
#include <QPushButton>

namespace {
MessageBoxes::Sink &sink()
{
    static MessageBoxes::Sink s;
    return s;
}

MessageBoxes::QuestionSink &questionSink()
{
    static MessageBoxes::QuestionSink s;
    return s;
}
} // namespace

void MessageBoxes::SetSink(Sink s)
{
    sink() = std::move(s);
}

bool MessageBoxes::HasSink()
{
    return static_cast<bool>(sink());
}

void MessageBoxes::Information(QWidget *parent, const QString &text, const QString &caption)
{
    if (sink()) {
        sink()(text, caption);
        return;
    }
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBoxes::ReportException(QWidget *parent, const std::exception &error)
{
    const QString text = QString::fromUtf8(error.what());
    if (sink()) {
        sink()(text, QApplication::applicationName());
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBoxes::SetQuestionSink(QuestionSink s)
{
    questionSink() = std::move(s);
}

bool MessageBoxes::Question(QWidget *parent, const QString &text, const QString &caption,
                            const QString &yesText, const QString &noText)
{
    if (questionSink())
        return questionSink()(text, caption);
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(yesText, QMessageBox::YesRole);
    QPushButton *no = box.addButton(noText, QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

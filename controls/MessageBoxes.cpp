#include "MessageBoxes.h"

#include <QApplication>

namespace {
MessageBoxes::Sink &sink()
{
    static MessageBoxes::Sink s;
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

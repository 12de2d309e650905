#pragma once

#include <QObject>
#include <functional>

class QWidget;

/** The printer set-up dialog: the chosen printer and its settings become the
 *  application's current printer. */
class TPrinterSetupDialog : public QObject
{
    Q_OBJECT

public:
    using Runner = std::function<bool(TPrinterSetupDialog &)>;

    TPrinterSetupDialog(const QString &name, QWidget *owner);

    bool Execute();
    static void SetRunner(Runner runner);

private:
    QWidget *m_owner;
};

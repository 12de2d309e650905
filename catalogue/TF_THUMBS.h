#pragma once

#include <QWidget>

class QTabWidget;
class TLanguage;

/**
 * The catalogue browser: a page of photographs of the program folder and
 * one page per hair category of the current collection.
 */
class TF_THUMBS : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_THUMBS(const QString &appDir, QWidget *parent = nullptr);

    QTabWidget *PageControl1 = nullptr;
    TLanguage *L1 = nullptr;
};

extern TF_THUMBS *F_THUMBS;

#include "THelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpViewer::THelpViewer(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Ajuda do Quenda"));
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
    // Escape closes it, as it does every other secondary window here.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

bool THelpViewer::OpenContents(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return false;
    const QString text = QString::fromUtf8(data);
    m_browser->setSearchPaths({QFileInfo(fileName).absolutePath()});
    if (text.trimmed().startsWith(QLatin1Char('<')))
        m_browser->setHtml(text);
    else
        m_browser->setPlainText(text);
    m_browser->moveCursor(QTextCursor::Start);
    return true;
}

QString THelpViewer::Text() const
{
    return m_browser->toPlainText();
}

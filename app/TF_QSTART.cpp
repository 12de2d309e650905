#include "TF_QSTART.h"

#include "TBitBtn.h"
#include "TFormScaler.h"
#include "TLabel.h"
#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TTabSheet.h"
#include "ToolbarGlyphs.h"
#include "TranslationPaths.h"
#include "WindowFit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

TF_QSTART *F_QSTART = nullptr;

namespace {
// One line of a page: texts (numbered labels) and toolbar pictures.
struct Piece
{
    int label;          // 0 for a picture
    const char *text;   // label text, or the toolbar item whose glyph is shown
};

} // namespace

TF_QSTART::TF_QSTART(const QString &appDir, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_QSTART"));
    setWindowTitle(QStringLiteral("Bemvindo ao Quenda!"));
    resize(544, 279);
    new TFormScaler(QStringLiteral("FormScaler1"), this);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new TLabel(QStringLiteral("PanelLabel1"), QStringLiteral("Iniciando no programa:"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1, 1);

    using Line = std::vector<Piece>;
    const std::vector<std::pair<const char *, std::vector<Line>>> pages = {
        {"1) Abra uma foto",
         {{{1, "Clique em"}, {0, "BT_Abrir"}, {2, "e abra a foto Modelo.JPG, por exemplo;"}},
          {{3, "ou"}},
          {{4, "Clique em"}, {0, "BT_Thumbs"}, {5, "e clique na foto desejada. Por exemplo: "}},
          {{6, "ou"}},
          {{7, "Clique em"}, {0, "BT_Captura"}, {8, "e capture uma foto com sua câmera ou scanner TWAIN compatível."}}}},
        {"2) Ajuste o tamanho",
         {{{9, "Clique sobre a foto com o cursor"}, {0, "BT_SCROLL"}, {10, "e arraste a foto com o mouse para o centro da janela;"}},
          {{11, "Clique em"}, {0, "BT_ZOOM"},
           {12, "e depois, clique o botão direito ou esquerdo do mouse sobre a foto\n"
                "ou tecle F8, F9, Ctrl+F8 ou Ctrl+F9 para ajustar o tamanho da foto."}},
          {{13, "Tecle Insert para ver se a foto está do tamanho do cabelo e na posição certa;"}},
          {{14, "Tecle Delete para esconder o cabelo e continuar ajustando a foto."}},
          {{15, "Clique no botão                 para redimensionar o cabelo. Clique o mouse direito quando pronto."}}}},
        {"3) Escolha um cabelo",
         {{{16, "Após ter aberto uma foto, clique em um dos botões abaixo e clique no cabelo desejado:"}},
          {{0, "BT_CC"}, {0, "BT_CE"}, {0, "BT_MC"}, {0, "BT_ME"}, {0, "BT_LC"}, {0, "BT_LE"}, {0, "BT_M"}},
          {{17, "Você pode também teclar as setas direita ou esquerda, para mudar os cabelos de um mesmo tipo."}},
          {{25, "Tecle Ctrl+J (Imagem > Ajustar ao Rosto) e o cabelo se ajusta sozinho ao rosto da foto."}}}},
        {"4) Mude a cor",
         {{{18, "Para mudar a cor de um cabelo, clique em "}, {0, "BT_SLIDERS"}, {19, "e ajuste sua cor."}},
          {{20, "Para mudar a cor ou tonalidade da foto, tecle Delete e clique em "}, {0, "BT_SLIDERS"}},
          {{21, "Para mudar a cor do cabelo da pessoa clique em:"}, {0, "BT_LACO"}, {22, "Aparece o cursor "}, {0, "BT_MOVE"}},
          {{23, "Clicando e segurando o botão esquerdo do mouse, desenhe o contorno"}},
          {{24, "do cabelo da pessoa. Feche o contorno com um duplo-clique. Depois clique em"}, {0, "BT_SLIDERS"}}}},
    };

    // Each page is one flowing text: the numbered labels hold the
    // (translatable) sentences, and the page shows them with the toolbar
    // pictures in line, so a long or translated sentence wraps instead of
    // widening the window or running under a picture.
    int sheet = 1;
    for (const auto &[caption, lines] : pages) {
        auto *page = new TTabSheet(QStringLiteral("TabSheet%1").arg(sheet++), QString::fromUtf8(caption), PageControl1);
        auto *pageLayout = new QVBoxLayout(page);
        auto *text = new QTextBrowser(page);
        text->setObjectName(QStringLiteral("PageText"));
        text->setFrameShape(QFrame::NoFrame);
        text->setFocusPolicy(Qt::NoFocus);
        text->setTextInteractionFlags(Qt::NoTextInteraction);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The page's own background, and the window's font as it is scaled.
        text->viewport()->setAutoFillBackground(false);
        QPalette transparent = text->palette();
        transparent.setColor(QPalette::Base, Qt::transparent);
        text->setPalette(transparent);
        pageLayout->addWidget(text);
        std::vector<std::vector<std::pair<TLabel *, QString>>> pageLines;
        for (const Line &line : lines) {
            std::vector<std::pair<TLabel *, QString>> pieces;
            for (const Piece &piece : line) {
                if (piece.label == 0) {
                    pieces.emplace_back(nullptr, QString::fromLatin1(piece.text));
                    continue;
                }
                auto *label = new TLabel(QStringLiteral("Label%1").arg(piece.label), QString::fromUtf8(piece.text), page);
                label->hide();
                pieces.emplace_back(label, QString());
            }
            pageLines.push_back(std::move(pieces));
        }
        m_pages.push_back({text, std::move(pageLines)});
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *close = new TBitBtn(QStringLiteral("BitBtn1"), QStringLiteral("OK"), this);
    close->SetHint(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_QSTART"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
    composePages();
    PageControl1->setCurrentIndex(0);
}

void TF_QSTART::composePages()
{
    for (const PageText &page : m_pages)
        page.text->setHtml(pageHtml(page, page.text->document()));
}

QString TF_QSTART::pageHtml(const PageText &page, QTextDocument *document) const
{
    QString html;
    for (const auto &line : page.lines) {
        html += QStringLiteral("<p style=\"margin-top:0; margin-bottom:4px;\">");
        for (const auto &[label, item] : line) {
            if (!label) {
                html += pictureHtml(document, item);
                continue;
            }
            QString text = label->text().toHtmlEscaped();
            text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
            // A run of blanks inside a sentence is where the resize
            // button's picture stands.
            static const QRegularExpression gap(QStringLiteral("   +"));
            if (label->objectName() == QLatin1String("Label15"))
                text.replace(gap, QLatin1Char(' ') + pictureHtml(document, QStringLiteral("BT_MOVE")) + QLatin1Char(' '));
            html += text + QLatin1Char(' ');
        }
        html += QStringLiteral("</p>");
    }
    return html;
}

QString TF_QSTART::pictureHtml(QTextDocument *document, const QString &item) const
{
    // The pictures grow with the text when the window's font is scaled.
    const int size = qMax(24, fontMetrics().height() * 5 / 4);
    const QUrl url(QStringLiteral("glyph:%1:%2").arg(item).arg(size));
    document->addResource(QTextDocument::ImageResource, url, ToolbarGlyphs::Picture(item, size).toImage());
    return QStringLiteral("<img src=\"%1\" style=\"vertical-align: middle;\"> ").arg(url.toString());
}

void TF_QSTART::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_pages.empty())
        composePages();
}

void TF_QSTART::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // After the first showing's scaling: never wider than the screen, and
    // tall enough for the longest page at that width when the screen allows.
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    // The page on show has its real size; the others share it.
    const QTextBrowser *shown = m_pages.at(qMax(0, PageControl1->currentIndex())).text;
    const int pageTextHeight = shown->height();
    const int width = WindowFit::Width(this->width(), available.width() - frame.width());
    // The text narrows with the window by the same amount.
    const int textWidth = shown->width() - 2 * shown->frameWidth() - (this->width() - width);
    int needed = 0;
    for (const PageText &page : m_pages) {
        QTextDocument probe;
        probe.setDefaultFont(page.text->font());
        probe.setDocumentMargin(page.text->document()->documentMargin());
        probe.setHtml(pageHtml(page, &probe));
        probe.setTextWidth(qMax(1, textWidth));
        needed = qMax(needed, qCeil(probe.size().height()) + 2 * shown->frameWidth() + 4);
    }
    const int height = WindowFit::Height(this->height(), this->height() - pageTextHeight + needed,
                                         available.height() - frame.height());
    if (width != this->width() || height != this->height())
        resize(width, height);
    // Keep the whole window on the screen.
    QRect placed = frameGeometry();
    placed.moveLeft(qBound(available.left(), placed.left(), qMax(available.left(), available.right() - placed.width() + 1)));
    placed.moveTop(qBound(available.top(), placed.top(), qMax(available.top(), available.bottom() - placed.height() + 1)));
    if (placed.topLeft() != frameGeometry().topLeft())
        move(placed.topLeft());
}

void TF_QSTART::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

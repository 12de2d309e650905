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

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

TF_QSTART *F_QSTART = nullptr;

namespace {
// One line of a page: texts (numbered labels) and toolbar pictures.
struct Piece
{
    int label;          // 0 for a picture
    const char *text;   // label text, or the toolbar item whose glyph is shown
};

QLabel *picture(const char *item, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(ToolbarGlyphs::Picture(QString::fromLatin1(item), 24));
    label->setFixedSize(28, 28);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}
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

    int sheet = 1;
    for (const auto &[caption, lines] : pages) {
        auto *page = new TTabSheet(QStringLiteral("TabSheet%1").arg(sheet++), QString::fromUtf8(caption), PageControl1);
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setSpacing(4);
        for (const Line &line : lines) {
            auto *row = new QHBoxLayout;
            row->setSpacing(6);
            for (const Piece &piece : line) {
                if (piece.label == 0) {
                    row->addWidget(picture(piece.text, page));
                    continue;
                }
                auto *label = new TLabel(QStringLiteral("Label%1").arg(piece.label), QString::fromUtf8(piece.text), page);
                if (piece.label == 15) {
                    // The blanks in this sentence are where the resize button's
                    // picture sits.
                    auto *glyph = picture("BT_MOVE", label);
                    glyph->move(label->fontMetrics().horizontalAdvance(QStringLiteral("Clique no botão  ")), 0);
                    label->setMinimumHeight(28);
                }
                row->addWidget(label);
            }
            row->addStretch(1);
            pageLayout->addLayout(row);
        }
        pageLayout->addStretch(1);
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
    PageControl1->setCurrentIndex(0);
}

void TF_QSTART::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

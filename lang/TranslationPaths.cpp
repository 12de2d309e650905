#include "TranslationPaths.h"

#include "TLanguage.h"

namespace {

QStringList numbered(const QString &prefix, int first, int last, const QString &suffix)
{
    QStringList out;
    for (int i = first; i <= last; ++i)
        out.append(prefix + QString::number(i) + suffix);
    return out;
}

QStringList buildHair()
{
    QStringList p{QStringLiteral("F_HAIR.Arquivo1.Caption")};
    const char *const captions[] = {
        "AbrirFoto1", "Fechar1", "FecharTudo1", "Salvar1", "Salvarcomo1",
        "ConfigurarImpressora1", "Imprimir1", "PrintPreview1", "ImprimirColeo1", "Sair1",
        "Editar1", "Copiar1", "Colar1", "Inserir1", "ApagarCabelo1",
        "Redimensionar1", "Imagem1", "Replay1", "Zoom1", "Zoom2",
        "tamanhoOriginal1", "CapturaTWAIN1", "SelecionarCapturaTWAIN1", "Visualizador50", "Visualizador42",
        "AjustedeImagem1", "Foto1", "Cabelo1", "Tonalidade1", "Amarelo1",
        "Marrom1", "Vermelho1", "Preto1", "Normal1", "Desenho1",
        "RetoqueCabelo1", "RetoqueFoto1", "Janela1", "ArranjarIcones1", "Ajuda1",
        "Ajuda2",
    };
    for (const char *name : captions)
        p.append(QStringLiteral("F_HAIR.") + QLatin1String(name) + QStringLiteral(".CAPTION"));
    p.append(QStringLiteral("F_HAIR.QuickStart.Caption"));
    p.append(QStringLiteral("F_HAIR.SobreoPrograma1.CAPTION"));
    p.append(QStringLiteral("F_HAIR.CB_TIPO.Items"));
    const char *const hints[] = {
        "BT_Abrir", "BT_Salvar", "BT_Imprimir", "BT_PREVIEW", "BT_Captura", "BT_Replay",
        "BT_Original", "BT_Thumbs", "BT_Sair", "BT_CC", "BT_CE", "BT_MC",
        "BT_ME", "BT_LC", "BT_LE", "BT_M", "BT_SCROLL", "BT_MOVE",
        "BT_ZOOM", "BT_LACO", "BT_SLIDERS",
    };
    for (const char *name : hints)
        p.append(QStringLiteral("F_HAIR.") + QLatin1String(name) + QStringLiteral(".Hint"));
    p.append(QStringLiteral("F_HAIR.OD_ABRIR.Title"));
    p.append(numbered(QStringLiteral("F_HAIR.PanelLabel"), 1, 8, QStringLiteral(".Caption")));
    p.append(QStringLiteral("F_HAIR.BitBtn1.Hint"));
    p.append(QStringLiteral("F_HAIR.BitBtn2.Hint"));
    p.append(QStringLiteral("F_HAIR.BitBtn21.Hint"));
    return p;
}

QStringList buildThumbs()
{
    QStringList p{QStringLiteral("F_THUMBS.CAPTION")};
    p.append(numbered(QStringLiteral("F_THUMBS.TabSheet"), 1, 8, QStringLiteral(".Caption")));
    return p;
}

QStringList buildDraw()
{
    QStringList p{QStringLiteral("F_DRAW.Caption")};
    const char *const captions[] = {"File1", "Open1", "Save1", "Saveas1", "Print1", "Exit1",
                                    "Edit1", "Undo1", "Cut1",  "Copy1",   "Paste1"};
    for (const char *name : captions)
        p.append(QStringLiteral("F_DRAW.") + QLatin1String(name) + QStringLiteral(".CAPTION"));
    const char *const hints[] = {"PenButton",     "GotasButton",       "Shape1",
                                 "UndoButton",    "QuendaButton1",     "ColorComboBoxEx1",
                                 "LineWidthComboBox1"};
    for (const char *name : hints)
        p.append(QStringLiteral("F_DRAW.") + QLatin1String(name) + QStringLiteral(".Hint"));
    return p;
}

QStringList buildQstart()
{
    QStringList p{QStringLiteral("F_QSTART.Caption"), QStringLiteral("F_QSTART.PanelLabel1.Caption")};
    p.append(numbered(QStringLiteral("F_QSTART.TabSheet"), 1, 4, QStringLiteral(".Caption")));
    p.append(numbered(QStringLiteral("F_QSTART.Label"), 1, 24, QStringLiteral(".Caption")));
    return p;
}

} // namespace

const QStringList &TranslationPaths::hair()
{
    static const QStringList paths = buildHair();
    return paths;
}

const QStringList &TranslationPaths::thumbs()
{
    static const QStringList paths = buildThumbs();
    return paths;
}

const QStringList &TranslationPaths::sobre()
{
    static const QStringList paths{QStringLiteral("F_SOBRE.CAPTION"), QStringLiteral("F_SOBRE.Version.Caption")};
    return paths;
}

const QStringList &TranslationPaths::draw()
{
    static const QStringList paths = buildDraw();
    return paths;
}

const QStringList &TranslationPaths::impressao()
{
    static const QStringList paths{QStringLiteral("F_IMPRESSAO.Caption"), QStringLiteral("F_IMPRESSAO.BitBtn2.Caption"),
                                   QStringLiteral("F_IMPRESSAO.BitBtn1.Caption"),
                                   QStringLiteral("F_IMPRESSAO.Label1.Caption")};
    return paths;
}

const QStringList &TranslationPaths::preview2()
{
    static const QStringList paths{QStringLiteral("F_PREVIEW2.Caption"), QStringLiteral("F_PREVIEW2.Imprimir1.Caption"),
                                   QStringLiteral("F_PREVIEW2.Sair1.Caption")};
    return paths;
}

const QStringList &TranslationPaths::qstart()
{
    static const QStringList paths = buildQstart();
    return paths;
}

const QStringList &TranslationPaths::forWindow(const QString &windowName)
{
    static const QStringList none;
    const QString name = windowName.trimmed().toUpper();
    if (name == QLatin1String("F_HAIR"))
        return hair();
    if (name == QLatin1String("F_THUMBS"))
        return thumbs();
    if (name == QLatin1String("F_SOBRE"))
        return sobre();
    if (name == QLatin1String("F_DRAW"))
        return draw();
    if (name == QLatin1String("F_IMPRESSAO"))
        return impressao();
    if (name == QLatin1String("F_PREVIEW2"))
        return preview2();
    if (name == QLatin1String("F_QSTART"))
        return qstart();
    return none;
}

const QStringList &TranslationPaths::added(const QString &windowName)
{
    static const QStringList none;
    static const QStringList hairAdded{
        QStringLiteral("F_HAIR.FotoInteira1.CAPTION"),   QStringLiteral("F_HAIR.LadoALado1.CAPTION"),
        QStringLiteral("F_HAIR.Cascata1.CAPTION"),       QStringLiteral("F_HAIR.AjustarRosto1.CAPTION"),
        QStringLiteral("F_HAIR.AjusteAutomatico1.CAPTION"), QStringLiteral("F_HAIR.GravarAjuste1.CAPTION"),
        QStringLiteral("F_HAIR.BordasSuaves1.CAPTION"),
        QStringLiteral("F_HAIR.SalvarAltaResolucao1.CAPTION"),
        QStringLiteral("F_HAIR.SalvarAntesDepois1.CAPTION"),
        QStringLiteral("F_HAIR.ImportarCabelo1.CAPTION"),
    };
    static const QStringList qstartAdded{QStringLiteral("F_QSTART.Label25.Caption")};
    static const QStringList thumbsAdded{
        QStringLiteral("F_THUMBS.BT_Importar1.Caption"), QStringLiteral("F_THUMBS.BT_Importar2.Caption"),
        QStringLiteral("F_THUMBS.BT_Importar3.Caption"), QStringLiteral("F_THUMBS.BT_Importar4.Caption"),
        QStringLiteral("F_THUMBS.BT_Importar5.Caption"), QStringLiteral("F_THUMBS.BT_Importar6.Caption"),
        QStringLiteral("F_THUMBS.BT_Importar7.Caption"),
    };
    const QString name = windowName.trimmed().toUpper();
    if (name == QLatin1String("F_HAIR"))
        return hairAdded;
    if (name == QLatin1String("F_QSTART"))
        return qstartAdded;
    if (name == QLatin1String("F_THUMBS"))
        return thumbsAdded;
    return none;
}

QString TranslationPaths::separatorFor(const QString &windowName)
{
    const QString name = windowName.trimmed().toUpper();
    if (name == QLatin1String("F_QSTART") || forWindow(name).isEmpty())
        return {};
    return QStringLiteral(",");
}

void TranslationPaths::assignTo(TLanguage &language, const QString &windowName)
{
    language.setProperties(forWindow(windowName) + added(windowName));
    const QString separator = separatorFor(windowName);
    if (!separator.isEmpty())
        language.setSeparator(separator);
}

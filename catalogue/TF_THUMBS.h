#pragma once

#include <QString>
#include <QWidget>

class CatalogueHost;
class QTabWidget;
class TLanguage;
class TTabSheet;
class TThumbGrid;
class TThumbview;

/**
 * The catalogue browser: a page of photographs of the program folder and
 * one page per hair category of the current collection. Choosing a hair asks
 * the main window for a new composition with it; choosing a photo opens it.
 */
class HairImportHost;
class TBitBtn;

class TF_THUMBS : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    static constexpr int kCategoryCount = 7;

    explicit TF_THUMBS(CatalogueHost &host, QWidget *parent = nullptr);

    QTabWidget *PageControl1 = nullptr;
    TTabSheet *TabSheet[8] = {};                ///< TabSheet1 .. TabSheet8
    TThumbGrid *ThumbGrid[kCategoryCount] = {}; ///< ThumbGrid1 .. ThumbGrid7
    TBitBtn *BT_Importar[kCategoryCount] = {}; ///< BT_Importar1 .. BT_Importar7, one per hair page

    /** Who imports a picture as a new hair of a page (the main window). */
    void SetImportHost(HairImportHost *host);
    /** A hair page's import button: imports into that category of the
     *  collection shown, then reads the page again. */
    void ImportHairClick(int code);
    TThumbview *Thumbview1 = nullptr;
    TLanguage *L1 = nullptr;

    /** Full name of the thumbnail last chosen, and the hair number taken from it. */
    QString PickedFile;
    QString PickedHairId;

    /** Makes the page of a category code ("0".."6", "7" photos) the active one. */
    void ShowPage(int code);
    /** Empties the seven category pages; each is listed again when next shown. */
    void ClearCategoryGrids();

    void FormActivate();
    void PageControl1Change();
    /** Lists category `code` of the current collection into its grid. */
    void FillCategoryPage(int code);
    void ChooseHair();
    void ThumbGridImageSelect(int code, int index);
    void ThumbGridMouseMove(int code, int x, int y);
    void Thumbview1Click();
    void Thumbview1StartScanning();
    void Thumbview1StopScanning();

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    CatalogueHost &m_host;
    HairImportHost *m_importHost = nullptr;
    bool m_scanCursor = false;
    bool m_placed = false;
};

extern TF_THUMBS *F_THUMBS;

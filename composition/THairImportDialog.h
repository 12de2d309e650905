#pragma once

#include "HairCutout.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

/**
 * "Importar Cabelo": the cut-out hair of a picture on a checkerboard, the
 * category it goes to and the backdrop tolerance. The cutting itself is
 * HairCutout's; this window only shows it and collects the choices.
 */
class THairImportDialog : public QDialog
{
    Q_OBJECT

public:
    using Translate = std::function<QString(const QString &)>;
    /** Replaces the modal run (tests): true when the user confirmed. */
    using Runner = std::function<bool(THairImportDialog &)>;
    static void SetRunner(Runner runner);
    /** Runs the window modally; true when confirmed with hair in the cut. */
    bool Execute();

    static constexpr int kPreviewWidth = 480;
    static constexpr int kPreviewHeight = 480;

    THairImportDialog(const QStringList &categories, int category, const Translate &translate,
                      QWidget *parent = nullptr);

    /** Takes the picture (see HairCutout::setSource) and shows its cut. */
    void SetPicture(const Picture24 &onBlack, const Picture24 *onWhite);

    int Category() const;
    int Tolerance() const;
    void SetTolerance(int tolerance);
    /** The hair as cut now, finished for the catalogue. */
    CutHair Result() const;
    /** True when the preview's cut holds any hair. */
    bool HasHair() const;

    const HairCutout &Cutout() const { return m_cutout; }

    QComboBox *CB_CATEGORIA = nullptr;
    QSlider *TB_TOLERANCIA = nullptr;
    QLabel *IM_PREVIA = nullptr;
    QLabel *LB_TOLERANCIA = nullptr;
    QPushButton *BT_IMPORTAR = nullptr;
    QPushButton *BT_CANCELAR = nullptr;

private:
    void recut();

    HairCutout m_cutout;
    std::vector<std::uint8_t> m_mask;
};

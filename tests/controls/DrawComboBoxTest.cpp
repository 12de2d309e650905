#include "TColorComboBoxEx.h"
#include "TLineWidthComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {
const QColor kRed(0xFF, 0, 0);
const QColor kNavy(0, 0, 0x80);
const QColor kGrey(0x80, 0x80, 0x80);

// A list whose colours repeat, to tell a search from the end from one from
// the start, and to see that the list is rebuilt through BuildItems.
class RepeatingColours : public TColorComboBoxEx
{
public:
    explicit RepeatingColours(QWidget *parent = nullptr) : TColorComboBoxEx(QStringLiteral("Rep"), parent)
    {
        CreateWnd();
    }
    void BuildItems() override
    {
        clear();
        for (const char *name : {"Red", "Navy", "Red"})
            addItem(QString::fromLatin1(name),
                    QVariant::fromValue<std::uint32_t>(name[0] == 'R' ? 0x0000FFu : 0x800000u));
        setCurrentIndex(-1);
        ++builds;
    }
    int builds = 0;
};

QImage renderItem(const std::function<void(QPainter &, const QRect &)> &draw, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    draw(painter, QRect(QPoint(0, 0), size));
    return image;
}

// Picks an item the way a user does: open the list, click the item.
void pickWithMouse(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect r = view->visualRect(view->model()->index(index, 0));
    view->scrollTo(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(index, 0)).center());
    Q_UNUSED(r);
    QTRY_VERIFY(!view->isVisible());
}
} // namespace

class DrawComboBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void colourDefaults();
    void outsideColourChangesNothing();
    void sameColourIsSilentOnlyWithASelection();
    void indexOfColorSearchesFromTheLastItem();
    void userPickAnnouncesTwiceWhenTheColourChanges();
    void userPickOfTheSameColourAnnouncesOnce();
    void swatchIsFramedAndFilledWithTheItemsColour();
    void namedStyleDrawsANarrowSwatch();
    void largerFontMakesNamedItemsTaller();
    void showStyleChangeRepaintsOnlyWhenDifferent();

    void widthDefaults();
    void widthOutsideTheListIsStoredWithoutSelection();
    void shorterListKeepsTheWidth();
    void userPickSetsTheWidthBeforeOnChange();
    void sampleLineIsShortenedAndCentred();
};

void DrawComboBoxTest::colourDefaults()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    QCOMPARE(combo.ColorValue(), QColor(Qt::black));
    QCOMPARE(combo.ShowStyle(), TColorComboBoxEx::ssOnlyColor);
    QCOMPARE(combo.ItemHeight(), 17);
    QCOMPARE(combo.height(), 23);
    QCOMPARE(combo.count(), 16);
    QCOMPARE(combo.itemText(1), QStringLiteral("Maroon"));
    QCOMPARE(combo.itemText(15), QStringLiteral("White"));
    // Black is the value, so its item is selected once the list exists.
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(combo.property("ShowStyle").toInt(), 0);
    QCOMPARE(combo.property("ColorValue").value<QColor>(), QColor(Qt::black));
}

void DrawComboBoxTest::outsideColourChangesNothing()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    combo.SetColorValue(kRed);
    QCOMPARE(combo.currentIndex(), 9);
    QSignalSpy changes(&combo, &TColorComboBoxEx::OnChange);
    combo.SetColorValue(QColor(1, 2, 3));
    QCOMPARE(combo.ColorValue(), kRed);
    QCOMPARE(combo.currentIndex(), 9);
    QCOMPARE(changes.count(), 0);
}

void DrawComboBoxTest::sameColourIsSilentOnlyWithASelection()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    combo.SetColorValue(kNavy);
    QSignalSpy changes(&combo, &TColorComboBoxEx::OnChange);
    combo.SetColorValue(kNavy);
    QCOMPARE(changes.count(), 0);

    combo.setCurrentIndex(-1);
    combo.SetColorValue(kNavy);
    QCOMPARE(combo.currentIndex(), 4);
    QCOMPARE(changes.count(), 1);
}

void DrawComboBoxTest::indexOfColorSearchesFromTheLastItem()
{
    RepeatingColours combo;
    QCOMPARE(combo.IndexOfColor(kRed), 2);
    QCOMPARE(combo.IndexOfColor(kNavy), 1);
    QCOMPARE(combo.IndexOfColor(Qt::white), -1);
    // The value survives a rebuild and selects its (last) item again.
    combo.SetColorValue(kRed);
    const int builds = combo.builds;
    combo.CreateWnd();
    QCOMPARE(combo.builds, builds + 1);
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(combo.ColorValue(), kRed);
}

void DrawComboBoxTest::userPickAnnouncesTwiceWhenTheColourChanges()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    combo.resize(80, 23);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    QSignalSpy changes(&combo, &TColorComboBoxEx::OnChange);
    QSignalSpy clicks(&combo, &TColorComboBoxEx::OnClick);
    QList<QColor> seen;
    connect(&combo, &TColorComboBoxEx::OnChange, this, [&] { seen << combo.ColorValue(); });
    pickWithMouse(&combo, 12);
    QCOMPARE(combo.ColorValue(), QColor(0, 0, 0xFF));
    QCOMPARE(combo.currentIndex(), 12);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(seen, QList<QColor>({QColor(0, 0, 0xFF), QColor(0, 0, 0xFF)}));
}

void DrawComboBoxTest::userPickOfTheSameColourAnnouncesOnce()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    combo.SetColorValue(kRed);
    combo.resize(80, 23);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    QSignalSpy changes(&combo, &TColorComboBoxEx::OnChange);
    pickWithMouse(&combo, 9);
    QCOMPARE(changes.count(), 1);
    // A key in the closed list picks too: the next colour, Lime.
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(combo.ColorValue(), QColor(0, 0xFF, 0));
    QCOMPARE(changes.count(), 3);
}

void DrawComboBoxTest::swatchIsFramedAndFilledWithTheItemsColour()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    const QColor base = combo.palette().color(QPalette::Base);
    const QImage image =
        renderItem([&](QPainter &p, const QRect &r) { combo.DrawItem(p, r, 9, false); }, QSize(46, 17));
    // Frame from (4, 2) to (41, 14), inside it the colour, outside the item's brush.
    QCOMPARE(QColor(image.pixel(4, 2)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(41, 14)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(5, 3)), kRed);
    QCOMPARE(QColor(image.pixel(40, 13)), kRed);
    QCOMPARE(QColor(image.pixel(3, 8)), base);
    QCOMPARE(QColor(image.pixel(42, 8)), base);
    QCOMPARE(QColor(image.pixel(20, 1)), base);
    QCOMPARE(QColor(image.pixel(20, 15)), base);

    const QImage selected =
        renderItem([&](QPainter &p, const QRect &r) { combo.DrawItem(p, r, 9, true); }, QSize(46, 17));
    QCOMPARE(QColor(selected.pixel(2, 8)), combo.palette().color(QPalette::Highlight));
    QCOMPARE(QColor(selected.pixel(20, 8)), kRed);
}

void DrawComboBoxTest::namedStyleDrawsANarrowSwatch()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    combo.SetShowStyle(TColorComboBoxEx::ssColorAndText);
    const QColor base = combo.palette().color(QPalette::Base);
    const QImage image =
        renderItem([&](QPainter &p, const QRect &r) { combo.DrawItem(p, r, 9, false); }, QSize(120, 17));
    QCOMPARE(QColor(image.pixel(25, 8)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(24, 8)), kRed);
    QCOMPARE(QColor(image.pixel(28, 8)), base);
    // The name is written from x = 34 on: some text pixels there, none
    // between the swatch and that point.
    bool text = false;
    for (int x = 34; x < 120 && !text; ++x)
        for (int y = 2; y < 17 && !text; ++y)
            text = QColor(image.pixel(x, y)) != base;
    QVERIFY(text);
    for (int x = 26; x < 33; ++x)
        for (int y = 0; y < 17; ++y)
            QCOMPARE(QColor(image.pixel(x, y)), base);
}

void DrawComboBoxTest::largerFontMakesNamedItemsTaller()
{
    TColorComboBoxEx plain(QStringLiteral("P"));
    TColorComboBoxEx named(QStringLiteral("N"));
    named.SetShowStyle(TColorComboBoxEx::ssColorAndText);
    named.SetColorValue(kNavy);
    QFont big = named.font();
    big.setPixelSize(40);
    plain.setFont(big);
    named.setFont(big);
    QCOMPARE(plain.ItemHeight(), 17);
    QCOMPARE(named.ItemHeight(), QFontMetrics(big).height() + 2);
    QVERIFY(named.ItemHeight() > 17);
    // The list was built again and the colour kept its item.
    QCOMPARE(named.count(), 16);
    QCOMPARE(named.currentIndex(), 4);
    QFont tiny = named.font();
    tiny.setPixelSize(2);
    named.setFont(tiny);
    QCOMPARE(named.ItemHeight(), std::max(9, QFontMetrics(tiny).height() + 2));
}

void DrawComboBoxTest::showStyleChangeRepaintsOnlyWhenDifferent()
{
    TColorComboBoxEx combo(QStringLiteral("C"));
    combo.SetShowStyle(TColorComboBoxEx::ssOnlyText);
    QCOMPARE(combo.ShowStyle(), TColorComboBoxEx::ssOnlyText);
    QVERIFY(combo.setProperty("ShowStyle", int(TColorComboBoxEx::ssColorAndText)));
    QCOMPARE(combo.ShowStyle(), TColorComboBoxEx::ssColorAndText);
    const QImage text =
        renderItem([&](QPainter &p, const QRect &r) { combo.DrawItem(p, r, 0, false); }, QSize(60, 17));
    QCOMPARE(QColor(text.pixel(4, 2)), QColor(Qt::black)); // the swatch frame is back
}

void DrawComboBoxTest::widthDefaults()
{
    TLineWidthComboBox combo(QStringLiteral("W"));
    QCOMPARE(combo.GetLineWidth(), 1);
    QCOMPARE(combo.MaxLineWidth(), 5);
    QCOMPARE(combo.count(), 5);
    QCOMPARE(combo.itemText(0), QStringLiteral("Ancho 1"));
    QCOMPARE(combo.itemText(4), QStringLiteral("Ancho 5"));
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(combo.ItemHeight(), 17);
    QCOMPARE(combo.height(), 23);
    QCOMPARE(combo.Color(), QColor(Qt::white));
}

void DrawComboBoxTest::widthOutsideTheListIsStoredWithoutSelection()
{
    TLineWidthComboBox combo(QStringLiteral("W"));
    combo.SetMaxLineWidth(30);
    QCOMPARE(combo.count(), 30);
    combo.SetLineWidth(20);
    QCOMPARE(combo.currentIndex(), 19);
    combo.SetLineWidth(40);
    QCOMPARE(combo.GetLineWidth(), 40);
    QCOMPARE(combo.currentIndex(), -1);
    combo.SetLineWidth(0);
    QCOMPARE(combo.GetLineWidth(), 0);
    QCOMPARE(combo.currentIndex(), -1);
}

void DrawComboBoxTest::shorterListKeepsTheWidth()
{
    TLineWidthComboBox combo(QStringLiteral("W"));
    combo.SetMaxLineWidth(30);
    combo.SetLineWidth(20);
    combo.SetMaxLineWidth(10);
    QCOMPARE(combo.GetLineWidth(), 20);
    QCOMPARE(combo.count(), 10);
    QCOMPARE(combo.currentIndex(), -1);
    combo.SetMaxLineWidth(25);
    QCOMPARE(combo.currentIndex(), 19);
}

void DrawComboBoxTest::userPickSetsTheWidthBeforeOnChange()
{
    TLineWidthComboBox combo(QStringLiteral("W"));
    combo.SetMaxLineWidth(30);
    combo.resize(65, 23);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    QList<int> seen;
    connect(&combo, &TLineWidthComboBox::OnChange, this, [&] { seen << combo.GetLineWidth(); });
    pickWithMouse(&combo, 6);
    QCOMPARE(seen, QList<int>({7}));
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(seen, QList<int>({7, 8}));
}

void DrawComboBoxTest::sampleLineIsShortenedAndCentred()
{
    TLineWidthComboBox combo(QStringLiteral("W"));
    combo.SetColor(QColor(0xFF, 0xFF, 0xC0));
    const QColor fill(0xFF, 0xFF, 0xC0);
    const QImage image =
        renderItem([&](QPainter &p, const QRect &r) { combo.DrawItem(p, r, 2, false); }, QSize(61, 17));
    // Box (4, 2) ... (56, 14), grey frame, filled with Color.
    QCOMPARE(QColor(image.pixel(4, 2)), kGrey);
    QCOMPARE(QColor(image.pixel(56, 14)), kGrey);
    QCOMPARE(QColor(image.pixel(5, 3)), fill);
    // A 3-pixel line at y 7 ... 9 from x = 9 to x = 52, round ends reaching
    // at most half the width beyond.
    for (int y = 7; y <= 9; ++y)
        QCOMPARE(QColor(image.pixel(30, y)), kGrey);
    QCOMPARE(QColor(image.pixel(30, 6)), fill);
    QCOMPARE(QColor(image.pixel(30, 10)), fill);
    QCOMPARE(QColor(image.pixel(10, 8)), kGrey);
    QCOMPARE(QColor(image.pixel(51, 8)), kGrey);
    QCOMPARE(QColor(image.pixel(6, 8)), fill);
    QCOMPARE(QColor(image.pixel(55, 8)), fill);
    // No smoothing: only the three colours of the drawing and the brush.
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 61; ++x) {
            const QColor c(image.pixel(x, y));
            QVERIFY(c == kGrey || c == fill || c == combo.palette().color(QPalette::Base));
        }
}

QTEST_MAIN(DrawComboBoxTest)
#include "DrawComboBoxTest.moc"

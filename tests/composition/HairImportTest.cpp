// Importing pictures as catalogue hairs: numbering, the write that happens
// whole or not at all, the face place, and the quality of every shipped
// sample hair imported back from a transparent PNG and from a backdrop.
#include "HairImport.h"

#include "FacePlaces.h"
#include "ImageFile.h"
#include "PictureImage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string folderOf(const QTemporaryDir &dir, const char *sub = "")
{
    const QString path = dir.path() + QLatin1Char('/') + QString::fromUtf8(sub);
    QDir().mkpath(path);
    return path.toStdString();
}

void touch(const std::string &path, const std::string &text = "x")
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int fileCount(const std::string &folder)
{
    return int(QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden).size());
}

// CIE76 distance of two sRGB colours.
void toLab(std::uint32_t rgb, double lab[3])
{
    double c[3];
    for (int k = 0; k < 3; ++k) {
        const double v = ((rgb >> (16 - 8 * k)) & 0xFF) / 255.0;
        c[k] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    }
    const double x = (0.4124 * c[0] + 0.3576 * c[1] + 0.1805 * c[2]) / 0.95047;
    const double y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
    const double z = (0.0193 * c[0] + 0.1192 * c[1] + 0.9505 * c[2]) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    lab[0] = 116 * f(y) - 16;
    lab[1] = 500 * (f(x) - f(y));
    lab[2] = 200 * (f(y) - f(z));
}

double deltaE(std::uint32_t a, std::uint32_t b)
{
    double la[3], lb[3];
    toLab(a, la);
    toLab(b, lb);
    return std::sqrt((la[0] - lb[0]) * (la[0] - lb[0]) + (la[1] - lb[1]) * (la[1] - lb[1]) +
                     (la[2] - lb[2]) * (la[2] - lb[2]));
}

struct Quality
{
    double maskDifference = 1; // share of the original's hair pixels
    double meanDeltaE = 99;
    int backdropInRing = -1;
};

// Imports `file` into a fresh folder and compares the hair with `original`
// (hair = pixels unlike its bottom-left one).
Quality importAndCompare(const QString &file, const Picture24 &original, std::uint32_t backdrop,
                         const std::string &folder)
{
    Quality q;
    Picture24 onBlack, onWhite;
    if (!HairImport::LoadSource(file.toStdString(), onBlack, onWhite))
        return q;
    HairCutout cutout;
    cutout.setSource(onBlack, onWhite.isNull() ? nullptr : &onWhite);
    const CutHair cut = cutout.finish(cutout.mask(HairCutout::kDefaultTolerance));
    const std::vector<std::uint8_t> gif = HairImport::EncodeHair(cut);
    const int number = HairImport::NextFreeNumber(folder);
    std::string written;
    if (!HairImport::Write(folder, number, gif, std::nullopt, &written).empty())
        return q;
    // Read back the way every hair is read.
    Picture24 imported;
    std::uint32_t unused = 0;
    if (!ImageFile::loadGif(written, imported, unused))
        return q;
    const std::uint32_t key = imported.pixel(0, imported.height() - 1);
    const std::uint32_t originalKey = original.pixel(0, original.height() - 1);
    // The cut keeps source pixels 1:1 (the samples are under 800 lines).
    const int dx = int(std::lround(cut.offsetX)), dy = int(std::lround(cut.offsetY));
    int originalHair = 0, differ = 0, ringBackdrop = 0, both = 0;
    double sum = 0;
    const auto importedHair = [&](int x, int y) {
        const int ix = x + dx, iy = y + dy;
        return ix >= 0 && iy >= 0 && ix < imported.width() && iy < imported.height() &&
               imported.pixel(ix, iy) != key;
    };
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const bool was = original.pixel(x, y) != originalKey;
            const bool is = importedHair(x, y);
            originalHair += was;
            differ += was != is;
            if (was && is) {
                sum += deltaE(original.pixel(x, y), imported.pixel(x + dx, y + dy));
                ++both;
            }
            if (is && !(importedHair(x - 1, y) && importedHair(x + 1, y) && importedHair(x, y - 1) &&
                        importedHair(x, y + 1)))
                ringBackdrop += imported.pixel(x + dx, y + dy) == backdrop;
        }
    // Hair the original does not have, beyond its borders.
    for (int y = 0; y < imported.height(); ++y)
        for (int x = 0; x < imported.width(); ++x) {
            const int ox = x - dx, oy = y - dy;
            if (imported.pixel(x, y) != key &&
                (ox < 0 || oy < 0 || ox >= original.width() || oy >= original.height()))
                ++differ;
        }
    q.maskDifference = double(differ) / std::max(1, originalHair);
    q.meanDeltaE = both ? sum / both : 99;
    q.backdropInRing = ringBackdrop;
    return q;
}

} // namespace

TEST(HairImportNumbering, FirstFreeNumberWithoutRegardToCase)
{
    QTemporaryDir dir;
    const std::string folder = folderOf(dir, "Curtos e Claros");
    EXPECT_EQ(HairImport::NextFreeNumber(folder), 1);
    EXPECT_EQ(HairImport::NextFreeNumber(folder + "/missing"), 1);
    touch(folder + "/1.GIF");
    touch(folder + "/2.gif");
    touch(folder + "/04.Gif");
    touch(folder + "/3.bmp");  // not a hair file
    touch(folder + "/x3.GIF"); // not a number
    touch(folder + "/Rostos.ini");
    EXPECT_EQ(HairImport::NextFreeNumber(folder), 3);
    touch(folder + "/3.GIF");
    EXPECT_EQ(HairImport::NextFreeNumber(folder), 5);

    // The second collection counts on its own.
    const std::string other = folderOf(dir, "Quenda42/Curtos e Claros");
    EXPECT_EQ(HairImport::NextFreeNumber(other), 1);
    EXPECT_EQ(HairImport::EntryPath(folder, "ROSTOS.INI"), folder + "/Rostos.ini");
    EXPECT_EQ(HairImport::EntryPath(folder, "Novo.ini"), folder + "/Novo.ini");
}

TEST(HairImportWrite, WritesTheHairAndItsFacePlace)
{
    QTemporaryDir dir;
    const std::string folder = folderOf(dir, "Masculinos");
    touch(folder + "/ROSTOS.INI", "[1]\nEsquerda=1\nTopo=2\nLargura=3\nAltura=4\n");
    const std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '7', 'a'};
    std::string written;
    EXPECT_EQ(HairImport::Write(folder, 2, gif, FaceRect{10, 20, 30, 40}, &written), "");
    EXPECT_EQ(written, folder + "/2.GIF");
    EXPECT_EQ(readAll(written), "GIF87a");
    const std::string faces = readAll(folder + "/ROSTOS.INI");
    EXPECT_EQ(FacePlaces::Find(faces, 2), (FaceRect{10, 20, 30, 40}));
    EXPECT_EQ(FacePlaces::Find(faces, 1), (FaceRect{1, 2, 3, 4}));
    // Without a face, no face file is made.
    const std::string plain = folderOf(dir, "Longos");
    EXPECT_EQ(HairImport::Write(plain, 1, gif, std::nullopt), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(plain + "/Rostos.ini")));
    EXPECT_EQ(fileCount(plain), 1);
}

TEST(HairImportWrite, BadTargetsLeaveNothingBehind)
{
    QTemporaryDir dir;
    const std::string folder = folderOf(dir, "Curtos");
    const std::vector<std::uint8_t> gif{'G', 'I', 'F'};

    // A file of that number appeared meanwhile (any capitals): refused, kept.
    touch(folder + "/3.gif", "old");
    EXPECT_EQ(HairImport::Write(folder, 3, gif, std::nullopt), HairImport::kNameClash);
    EXPECT_EQ(readAll(folder + "/3.gif"), "old");
    EXPECT_EQ(fileCount(folder), 1);

    // The folder is gone or is a file.
    EXPECT_EQ(HairImport::Write(folder + "/nope", 1, gif, std::nullopt), HairImport::kCannotWrite);
    touch(folder + "/plain");
    EXPECT_EQ(HairImport::Write(folder + "/plain", 1, gif, std::nullopt), HairImport::kCannotWrite);
    EXPECT_EQ(fileCount(folder), 2);

    // The face file cannot be replaced (a folder has its name): the hair
    // written a moment before is taken away again.
    QDir().mkpath(QString::fromStdString(folder + "/Rostos.ini/x"));
    EXPECT_EQ(HairImport::Write(folder, 4, gif, FaceRect{1, 1, 5, 5}), HairImport::kCannotWrite);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder + "/4.GIF")));
    EXPECT_EQ(fileCount(folder), 2);

    // Nothing to write.
    EXPECT_EQ(HairImport::Write(folder, 5, {}, std::nullopt), HairImport::kCannotWrite);
}

TEST(HairImportSource, UnreadableAndAllBackgroundPictures)
{
    QTemporaryDir dir;
    const std::string folder = folderOf(dir);
    touch(folder + "/broken.png", "not a picture");
    Picture24 black, white;
    EXPECT_FALSE(HairImport::LoadSource(folder + "/broken.png", black, white));
    EXPECT_FALSE(HairImport::LoadSource(folder + "/missing.jpg", black, white));
    EXPECT_TRUE(black.isNull());

    Picture24 plain(64, 48);
    plain.fill(30, 200, 90);
    ASSERT_TRUE(ImageFile::save(folder + "/plain.png", plain));
    ASSERT_TRUE(HairImport::LoadSource(folder + "/plain.png", black, white));
    HairCutout cutout;
    cutout.setSource(black, &white);
    EXPECT_TRUE(HairImport::EncodeHair(cutout.finish(cutout.mask(HairCutout::kDefaultTolerance))).empty());
}

TEST(HairImportSource, FaceOfTheSourceLandsInTheHairsPixels)
{
    Picture24 portrait;
    ASSERT_TRUE(ImageFile::load(QUENDA_TEST_PHOTOS "/grace_hopper.jpg", portrait));
    HairCutout cutout;
    cutout.setSource(portrait, nullptr);
    // The whole photo as the "hair": the mapping is then easy to check.
    std::vector<std::uint8_t> all(std::size_t(cutout.work().width()) * cutout.work().height(), 1);
    const CutHair cut = cutout.finish(all);
    const auto place = HairImport::FacePlace(portrait, cut);
    ASSERT_TRUE(place.has_value());
    const auto found = FaceDetector::Detect(portrait);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(place->x, found->face.x * cut.scale + cut.offsetX, 1e-9);
    EXPECT_NEAR(place->width, found->face.width * cut.scale, 1e-9);
    EXPECT_GT(place->x, 0);
    EXPECT_LT(place->x + place->width, cut.picture.width());
}

TEST(HairImportQuality, EverySampleHairComesBackFromPngAndBackdrop)
{
    QTemporaryDir dir;
    const std::string folder = folderOf(dir, "imported");
    int hairs = 0;
    double worstMask = 0, worstDeltaE = 0, sumDeltaE = 0;
    QDirIterator it(QStringLiteral(QUENDA_SALON_DIR "/Quenda5"), {QStringLiteral("*.GIF")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        Picture24 original;
        std::uint32_t unused = 0;
        ASSERT_TRUE(ImageFile::loadGif(path.toStdString(), original, unused)) << path.toStdString();
        const std::uint32_t key = original.pixel(0, original.height() - 1);
        const QImage source = PictureImage::ToQImage(original);

        // A PNG with transparency where the key was.
        QImage alpha = source.convertToFormat(QImage::Format_ARGB32);
        // On a plain backdrop of a colour no hair has.
        constexpr std::uint32_t kGreen = 0x00C000;
        QImage backdrop = source.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < alpha.height(); ++y)
            for (int x = 0; x < alpha.width(); ++x)
                if ((source.pixel(x, y) & 0xFFFFFF) == key) {
                    alpha.setPixel(x, y, 0);
                    backdrop.setPixel(x, y, 0xFF000000 | kGreen);
                }
        const QString png = dir.path() + QStringLiteral("/a.png"), bg = dir.path() + QStringLiteral("/b.png");
        ASSERT_TRUE(alpha.save(png) && backdrop.save(bg));

        for (const auto &[file, old] : {std::pair{png, key}, std::pair{bg, kGreen}}) {
            const Quality q = importAndCompare(file, original, old, folder);
            SCOPED_TRACE(path.toStdString() + (file == png ? " (png)" : " (backdrop)"));
            EXPECT_LE(q.maskDifference, 0.01);
            EXPECT_LE(q.meanDeltaE, 3.0);
            EXPECT_EQ(q.backdropInRing, 0);
            worstMask = std::max(worstMask, q.maskDifference);
            worstDeltaE = std::max(worstDeltaE, q.meanDeltaE);
            sumDeltaE += q.meanDeltaE;
            ++hairs;
        }
    }
    EXPECT_GE(hairs, 2 * 7);
    std::printf("imports %d: worst mask difference %.3f %%, worst mean dE %.2f, mean of means %.2f\n", hairs,
                100 * worstMask, worstDeltaE, sumDeltaE / std::max(1, hairs));
}

#include "controls/skin_cache.h"
#include "controls/skin_draw.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quorix::controls;

TEST(SkinCache, HoldsEveryImageWithAVisibleRole)
{
    const SkinCache& cache = SkinCache::instance();
    const int required[] = {101, 102, 103, 104, 107, 108, 112, 113, 129, 134, 135, 136, 137, 140, 141, 150,
                            151, 152, 153, 157, 158, 175, 182, 188, 195, 218, 219, 220, 221, 224, 225, 226,
                            227, 228, 229, 240, 247, 253, 259, 269, 270, 271, 272, 273, 274, 275, 276, 277,
                            279, 280, 285, 286, 291, 294, 295, 296, 299, 300, 302, 303, 308, 311, 312, 313,
                            316, 317, 318, 324, 325, 341, 342, 358, 359, 361, 362, 363, 372, 374, 377, 380,
                            381, 382, 383, 384, 385, 387, 388, 389, 392, 393, 394};
    for (int id : required)
        EXPECT_FALSE(cache.size(id).isEmpty()) << id;
    for (int id = 229; id <= 250; ++id) // the preset names, grey and blue sets
        EXPECT_FALSE(cache.size(id).isEmpty()) << id;
    EXPECT_EQ(cache.size(303), QSize(969, 316));
    EXPECT_EQ(cache.size(113), QSize(40, 181));
    EXPECT_EQ(cache.size(374), QSize(40, 216));
    EXPECT_EQ(cache.size(104), QSize(59, 177));
    EXPECT_EQ(cache.image(113, 2.0)->size(), QSize(80, 362)); // the high-DPI copy
}

TEST(SkinDraw, MissingImagesDrawNothingAndFullTurnsDrawUnrotated)
{
    QImage canvas(120, 120, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    DrawSkinImage(p, 450, 0, 0);
    DrawSkinImage(p, 42, 0, 0);
    p.end();
    EXPECT_EQ(canvas.pixelColor(5, 5).alpha(), 0);

    QImage straight(120, 120, QImage::Format_ARGB32_Premultiplied);
    QImage turned(120, 120, QImage::Format_ARGB32_Premultiplied);
    straight.fill(Qt::transparent);
    turned.fill(Qt::transparent);
    QPainter a(&straight);
    DrawSkinImage(a, 182, 0, 0);
    a.end();
    QPainter b(&turned);
    DrawSkinImage(b, 182, 0, 0, 360);
    b.end();
    EXPECT_EQ(straight, turned);
}

TEST(SkinDraw, TextIsCentredInItsField)
{
    // "7" in a field of 2 starts 3 pixels right of x.
    QImage shifted(60, 30, QImage::Format_ARGB32_Premultiplied);
    QImage plain(60, 30, QImage::Format_ARGB32_Premultiplied);
    shifted.fill(Qt::black);
    plain.fill(Qt::black);
    QPainter a(&shifted);
    DrawSkinText(a, "7", Qt::white, "10,6", 2, 12);
    a.end();
    QPainter b(&plain);
    DrawSkinText(b, "7", Qt::white, "13,6", 0, 12);
    b.end();
    EXPECT_EQ(shifted, plain);
}

// Pixels inside the button's edge that stand out from its face: the drawn letter.
static int LetterPixels(const QImage& image, int* brightest)
{
    const QColor face = image.pixelColor(3, image.height() - 4);
    int count = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x) {
            const int lightness = image.pixelColor(x, y).lightness();
            if (lightness > face.lightness() + 40) {
                ++count;
                *brightest = std::max(*brightest, lightness);
            }
        }
    return count;
}

TEST(SkinImages, AGreyedBandShapeShowsItsLetterGreyed)
{
    const SkinCache& cache = SkinCache::instance();
    for (int shape = 0; shape < 3; ++shape) {
        int greyed = 0;
        int selected = 0;
        EXPECT_GT(LetterPixels(*cache.image(300 + shape), &greyed), 6) << shape;
        EXPECT_GT(LetterPixels(*cache.image(129 + 2 * shape), &selected), 6) << shape;
        EXPECT_LT(greyed, selected - 40) << shape; // dimmer than the selected button's letter
    }
}

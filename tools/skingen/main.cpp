// Draws the console's skin set: every image at its size as NNN.png and at twice
// the size as NNN@2x.png, plus README.md listing each id with its role and size.
// With --icons it draws the application icon as an icon theme instead.
//   skingen OUTPUT_FOLDER
//   skingen --icons OUTPUT_FOLDER
#include "icon_files.h"
#include "skin_catalog.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

QImage Render(const skingen::SkinEntry& entry, int scale)
{
    QImage image(entry.width * scale, entry.height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    entry.paint(p, QRectF(0, 0, entry.width, entry.height));
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool icons = argc == 3 && QByteArray(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: skingen OUTPUT_FOLDER\n       skingen --icons OUTPUT_FOLDER\n");
        return 2;
    }
    const char* folder = argv[argc - 1];
    const QDir out(QString::fromLocal8Bit(folder));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", folder);
        return 1;
    }
    if (icons) {
        if (!skingen::WriteIconTheme(skingen::AppIcon(), out, QStringLiteral("quorix-console"))) {
            std::fprintf(stderr, "cannot write the icons into %s\n", folder);
            return 1;
        }
        return 0;
    }
    auto catalog = skingen::SkinCatalog();
    std::sort(catalog.begin(), catalog.end(), [](const auto& a, const auto& b) { return a.id < b.id; });

    QFile readme(out.filePath("README.md"));
    if (!readme.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write README.md\n");
        return 1;
    }
    QTextStream list(&readme);
    list << "# Skin set\n\n"
         << "Every image the controls, the graph and the windows draw, addressed by id. `NNN.png` is the image at its\n"
         << "size in logical pixels, `NNN@2x.png` the same at twice the size for high-DPI screens. The set is drawn\n"
         << "by `tools/skingen` (`build/tools/skingen/skingen skin`), and a test checks that these files are exactly\n"
         << "what it draws: a new look is drawn there and the set redrawn. An id without a file draws nothing.\n\n"
         << "| id | size | role |\n|---|---|---|\n";
    for (const auto& entry : catalog) {
        const QString name = QString::number(entry.id);
        if (!Render(entry, 1).save(out.filePath(name + ".png")) ||
            !Render(entry, 2).save(out.filePath(name + "@2x.png"))) {
            std::fprintf(stderr, "cannot write image %d\n", entry.id);
            return 1;
        }
        list << "| " << entry.id << " | " << entry.width << " × " << entry.height << " | " << entry.role << " |\n";
    }
    std::printf("%zu images written\n", catalog.size());
    return 0;
}

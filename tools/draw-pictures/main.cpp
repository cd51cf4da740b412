// Draws the game's pictures and writes them under resources/, or with --check compares what it
// draws with what is there.
//
//   draw-pictures [--check] [--fonts DIR] RESOURCES_DIR

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <exception>
#include <map>
#include <vector>

#include "drawings.h"
#include "writers.h"

namespace {

using namespace drawpictures;

// Every generated file, by its path under resources/.
std::map<QString, QByteArray> drawEverything(const Fonts& fonts) {
    std::map<QString, QByteArray> files;
    constexpr int kJpegQuality = 92;

    for (int value = 1; value <= 10; ++value) {
        const QString name = "bitmaps/" + QString::number(value);
        files[name + ".bmp"] = bitmapFile(drawBall(value, 1, fonts), BitmapTail::FourZeros);
        files[name + "@2x.png"] = encoded(drawBall(value, 2, fonts), "png");
    }
    // The web page's markers also come as one picture, 100 at the top to 600 at the bottom, so
    // that its start view asks for two pictures (these and the rack) rather than seven.
    std::vector<QImage> largeMarkers;
    for (int points = 100; points <= 600; points += 100) {
        const QString name = "bitmaps/" + QString::number(points);
        largeMarkers.push_back(drawMarker(points, 2, fonts));
        files[name + ".bmp"] = bitmapFile(drawMarker(points, 1, fonts), BitmapTail::FourZeros);
        files[name + "@2x.png"] = encoded(largeMarkers.back(), "png");
    }
    const QSize markerSize = largeMarkers.front().size();
    QImage markers(markerSize.width(), markerSize.height() * static_cast<int>(largeMarkers.size()),
                   QImage::Format_ARGB32);
    QPainter stacker(&markers);
    for (std::size_t i = 0; i < largeMarkers.size(); ++i) {
        stacker.drawImage(0, static_cast<int>(i) * markerSize.height(), largeMarkers[i]);
    }
    stacker.end();
    files["bitmaps/markers@2x.png"] = encoded(markers, "png");
    files["bitmaps/601.bmp"] = bitmapFile(drawRack(1), BitmapTail::FourZeros);
    files["bitmaps/601@2x.png"] = encoded(drawRack(2), "png");

    const QImage title = drawTitle(1, fonts);
    const QImage largeTitle = drawTitle(2, fonts);
    files["pictures/title.jpg"] = encoded(title, "jpg", kJpegQuality);
    files["pictures/title.bmp"] = bitmapFile(title, BitmapTail::None);
    files["pictures/title@2x.jpg"] = encoded(largeTitle, "jpg", kJpegQuality);
    // The web page's help windows never show more than the top of the title picture: About's
    // client area is 299 rows high, Rules' text box covers it from row 296 down, and About's Ok
    // button shows a piece of the middle, above row 250. The page ships just the top 300 rows,
    // at a quality meant for a screen rather than for keeping.
    constexpr int kPageTitleRows = 300;
    constexpr int kPageJpegQuality = 80;
    for (const auto& [image, name] : {std::pair{&title, "pictures/title-top.jpg"},
                                      std::pair{&largeTitle, "pictures/title-top@2x.jpg"}}) {
        const int scale = image->width() / title.width();
        files[name] = encoded(image->copy(0, 0, image->width(), kPageTitleRows * scale), "jpg",
                              kPageJpegQuality);
    }

    const IconPixels icon = drawIcon();
    files["zentrix.ico"] = iconFile(icon);
    files["pictures/icon.png"] = encoded(iconImage(icon), "png");
    files["pictures/icon@2x.png"] = encoded(drawIconLarge(fonts), "png");
    for (const int size : kThemeIconSizes) {
        files["icons/" + QString::number(size) + ".png"] =
            encoded(drawThemeIcon(size, fonts), "png");
    }
    return files;
}

int writeAll(const QString& root, const std::map<QString, QByteArray>& files) {
    for (const auto& [name, bytes] : files) {
        const QString path = root + "/" + name;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("wrote %zu pictures under %s\n", files.size(), qPrintable(root));
    return 0;
}

int checkAll(const QString& root, const std::map<QString, QByteArray>& files) {
    int stale = 0;
    for (const auto& [name, bytes] : files) {
        QFile file(root + "/" + name);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes) {
            std::fprintf(stderr, "out of date: %s\n", qPrintable(name));
            ++stale;
        }
    }
    if (stale > 0) {
        std::fprintf(stderr, "%d of %zu pictures differ; run the update-pictures target\n", stale,
                     files.size());
        return 1;
    }
    std::printf("all %zu pictures are up to date\n", files.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, but nothing here opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    bool check = false;
    QString fontDir;
    QString root;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--check") {
            check = true;
        } else if (args[i] == "--fonts" && i + 1 < args.size()) {
            fontDir = args[++i];
        } else if (root.isEmpty() && !args[i].startsWith("-")) {
            root = args[i];
        } else {
            root.clear();
            break;
        }
    }
    if (root.isEmpty()) {
        std::fprintf(stderr, "usage: draw-pictures [--check] [--fonts DIR] RESOURCES_DIR\n");
        return 2;
    }

    try {
        const auto files = drawEverything(Fonts::load(fontDir));
        return check ? checkAll(root, files) : writeAll(root, files);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "draw-pictures: %s\n", error.what());
        return 1;
    }
}

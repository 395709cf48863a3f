#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

// Builds small JPEG and GIF files with the libraries' own encoders, so the
// decoder tests need no binary fixtures.
namespace PictureWriter {

enum class JpegKind { Rgb, Gray, Progressive, AdobeCmyk };

QByteArray jpeg(const QImage& image, JpegKind kind = JpegKind::Rgb, int quality = 95);

struct GifFrame
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    std::vector<QColor> localMap;   // empty: use the global map
    int transparentIndex = -1;      // -1: no graphics control block
    std::vector<unsigned char> pixels; // width * height indexes, top row first
};

// Writes a GIF89a; the frames' rows are reordered for interlaced frames.
bool gif(const QString& fileName, int screenWidth, int screenHeight,
         const std::vector<QColor>& globalMap, const std::vector<GifFrame>& frames);

QByteArray readAll(const QString& fileName);
bool writeAll(const QString& fileName, const QByteArray& data);

} // namespace PictureWriter

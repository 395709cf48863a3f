#include "PreviewSnapshot.h"

#include "AppletAgent.h"

#include <QFileInfo>

#include <QDir>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

namespace kzt::snapshot {

QRect changedArea(const QImage& a, const QImage& b, const QRect& within)
{
    if (a.size() != b.size())
        return {};
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    const QRect area = within.intersected(x.rect());
    int left = area.right() + 1, top = area.bottom() + 1, right = area.left() - 1, bottom = area.top() - 1;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = area.left(); col <= area.right(); ++col) {
            if (qRed(p[col]) == qRed(q[col]) && qGreen(p[col]) == qGreen(q[col]) && qBlue(p[col]) == qBlue(q[col]))
                continue;
            left = std::min(left, col);
            right = std::max(right, col);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QJsonValue boxJson(const QRect& rect)
{
    if (rect.isEmpty())
        return QJsonValue::Null;
    return QJsonArray{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

bool writeSnapshot(const QString& folder, const QImage& picture, const QJsonObject& geometry)
{
    const QDir dir(folder);
    QSaveFile png(dir.filePath(QStringLiteral("preview.png")));
    if (!png.open(QIODevice::WriteOnly) || !picture.save(&png, "PNG") || !png.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(png.fileName()));
        return false;
    }
    return writeFile(dir.filePath(QStringLiteral("preview.json")), QJsonDocument(geometry).toJson());
}

void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

std::unique_ptr<TkztAppletAgent> openStaged(const ProductProfile& product, const char* projectArg,
                                            const char* outputArg)
{
    const QFileInfo project(QString::fromLocal8Bit(projectArg));
    const QDir output(QFileInfo(QString::fromLocal8Bit(outputArg)).absoluteFilePath());
    if (!output.mkpath(QStringLiteral("staged"))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(output.filePath(QStringLiteral("staged"))));
        return nullptr;
    }
    AppPaths paths;
    paths.previewDir = output.filePath(QStringLiteral("staged")).toStdString();
    auto agent = std::make_unique<TkztAppletAgent>(product, paths);
    const Status status = agent->ReadProjectFile(project.absoluteFilePath().toStdString());
    if (!status) {
        std::fprintf(stderr, "%s\n", status.message().c_str());
        return nullptr;
    }
    agent->CopyImagesToPreview(project.absolutePath().toStdString());
    for (const std::string& note : agent->CopyNotes)
        std::fprintf(stderr, "%s\n", note.c_str());
    return agent;
}

} // namespace kzt::snapshot

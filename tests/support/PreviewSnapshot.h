#pragma once

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QRect>
#include <QString>

#include <memory>

namespace kzt {
class ProductProfile;
class TkztAppletAgent;
}

// What the native preview snapshot tools share: the area where two pictures
// of the same window differ, and the picture with its geometry written out
// as "preview.png" and "preview.json" in a folder.
namespace kzt::snapshot {

// The smallest rectangle inside `within` that holds every pixel whose colour
// differs between a and b (both the same size); empty when none does.
QRect changedArea(const QImage& a, const QImage& b, const QRect& within);

// [left, top, right, bottom], right and bottom exclusive; null for an empty
// rectangle.
QJsonValue boxJson(const QRect& rect);

// Writes both files, each through a temporary file in the folder; false with
// a message on stderr when either cannot be written.
bool writeSnapshot(const QString& folder, const QImage& picture, const QJsonObject& geometry);

// Opens the project into an agent of the product, its pictures staged in
// OUTPUT/staged (made here), as the editor stages them; null with the reason
// on stderr. Staging notes go to stderr too.
std::unique_ptr<TkztAppletAgent> openStaged(const ProductProfile& product, const char* projectArg,
                                            const char* outputArg);

// Lets the tools run without a display: the offscreen platform unless one is
// named. Call before the application is made.
void preferOffscreen();

} // namespace kzt::snapshot

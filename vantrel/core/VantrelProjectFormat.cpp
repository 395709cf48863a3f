#include "vantrel/core/VantrelProjectFormat.h"

#include "ProductProfile.h"
#include "vantrel/core/VantrelFields.h"

namespace vantrel {

namespace {

constexpr std::size_t kOldAppletFieldCount = 62;
constexpr std::size_t kOldItemFieldCount = 71;
// An old state block lacks the transparency flag, its last field.
constexpr std::size_t kOldStateFieldCount = StateFieldCount - 1;

} // namespace

const VantrelProjectFormat& VantrelProjectFormat::instance()
{
    static const VantrelProjectFormat format;
    return format;
}

bool VantrelProjectFormat::isOldLayout(const std::string& version)
{
    return version == "1.0" || version == "1.1" || version == "1.11";
}

kzt::TStringArray VantrelProjectFormat::migrateOldApplet(kzt::TStringArray values)
{
    values.resize(kOldAppletFieldCount);
    kzt::TStringArray fields(AppletFieldCount);
    for (std::size_t i = 0; i < VSBScrollAuto; ++i)
        fields[i] = std::move(values[i]);
    fields[VSBScrollAuto].assign(1, '1');
    fields[OpenOneSubMenuOnly].assign(1, '1');
    for (std::size_t i = VSBScrollAuto; i < kOldAppletFieldCount; ++i)
        fields[i + 2] = std::move(values[i]);
    return fields;
}

kzt::TStringArray VantrelProjectFormat::migrateOldItem(const kzt::TStringArray& values)
{
    kzt::TStringArray fields(ItemFieldCount);
    auto value = [&](std::size_t i) { return i < values.size() ? values[i] : std::string(); };
    for (std::size_t state = 0; state < 3; ++state) {
        for (std::size_t k = 0; k < kOldStateFieldCount; ++k)
            fields[state * StateFieldCount + k] = value(state * kOldStateFieldCount + k);
        fields[state * StateFieldCount + BgImgTransparent].assign(1, '0');
    }
    const std::size_t oldCommon = 3 * kOldStateFieldCount;
    for (std::size_t i = 0; i < ItemFieldCount - kLookFieldCount; ++i)
        fields[kLookFieldCount + i] = value(oldCommon + i);
    static_assert(3 * kOldStateFieldCount + ItemFieldCount - kLookFieldCount == kOldItemFieldCount);
    return fields;
}

kzt::Status VantrelProjectFormat::migrate(const std::string& version, kzt::TStringArray& applet,
                                          std::vector<kzt::TStringArray>& items, const kzt::ProductInfo& info) const
{
    if (!isOldLayout(version))
        return ProjectFileFormat::migrate(version, applet, items, info);
    applet = migrateOldApplet(std::move(applet));
    for (kzt::TStringArray& item : items)
        item = migrateOldItem(item);
    return kzt::Status::success();
}

} // namespace vantrel

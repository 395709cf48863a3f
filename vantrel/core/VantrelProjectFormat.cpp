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

void VantrelProjectFormat::migrateOldApplet(FieldViews& values)
{
    values.resize(kOldAppletFieldCount);
    FieldViews fields(AppletFieldCount);
    for (std::size_t i = 0; i < VSBScrollAuto; ++i)
        fields[i] = values[i];
    fields[VSBScrollAuto] = "1";
    fields[OpenOneSubMenuOnly] = "1";
    for (std::size_t i = VSBScrollAuto; i < kOldAppletFieldCount; ++i)
        fields[i + 2] = values[i];
    values = std::move(fields);
}

void VantrelProjectFormat::migrateOldItem(FieldViews& values)
{
    FieldViews fields(ItemFieldCount);
    auto value = [&](std::size_t i) { return i < values.size() ? values[i] : std::string_view(); };
    for (std::size_t state = 0; state < 3; ++state) {
        for (std::size_t k = 0; k < kOldStateFieldCount; ++k)
            fields[state * StateFieldCount + k] = value(state * kOldStateFieldCount + k);
        fields[state * StateFieldCount + BgImgTransparent] = "0";
    }
    const std::size_t oldCommon = 3 * kOldStateFieldCount;
    for (std::size_t i = 0; i < ItemFieldCount - kLookFieldCount; ++i)
        fields[kLookFieldCount + i] = value(oldCommon + i);
    static_assert(3 * kOldStateFieldCount + ItemFieldCount - kLookFieldCount == kOldItemFieldCount);
    values = std::move(fields);
}

kzt::Status VantrelProjectFormat::migrateApplet(const std::string& version, FieldViews& fields,
                                                const kzt::ProductInfo& info) const
{
    if (!isOldLayout(version))
        return ProjectFileFormat::migrateApplet(version, fields, info);
    migrateOldApplet(fields);
    return kzt::Status::success();
}

kzt::Status VantrelProjectFormat::migrateItem(const std::string& version, FieldViews& fields,
                                              const kzt::ProductInfo& info) const
{
    if (!isOldLayout(version))
        return ProjectFileFormat::migrateItem(version, fields, info);
    migrateOldItem(fields);
    return kzt::Status::success();
}

} // namespace vantrel

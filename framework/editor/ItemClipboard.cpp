#include "ItemClipboard.h"

#include "AppletAgent.h"
#include "TreeNode.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace kzt {

namespace {

constexpr qint32 kFormatVersion = 1;
const QString kPreviewFolderType = QStringLiteral("application/x-kzt-preview-folder");

// The pasted bytes as the target document stores text.
std::optional<std::string> inEncoding(std::string_view bytes, TextEncoding encoding)
{
    if (IsAscii(bytes))
        return std::string(bytes);
    return Utf8ToField(FieldToUtf8(bytes), encoding);
}

} // namespace

QString ItemClipboard::mimeType(const TkztAppletAgent& agent)
{
    return QStringLiteral("application/x-%1-items").arg(QString::fromStdString(agent.info().executableName));
}

QString ItemClipboard::structureMimeType()
{
    return QStringLiteral("application/x-kzt-menu-structure");
}

QMimeData* ItemClipboard::copy(const TkztAppletAgent& agent, const TreeNode* node,
                               const std::optional<MenuStructureMapping>& mapping)
{
    const TItemArray records = agent.CopySubtree(node);
    const std::vector<int> levels = agent.SubtreeRelativeLevels(node);
    if (records.empty() || records.size() != levels.size())
        return nullptr;
    auto* data = new QMimeData;
    QByteArray own;
    QDataStream out(&own, QIODevice::WriteOnly);
    out << kFormatVersion << quint32(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        out << qint32(levels[i]) << quint32(records[i].size());
        for (std::size_t f = 0; f < records[i].size(); ++f) {
            const std::string_view value = records[i].get(f);
            out << QByteArray(value.data(), static_cast<qsizetype>(value.size()));
        }
    }
    data->setData(mimeType(agent), own);
    const std::string folder = agent.paths().previewDir.string();
    data->setData(kPreviewFolderType, QByteArray(folder.data(), static_cast<qsizetype>(folder.size())));
    if (mapping) {
        // A document of the copied items alone, written as Export writes it.
        TkztAppletAgent scratch(agent.product(), agent.paths());
        scratch.Items = records;
        for (std::size_t i = 0; i < levels.size(); ++i)
            scratch.Items[i].set(agent.info().levelField, std::to_string(levels[i]));
        std::string text;
        if (scratch.RebuildTreeFromLevels() && StructureFileFormat::render(scratch, *mapping, text)) {
            const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
            data->setData(structureMimeType(), bytes);
            data->setText(QString::fromStdString(FieldToUtf8(text)));
        }
    }
    return data;
}

std::optional<ItemClipboard::Items> ItemClipboard::read(const QMimeData* data, const TkztAppletAgent& agent,
                                                        const std::optional<MenuStructureMapping>& mapping,
                                                        TextEncoding encoding, QString* refusal)
{
    if (!data)
        return std::nullopt;
    Items items;
    if (data->hasFormat(mimeType(agent))) {
        QByteArray own = data->data(mimeType(agent));
        QDataStream in(&own, QIODevice::ReadOnly);
        qint32 version = 0;
        quint32 count = 0;
        in >> version >> count;
        if (version != kFormatVersion)
            return std::nullopt;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            qint32 level = 0;
            quint32 fields = 0;
            in >> level >> fields;
            // A damaged clipboard must not make us allocate without bound.
            if (fields > 4096)
                return std::nullopt;
            TStringArray values;
            for (quint32 f = 0; f < fields && in.status() == QDataStream::Ok; ++f) {
                QByteArray value;
                in >> value;
                values.emplace_back(value.constData(), static_cast<std::size_t>(value.size()));
            }
            items.records.emplace_back(values);
            items.relativeLevels.push_back(level);
        }
        if (in.status() != QDataStream::Ok)
            return std::nullopt;
    } else if (mapping && data->hasFormat(structureMimeType())) {
        const QByteArray text = data->data(structureMimeType());
        TkztAppletAgent scratch(agent.product(), agent.paths());
        if (!StructureFileFormat::importText(scratch, *mapping, std::string(text.constData(), text.size())))
            return std::nullopt;
        const auto& order = scratch.tree().order();
        for (std::size_t k = 1; k < order.size(); ++k)
            items.relativeLevels.push_back(scratch.tree().level(order[k]));
        items.records = std::move(scratch.Items);
    } else {
        return std::nullopt;
    }
    if (items.records.empty())
        return std::nullopt;
    for (TItemData& record : items.records) {
        for (std::size_t f = 0; f < record.size(); ++f) {
            const auto value = inEncoding(record.get(f), encoding);
            if (!value) {
                if (refusal)
                    *refusal = QStringLiteral("The items hold characters that the project's text encoding (%1) "
                                              "cannot store. Convert the text of the project to UTF-8 first.")
                                   .arg(QString::fromLatin1(EncodingName(encoding)));
                return std::nullopt;
            }
            record.set(f, *value);
        }
    }
    const QByteArray folder = data->data(kPreviewFolderType);
    items.sourcePreviewDir = std::string(folder.constData(), static_cast<std::size_t>(folder.size()));
    return items;
}

} // namespace kzt

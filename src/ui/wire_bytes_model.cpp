#include "ui/wire_bytes_model.h"

#include "common/ascii.h"
#include "ui/core_text.h"
#include "ui/latin1_text.h"
#include "ui/plain_text.h"

namespace zelvar {
namespace {

constexpr int kRows = (kWireSize + WireBytesModel::kColumns - 1) / WireBytesModel::kColumns;

int blockOf(std::size_t byte) {
    return byte < kFrameSize ? 1 : 2;
}

WirePart framingPart(std::size_t byte) {
    const std::size_t inFrame = byte % kFrameSize;
    if (inFrame < kBlockHeader.size())
        return WirePart::LeadIn;
    return inFrame == kFrameSize - 1 ? WirePart::Checksum : WirePart::Setting;
}

}  // namespace

WireBytesModel::WireBytesModel(QObject* parent) : QAbstractTableModel(parent) {}

void WireBytesModel::show(const WireBytes& wire, const std::vector<WireRange>& ranges) {
    ranges_ = ranges;
    // A keystroke changes a few bytes and a checksum; only their cells are painted again.
    for (std::size_t byte = 0; byte < kWireSize; ++byte) {
        if (wire_[byte] != wire[byte]) {
            wire_[byte] = wire[byte];
            emit dataChanged(cell(byte), cell(byte));
        }
    }
}

QModelIndex WireBytesModel::cell(std::size_t byte) const {
    return index(static_cast<int>(byte) / kColumns, static_cast<int>(byte) % kColumns);
}

QColor WireBytesModel::colourOf(WirePart part, int block) {
    switch (part) {
        case WirePart::LeadIn:
            return {190, 190, 190};
        case WirePart::Checksum:
            return {255, 190, 110};
        case WirePart::Setting:
            break;
    }
    return block == 1 ? QColor(255, 248, 210) : QColor(215, 232, 255);
}

int WireBytesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRows;
}

int WireBytesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

std::size_t WireBytesModel::byteAt(const QModelIndex& index) const {
    const auto byte = static_cast<std::size_t>(index.row()) * std::size_t{kColumns} +
                      static_cast<std::size_t>(index.column());
    return index.isValid() && byte < kWireSize ? byte : kWireSize;
}

QString WireBytesModel::rangesHolding(std::size_t byte) const {
    QString text = shown(ShownText::ByteTip).arg(byte).arg(blockOf(byte));
    for (const WireRange& range : ranges_) {
        if (byte >= range.first && byte < range.first + range.size)
            text += QStringLiteral("\n") +
                    shown(ShownText::RangeTip).arg(fromUtf8(range.name), fromUtf8(range.meaning));
    }
    return text;
}

QVariant WireBytesModel::data(const QModelIndex& index, int role) const {
    const std::size_t byte = byteAt(index);
    if (byte == kWireSize)
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return fromLatin1(hexByte(wire_[byte]));
        case Qt::ToolTipRole:
            return plainToolTip(rangesHolding(byte));
        case Qt::AccessibleDescriptionRole:
            return rangesHolding(byte);
        case Qt::BackgroundRole:
            return colourOf(framingPart(byte), blockOf(byte));
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        case Qt::TextAlignmentRole:
            return Qt::AlignCenter;
        default:
            return {};
    }
}

QVariant WireBytesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // Rows by the wire index of their first byte, columns by the offset within the row.
    return orientation == Qt::Vertical ? QString::number(section * kColumns)
                                       : QStringLiteral("+%1").arg(section);
}

Qt::ItemFlags WireBytesModel::flags(const QModelIndex& index) const {
    return byteAt(index) == kWireSize ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace zelvar

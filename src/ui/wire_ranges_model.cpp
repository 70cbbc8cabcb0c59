#include "ui/wire_ranges_model.h"

#include "ui/core_text.h"
#include "ui/latin1_text.h"
#include "ui/plain_text.h"

namespace zelvar {

WireRangesModel::WireRangesModel(QObject* parent) : QAbstractTableModel(parent) {}

void WireRangesModel::show(const std::vector<WireRange>& ranges) {
    // The same rows with new values keep the view's selection and scroll position, and only
    // the rows that changed are painted again.
    if (ranges.size() == ranges_.size()) {
        for (std::size_t row = 0; row < ranges.size(); ++row) {
            if (ranges_[row] != ranges[row]) {
                ranges_[row] = ranges[row];
                const int at = static_cast<int>(row);
                emit dataChanged(index(at, 0), index(at, kColumnCount - 1));
            }
        }
        return;
    }
    beginResetModel();
    ranges_ = ranges;
    endResetModel();
}

int WireRangesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ranges_.size());
}

int WireRangesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant WireRangesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const WireRange& r = range(index.row());
    QString text;
    switch (index.column()) {
        case Bytes:
            text = r.size == 1 ? QString::number(r.first)
                               : QStringLiteral("%1..%2").arg(r.first).arg(r.first + r.size - 1);
            break;
        case Holds:
            text = fromUtf8(r.name);
            break;
        default:
            text = fromUtf8(r.meaning);
    }
    return role == Qt::ToolTipRole ? plainToolTip(text) : text;
}

QVariant WireRangesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
        case Bytes:
            return shown(ShownText::RangeBytes);
        case Holds:
            return shown(ShownText::RangeHolds);
        default:
            return shown(ShownText::RangeMeaning);
    }
}

}  // namespace zelvar

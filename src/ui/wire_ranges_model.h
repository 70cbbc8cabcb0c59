#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "transfer/wire_annotation.h"

namespace zelvar {

// One row per run of wire bytes: where it lies, what it holds and how the tracker reads it
// ("2", "TX delay", "200 ms (30 flags)").
class WireRangesModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { Bytes, Holds, Value, kColumnCount };

    explicit WireRangesModel(QObject* parent);

    void show(const std::vector<WireRange>& ranges);
    const WireRange& range(int row) const { return ranges_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<WireRange> ranges_;
};

}  // namespace zelvar

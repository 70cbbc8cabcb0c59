#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

#include "transfer/block_framing.h"
#include "transfer/wire_annotation.h"

namespace zelvar {

// The wire bytes as a hex table, 16 to a row, each byte coloured by what carries it (a lead-in,
// a checksum, the data of block 1 or of block 2), with every range it lies in as its tip.
class WireBytesModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kColumns = 16;

    explicit WireBytesModel(QObject* parent);

    void show(const WireBytes& wire, const std::vector<WireRange>& ranges);

    // The cell that shows wire byte `index`.
    QModelIndex cell(std::size_t index) const;
    // The background of a byte of `part` in `block` (1 or 2), also for the legend.
    static QColor colourOf(WirePart part, int block);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    // The wire index a cell shows, or kWireSize past the last byte.
    std::size_t byteAt(const QModelIndex& index) const;
    QString rangesHolding(std::size_t byte) const;

    WireBytes wire_{};
    std::vector<WireRange> ranges_;
};

}  // namespace zelvar

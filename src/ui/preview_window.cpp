#include "ui/preview_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "cfg/cfg_encoding.h"
#include "config/advice.h"
#include "config/aprs_symbols.h"
#include "text/translation.h"
#include "ui/core_text.h"
#include "ui/latin1_text.h"
#include "ui/wire_bytes_model.h"
#include "ui/wire_ranges_model.h"

namespace zelvar {
namespace {

constexpr int kGapToOwner = 8;
constexpr int kCellPadding = 10;
constexpr int kRangesWidth = 520;
constexpr int kRoomBelowBytes = 180;
constexpr int kRangesMinimumCharacters = 12;
constexpr int kAdviceRows = 4;
constexpr int kAdviceMostRows = 7;
constexpr int kFieldRole = Qt::UserRole;

// A screen reader reads the text itself as the label's name; `part` says what the text is.
QLabel* textLabel(QWidget* parent, const char* name, const QString& part) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleDescription(part);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // What the form holds, as typed or loaded from a file.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* legendEntry(QWidget* parent, const QString& text, const QColor& colour) {
    auto* entry = new QLabel(text, parent);
    entry->setAutoFillBackground(true);
    QPalette palette = entry->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    entry->setPalette(palette);
    entry->setMargin(2);
    // A narrow window breaks the entries rather than widen.
    entry->setWordWrap(true);
    return entry;
}

QTableView* tableView(QWidget* parent, const char* name, const QString& accessibleName,
                      const QString& description) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setAccessibleDescription(description);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    return view;
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* owner, std::function<DeviceSettings()> form,
                             std::function<void(Field)> goTo)
    : QWidget(owner, Qt::Window), form_(std::move(form)), goTo_(std::move(goTo)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(fromUtf8(translated("preview", "SEND Preview - Zelvar Config")));

    failure_ = textLabel(this, "lblPreviewFailure",
                         fromUtf8(translated("preview", "Why SEND would send nothing")));
    // Alone in the window, at its top.
    failure_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    built_ = new QWidget(this);

    byteModel_ = new WireBytesModel(this);
    bytes_ = buildBytesView();
    rangeModel_ = new WireRangesModel(this);
    ranges_ = buildRangesView();
    auto* tables = new QHBoxLayout;
    tables->addWidget(bytes_, 0, Qt::AlignTop);
    tables->addWidget(ranges_, 1);

    notes_ = textLabel(built_, "lblPreviewNotes",
                       fromUtf8(translated("preview",
                                           "the fields SEND sends differently from the "
                                           "form")));
    position_ = textLabel(built_, "lblPreviewPosition",
                          fromUtf8(translated("preview", "the beacon read as a position")));
    symbol_ = textLabel(built_, "lblPreviewSymbol", shown(ShownText::ChooseSymbolName));

    auto* shown = new QVBoxLayout(built_);
    shown->setContentsMargins(0, 0, 0, 0);
    shown->addWidget(buildLegend());
    shown->addLayout(tables, 1);
    shown->addWidget(notes_);
    shown->addWidget(symbol_);
    shown->addWidget(position_);

    // The advice also while the build fails: its notes are about the settings, not the bytes.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(failure_);
    layout->addWidget(built_, 1);
    layout->addWidget(buildAdvice());
    failure_->hide();

    // Room for the ranges' longest texts beside the bytes, and for the notes below them.
    resize(bytes_->sizeHint().width() + kRangesWidth,
           bytes_->sizeHint().height() + kRoomBelowBytes + advice_->maximumHeight());
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    hide();
}

QTableView* PreviewWindow::buildBytesView() {
    auto* view = tableView(built_, "tblWireBytes", shown(ShownText::WireBytesTitle),
                           shown(ShownText::WireBytesDescription));
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setModel(byteModel_);
    const QFontMetrics metrics(view->font());
    const int cellWidth = metrics.horizontalAdvance(QStringLiteral("+15")) + kCellPadding;
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setDefaultSectionSize(cellWidth);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(metrics.height() + kCellPadding / 2);
    // All 170 bytes in view when there is room; a smaller window scrolls them.
    view->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return view;
}

QTableView* PreviewWindow::buildRangesView() {
    auto* view = tableView(built_, "tblWireRanges", shown(ShownText::WireRanges),
                           fromUtf8(translated("preview",
                                               "each run of wire bytes and how the "
                                               "tracker reads it; choosing a row "
                                               "marks its bytes")));
    view->setModel(rangeModel_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + kCellPadding / 2);
    view->horizontalHeader()->setStretchLastSection(true);
    // It takes the width the bytes leave: in a narrow window the bytes come first.
    view->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    view->setMinimumWidth(
        view->fontMetrics().horizontalAdvance(QString(kRangesMinimumCharacters, u'0')));
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PreviewWindow::markBytesOfChosenRange);
    return view;
}

// The notes on APRS practice beside what the preview decodes, each one a way to its field.
QWidget* PreviewWindow::buildAdvice() {
    auto* box = new QWidget(this);
    adviceHeading_ = textLabel(box, "lblAdvice", shown(ShownText::AdviceGoTo));
    advice_ = new QListWidget(box);
    advice_->setObjectName(QStringLiteral("lstAdvice"));
    advice_->setAccessibleDescription(shown(ShownText::AdviceGoTo));
    advice_->setWordWrap(true);
    // A few notes in view; the bytes keep the height, more notes scroll.
    const int frame = 2 * advice_->frameWidth();
    advice_->setMinimumHeight(advice_->fontMetrics().lineSpacing() * kAdviceRows + frame);
    advice_->setMaximumHeight(advice_->fontMetrics().lineSpacing() * kAdviceMostRows + frame);
    adviceHeading_->setBuddy(advice_);
    connect(advice_, &QListWidget::itemActivated, this, [this](const QListWidgetItem* item) {
        if (goTo_)
            goTo_(static_cast<Field>(item->data(kFieldRole).toInt()));
    });
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(adviceHeading_);
    layout->addWidget(advice_, 1);
    return box;
}

QWidget* PreviewWindow::buildLegend() {
    auto* legend = new QWidget(built_);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    const auto colour = &WireBytesModel::colourOf;
    for (QLabel* entry :
         {legendEntry(legend, shown(ShownText::LegendLeadIn), colour(WirePart::LeadIn, 1)),
          legendEntry(legend, shown(ShownText::LegendBlock1), colour(WirePart::Setting, 1)),
          legendEntry(legend, shown(ShownText::LegendBlock2), colour(WirePart::Setting, 2)),
          legendEntry(legend, shown(ShownText::LegendChecksum), colour(WirePart::Checksum, 1))}) {
        row->addWidget(entry);
    }
    row->addStretch();
    return legend;
}

void PreviewWindow::showPreview() {
    if (!placed_) {
        placeBesideOwner();
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    refresh();
}

void PreviewWindow::refresh() {
    if (!isVisible())
        return;
    const DeviceSettings settings = form_();
    showAdvice(settings);
    const SendPreview preview = previewSend(settings);
    failure_->setVisible(!preview.build);
    built_->setVisible(static_cast<bool>(preview.build));
    if (!preview.build) {
        failure_->setText(QStringLiteral("%1\n%2\n\n%3")
                              .arg(shown(ShownText::BuildFailed),
                                   fromUtf8(preview.build.error().reason),
                                   shown(ShownText::SendsNothing)));
        return;
    }
    showBuilt(preview);
}

// The symbol by name and the notes on APRS practice, from the form as SEND would take it.
void PreviewWindow::showAdvice(const DeviceSettings& settings) {
    symbol_->setText(
        shown(ShownText::SymbolShown)
            .arg(fromUtf8(describeSymbol(settings.symbol, settings.alternateTable == 1
                                                              ? SymbolTable::Alternate
                                                              : SymbolTable::Primary))));
    const std::vector<AdviceNote> notes = adviseOn(settings);
    adviceHeading_->setText(fromUtf8(adviceHeading(notes)));
    // Named by its heading, the count with it.
    advice_->setAccessibleName(adviceHeading_->text());
    QStringList lines;
    for (const AdviceNote& note : notes)
        lines << fromUtf8(adviceLine(note));
    QStringList before;
    for (int row = 0; row < advice_->count(); ++row)
        before << advice_->item(row)->text();
    if (lines == before)
        return;  // the choice and the scroll stay while nothing changed
    advice_->clear();
    for (std::size_t i = 0; i < notes.size(); ++i) {
        auto* item = new QListWidgetItem(lines[static_cast<qsizetype>(i)], advice_);
        item->setToolTip(fromUtf8(notes[i].why));
        item->setData(kFieldRole, static_cast<int>(notes[i].field));
    }
}

void PreviewWindow::showBuilt(const SendPreview& preview) {
    byteModel_->show(preview.wire, preview.ranges);
    rangeModel_->show(preview.ranges);
    if (!rangeColumnsFitted_) {
        // Where the ranges lie and their names never change; fitting them once spares measuring
        // every row on every keystroke.
        ranges_->resizeColumnToContents(WireRangesModel::Bytes);
        ranges_->resizeColumnToContents(WireRangesModel::Holds);
        rangeColumnsFitted_ = true;
    }

    QStringList lines;
    for (const NormalisationNote& note : preview.notes)
        lines << fromUtf8(noteShown(note.text));
    notes_->setText(lines.isEmpty()
                        ? shown(ShownText::NoNotes)
                        : shown(ShownText::NotesHeading) + QStringLiteral("\n") + lines.join('\n'));

    position_->setVisible(preview.position.has_value());
    if (preview.position) {
        const Result<DecodedPosition>& read = *preview.position;
        position_->setText(
            read ? shown(ShownText::BeaconPosition).arg(fromUtf8(describePosition(*read)))
                 : shown(ShownText::BeaconUnread).arg(fromUtf8(read.error().reason)));
    }
}

void PreviewWindow::markBytesOfChosenRange() {
    QItemSelection cells;
    const QModelIndexList rows = ranges_->selectionModel()->selectedRows();
    for (const QModelIndex& row : rows) {
        const WireRange& range = rangeModel_->range(row.row());
        const std::size_t end = range.first + range.size;
        // One piece per row of the hex table.
        for (std::size_t from = range.first; from < end;) {
            const std::size_t rowEnd =
                (from / WireBytesModel::kColumns + 1) * WireBytesModel::kColumns;
            const std::size_t to = std::min(end, rowEnd);
            cells.select(byteModel_->cell(from), byteModel_->cell(to - 1));
            from = to;
        }
    }
    bytes_->selectionModel()->select(cells, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty())
        bytes_->scrollTo(byteModel_->cell(rangeModel_->range(rows.front().row()).first));
}

void PreviewWindow::placeBesideOwner() {
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect ownerFrame = owner->frameGeometry();
    // Before it is shown this window's frame is not known; the owner's is the same kind.
    const QSize frame = ownerFrame.size() - owner->size();
    QSize wanted = size().boundedTo(room.size() - frame);
    const int rightRoom = room.right() - ownerFrame.right() - kGapToOwner - frame.width();
    const int leftRoom = ownerFrame.left() - room.left() - kGapToOwner - frame.width();
    // The side where the whole window fits, else the roomier one.
    const bool right = rightRoom >= wanted.width() || rightRoom >= leftRoom;
    const int side = right ? rightRoom : leftRoom;
    int x = 0;
    if (side >= wanted.width()) {
        x = right ? ownerFrame.right() + 1 + kGapToOwner
                  : ownerFrame.left() - kGapToOwner - frame.width() - wanted.width();
    } else {
        // Narrowed to the side's room it would hide bytes: it keeps the width of its content,
        // as far as the screen has it, at the screen's edge on the roomier side, over as little
        // of the owner as that allows.
        x = right ? room.right() + 1 - frame.width() - wanted.width() : room.left();
    }
    const int y = std::clamp(ownerFrame.top(), room.top(),
                             room.bottom() + 1 - frame.height() - wanted.height());
    resize(wanted);
    move(x, y);
}

}  // namespace zelvar

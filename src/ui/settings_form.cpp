#include "ui/settings_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <set>

#include "config/input_rules.h"
#include "text/translation.h"
#include "ui/check_state.h"
#include "ui/core_text.h"
#include "ui/field_edit.h"
#include "ui/labelled_list.h"
#include "ui/latin1_text.h"
#include "ui/palette_colours.h"
#include "ui/setup_controls.h"
#include "ui/wrapping_button.h"

namespace zelvar {
namespace {

// The window is small for what it holds: thin margins, one or two pixels between controls.
constexpr QMargins kGroupMargins(3, 0, 3, 2);
constexpr QMargins kNarrowGroupMargins(1, 0, 1, 1);
constexpr int kSpacing = 2;
constexpr int kRowSpacing = 1;

const QColor kLatLonFace(0, 192, 0);

// The window's own buttons after the table's: their places in the keyboard order.
constexpr int kSymbolsTab = 3;
constexpr int kPortDeviceTab = 33;
constexpr int kPreviewTab = 34;

QString labelShown(const FieldRow& row) {
    return fromUtf8(translated(kFieldLabelContext,
                               row.texts.shownLabel.empty() ? row.label : row.texts.shownLabel));
}

QString spokenName(const FieldRow& row) {
    return fromUtf8(row.texts.spokenName.empty()
                        ? translated(kFieldLabelContext, row.label)
                        : translated(kFieldSpokenContext, row.texts.spokenName));
}

// The unit or limit a screen reader says with the field: "at most 9 characters" for a text.
QString spokenUnit(const FieldRow& row) {
    if (!row.texts.spokenUnit.empty() || row.input.kind != Input::Text)
        return fromUtf8(translated(kFieldSpokenContext, row.texts.spokenUnit));
    return fromUtf8(
        withValue(shownText(ShownText::AtMostCharacters), std::to_string(row.input.length)));
}

template <typename Layout>
Layout* tight(Layout* layout, QMargins margins = kGroupMargins) {
    layout->setContentsMargins(margins);
    layout->setSpacing(kRowSpacing);
    return layout;
}

QGridLayout* tightGrid(QWidget* group, QMargins margins = kGroupMargins) {
    auto* grid = tight(new QGridLayout(group), margins);
    grid->setHorizontalSpacing(kSpacing);
    return grid;
}

// The label beside a field, which screen readers take as the field's label.
QLabel* naming(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    return label;
}

QLabel* makeCounter(QWidget* parent, std::string_view name) {
    QLabel* counter = makeLabel(parent, {}, name);
    counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return counter;
}

std::string textOf(const FieldEdit* field) {
    return toLatin1(field->text());
}

void write(FieldEdit* field, const std::string& value) {
    const QString shownValue = fromLatin1(value);
    if (field->text() != shownValue)
        field->writeUnfiltered(shownValue);
}

void writeChoice(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// A text field that takes the whole line, or the room the line leaves.
bool fills(const FieldRow& row) {
    return row.input.kind == Input::Text && row.form.width == 0;
}

}  // namespace

FieldEdit* FormControls::edit(Field field) const {
    return qobject_cast<FieldEdit*>(fields[static_cast<std::size_t>(field)]);
}

QCheckBox* FormControls::box(Field field) const {
    return qobject_cast<QCheckBox*>(fields[static_cast<std::size_t>(field)]);
}

QComboBox* FormControls::list(Field field) const {
    return qobject_cast<QComboBox*>(fields[static_cast<std::size_t>(field)]);
}

// The fields and buttons of one line of a group, as the table places them.
struct SettingsForm::Line {
    FormGroup group;
    int number;
    std::vector<const FieldRow*> fields;
    std::vector<const FormActionInfo*> actions;

    static std::vector<Line> of(FormGroup inGroup) {
        std::vector<Line> lines;
        const auto line = [&](int at) -> Line& {
            while (static_cast<int>(lines.size()) <= at)
                lines.push_back({inGroup, static_cast<int>(lines.size()), {}, {}});
            return lines[static_cast<std::size_t>(at)];
        };
        for (const FieldRow& row : fieldRows()) {
            if (row.form.group == inGroup)
                line(row.form.line).fields.push_back(&row);
        }
        for (const FormActionInfo& action : formActions()) {
            if (action.group == inGroup)
                line(action.line).actions.push_back(&action);
        }
        return lines;
    }

    // The field at the line's start.
    const FieldRow* first() const {
        const auto found = std::find_if(fields.begin(), fields.end(),
                                        [](const FieldRow* row) { return !row->form.pushed; });
        return found == fields.end() ? nullptr : *found;
    }
};

SettingsForm::SettingsForm(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kRowSpacing);
    // Whatever room the type leaves is shared by the groups.
    for (const FormGroupInfo& group : formGroups()) {
        if (group.parent == group.group)
            layout->addWidget(buildGroup(group, this), 1);
    }
    setKeyboardOrder();
}

QWidget* SettingsForm::buildGroup(const FormGroupInfo& group, QWidget* parent) {
    auto* box = new QGroupBox(fromUtf8(translated(kFormGroupContext, group.caption)), parent);
    const bool inner = group.parent != group.group;
    const QMargins margins = inner ? kNarrowGroupMargins : kGroupMargins;
    if (inner) {
        // Named by their own titles: unnamed, a screen reader gives each the outer group's.
        box->setAccessibleName(box->title());
    }
    if (group.table) {
        buildTable(group.group, box, tightGrid(box, margins));
        return box;
    }
    // A group of sub-groups: its columns, each the sub-groups that stand in it from the top.
    std::map<int, QVBoxLayout*> columns;
    for (const FormGroupInfo& sub : formGroups()) {
        if (sub.parent != group.group || sub.group == group.group)
            continue;
        if (columns.empty()) {
            auto* row = tight(new QHBoxLayout(box), kNarrowGroupMargins);
            row->setSpacing(kSpacing);
            for (const FormGroupInfo& other : formGroups()) {
                if (other.parent == group.group && other.group != group.group &&
                    !columns.contains(other.column)) {
                    auto* column = new QVBoxLayout;
                    column->setSpacing(kRowSpacing);
                    row->addLayout(column);
                    columns[other.column] = column;
                }
            }
        }
        QVBoxLayout* column = columns[sub.column];
        if (sub.caption.empty())
            buildLines(sub.group, box, column);
        else
            column->addWidget(buildGroup(sub, box));
    }
    if (!columns.empty()) {
        for (auto& [index, column] : columns)
            column->addStretch();
        return box;
    }
    if (group.labelColumn)
        buildLabelledLines(group.group, box, tightGrid(box, margins));
    else
        buildLines(group.group, box, tight(new QVBoxLayout(box), margins));
    return box;
}

// Lines one below the other; a field's caption or label above it, and the GPSless note below,
// take lines of their own.
void SettingsForm::buildLines(FormGroup group, QWidget* box, QBoxLayout* rows) {
    const bool inner = formGroupInfo(group).parent != group;
    for (const Line& line : Line::of(group)) {
        for (const FieldRow* row : line.fields) {
            if (!row->texts.caption.empty())
                rows->addWidget(
                    makeLabel(box, fromUtf8(translated(kFieldCaptionContext, row->texts.caption))));
        }
        QHBoxLayout* layout = lineLayout(line, box, false, !inner);
        for (const FieldRow* row : line.fields) {
            if (row->form.label == LabelPlace::Above)
                rows->addWidget(controls_.label(row->field));
        }
        rows->addLayout(layout);
        for (const FieldRow* row : line.fields) {
            if (row->form.noteBelow) {
                controls_.gpslessNote = makeLabel(box, {}, row->window.note);
                rows->addWidget(controls_.gpslessNote);
            }
        }
    }
}

// Column 0 the labels, columns 1 and 2 the fields. A button that reaches over the line above
// takes column 2 of both: on its own line the other display shows what it stands in for, and
// only one of the two is ever shown; the line above keeps to column 1 (the symbol picker's
// button shows there in both displays). Column 2 keeps the button's room in both displays, so
// that showing it moves nothing.
void SettingsForm::buildLabelledLines(FormGroup group, QWidget* box, QGridLayout* grid) {
    const std::vector<Line> lines = Line::of(group);
    std::set<int> reachedOver;
    for (const Line& line : lines) {
        for (const FormActionInfo* action : line.actions) {
            for (int above = 1; above <= action->linesAbove; ++above)
                reachedOver.insert(line.number - above);
        }
    }
    for (const Line& line : lines) {
        Line rest = line;
        std::erase_if(rest.actions, [](const FormActionInfo* a) { return a->linesAbove > 0; });
        const FieldRow* first = line.first();
        const bool labelled = first && first->form.label == LabelPlace::Beside;
        QHBoxLayout* layout = lineLayout(rest, box, labelled, true);
        const bool sharesColumn2 = !reachedOver.contains(line.number);
        if (labelled) {
            grid->addWidget(controls_.label(first->field), line.number, 0);
            grid->addLayout(layout, line.number, 1, 1, sharesColumn2 ? 2 : 1);
        } else {
            grid->addLayout(layout, line.number, 0, 1, sharesColumn2 ? 3 : 2);
        }
        for (const FormActionInfo* action : line.actions) {
            if (action->linesAbove > 0) {
                QPushButton* button = makeAction(*action, box);
                grid->addWidget(button, line.number - action->linesAbove, 2, action->linesAbove + 1,
                                1);
                grid->setColumnMinimumWidth(2, button->minimumSizeHint().width());
            }
        }
    }
    grid->setColumnStretch(1, 1);
}

// Each line a label, its field and its unit in three columns.
void SettingsForm::buildTable(FormGroup group, QWidget* box, QGridLayout* grid) {
    for (const Line& line : Line::of(group)) {
        for (const FieldRow* row : line.fields) {
            QWidget* control = makeControl(*row, box);
            grid->addWidget(makeFieldLabel(*row, box), line.number, 0);
            grid->addWidget(control, line.number, 1, Qt::AlignLeft);
            grid->addWidget(makeLabel(box, fromUtf8(translated(kFieldUnitContext, row->texts.unit)),
                                      row->window.unit),
                            line.number, 2);
        }
    }
}

// The line's fields from its start, each with its label and unit, then whatever is pushed to its
// far end and the counters of the line above. `labelsApart`: the first field's label stands in a
// column of its own. `packLeft`: a line of fixed-width fields keeps them at its start.
QHBoxLayout* SettingsForm::lineLayout(const Line& line, QWidget* box, bool labelsApart,
                                      bool packLeft) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSpacing);
    bool stretched = false;
    bool filled = false;
    std::vector<QPushButton*> buttons;
    const auto addField = [&](const FieldRow& row, bool first) {
        QWidget* control = makeControl(row, box);
        QLabel* label = row.form.label == LabelPlace::None ? nullptr : makeFieldLabel(row, box);
        if (label && row.form.label == LabelPlace::Beside && !(first && labelsApart))
            layout->addWidget(label);
        layout->addWidget(control);
        QLabel* unit = nullptr;
        if (!row.texts.unit.empty()) {
            unit = makeLabel(box, fromUtf8(translated(kFieldUnitContext, row.texts.unit)),
                             row.window.unit);
            layout->addWidget(unit);
        }
        if (row.form.counter != CounterPlace::None) {
            QLabel* counter = makeCounter(box, row.window.counter);
            controls_.counters[static_cast<std::size_t>(row.field)] = counter;
            if (row.form.counter == CounterPlace::Beside)
                layout->addWidget(counter);
            else
                countersBelow_.push_back(counter);
        }
        if (row.form.gpsOnly) {
            for (QWidget* shownWithGps :
                 {static_cast<QWidget*>(label), control, static_cast<QWidget*>(unit)}) {
                if (shownWithGps)
                    controls_.gpsOnly.push_back(shownWithGps);
            }
        }
        filled = filled || fills(row);
    };
    const auto addAction = [&](const FormActionInfo& action) {
        QPushButton* button = makeAction(action, box);
        layout->addWidget(button);
        buttons.push_back(button);
    };
    const std::vector<QLabel*> countersAbove = std::exchange(countersBelow_, {});
    for (const FieldRow* row : line.fields) {
        if (!row->form.pushed)
            addField(*row, row == line.first());
    }
    for (const FormActionInfo* action : line.actions) {
        if (!action->pushed)
            addAction(*action);
    }
    addWindowsOwnButtons(line.group, line.number, box, layout);
    for (const FieldRow* row : line.fields) {
        if (row->form.pushed) {
            if (!std::exchange(stretched, true))
                layout->addStretch();
            addField(*row, false);
        }
    }
    for (const FormActionInfo* action : line.actions) {
        if (action->pushed) {
            if (!std::exchange(stretched, true))
                layout->addStretch();
            addAction(*action);
        }
    }
    for (QLabel* counter : countersAbove) {
        if (!std::exchange(stretched, true))
            layout->addStretch();
        layout->addWidget(counter, 0, Qt::AlignTop);
    }
    // Buttons beside fields share the room the fields leave.
    if (!line.fields.empty()) {
        for (QPushButton* button : buttons)
            layout->setStretchFactor(button, 1);
    }
    if (packLeft && !stretched && !filled && buttons.empty() && !line.fields.empty())
        layout->addStretch();
    return layout;
}

QWidget* SettingsForm::makeControl(const FieldRow& row, QWidget* box) {
    QWidget* control = nullptr;
    switch (row.input.kind) {
        case Input::Digits:
        case Input::Symbol: {
            FieldEdit* edit = makeDigitsField(box, row.window.control, inputRule(row.field));
            describe(edit, spokenName(row), spokenUnit(row));
            control = edit;
            break;
        }
        case Input::Text: {
            // The filter reads the acquisition timeout afresh for every character.
            FieldEdit* edit = makeTextField(
                box, row.window.control, row.input.length,
                characterRule(inputRule(row.field),
                              [this] {
                                  return isGpslessTimeout(
                                      textOf(controls_.edit(Field::AcquisitionTimeout)));
                              }),
                fromUtf8(translated(kFieldHintContext, row.texts.hint)));
            describe(edit, spokenName(row), spokenUnit(row));
            if (row.form.width > 0)
                fitWidthToCharacters(edit, row.form.width);
            control = edit;
            break;
        }
        case Input::Flag: {
            QCheckBox* check = makeCheckBox(box, row.window.control,
                                            fromUtf8(translated(kFieldLabelContext, row.label)));
            if (row.form.bold) {
                QFont bold = check->font();
                bold.setBold(true);
                check->setFont(bold);
            }
            control = check;
            break;
        }
        case Input::Choice: {
            auto* list = new LabelledList(box);
            list->setObjectName(fromLatin1(row.window.control));
            list->setFont(withPointSize(box->font(), kSmallPointSize));
            describe(list, spokenName(row), spokenUnit(row));
            fitFieldHeight(list);
            if (row.input.typedChoice) {
                list->setEditable(true);
                list->setInsertPolicy(QComboBox::NoInsert);
                list->setCompleter(nullptr);
            }
            for (std::string_view choice : row.choices)
                list->addItem(fromUtf8(choice));
            control = list;
            break;
        }
    }
    controls_.fields[static_cast<std::size_t>(row.field)] = control;
    return control;
}

QLabel* SettingsForm::makeFieldLabel(const FieldRow& row, QWidget* box) {
    QLabel* label = naming(makeLabel(box, labelShown(row), row.window.label),
                           controls_.fields[static_cast<std::size_t>(row.field)]);
    controls_.labels[static_cast<std::size_t>(row.field)] = label;
    return label;
}

QPushButton* SettingsForm::makeAction(const FormActionInfo& action, QWidget* box) {
    QPushButton* button = nullptr;
    if (action.action == FormAction::Calculator) {
        button = new WrappingButton(fromUtf8(translated(kFormButtonContext, action.caption)), box);
        button->setObjectName(fromLatin1(action.object));
        button->setAutoDefault(true);
        // As high as the lines it stands beside: showing it must not move them.
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        setBackground(button, QPalette::Button, kLatLonFace);
    } else {
        button = makeButton(box, action.object,
                            fromUtf8(translated(kFormButtonContext, action.caption)));
    }
    if (action.gpslessOnly)
        controls_.gpslessOnly.push_back(button);
    controls_.actions[static_cast<std::size_t>(action.action)] = button;
    return button;
}

// The symbol picker beside the symbol; the preview beside the file buttons; the device SEND
// writes to, and the list to choose it from, right under the port number: the line above has no
// room.
void SettingsForm::addWindowsOwnButtons(FormGroup group, int line, QWidget* box,
                                        QHBoxLayout* layout) {
    FormControls& c = controls_;
    if (group == FormGroup::Main && line == fieldRow(Field::Symbol).form.line) {
        c.symbols = makeButton(box, "cmdSymbols", shown(ShownText::ChooseSymbol));
        c.symbols->setFont(withPointSize(box->font(), kSmallPointSize));
        fitFieldHeight(c.symbols);
        describe(c.symbols, shown(ShownText::ChooseSymbolName), {});
        c.symbols->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        layout->addWidget(c.symbols);
        return;
    }
    if (group != FormGroup::Programming)
        return;
    if (line == formAction(FormAction::Save).line) {
        c.preview = makeButton(box, "cmdPreview", fromUtf8(translated("main window", "&Preview")));
        c.preview->setToolTip(
            fromUtf8(translated("main window", "What SEND would write, byte by byte (Ctrl+P)")));
        describe(c.preview, fromUtf8(translated("main window", "Preview")),
                 fromUtf8(translated("main window", "what SEND would write, Ctrl+P")));
        // No wider than its caption: the file buttons keep the room.
        c.preview->setSizePolicy(QSizePolicy::Fixed, c.preview->sizePolicy().verticalPolicy());
        layout->addWidget(c.preview);
    } else if (line == fieldRow(Field::BaudRate).form.line) {
        c.portDevice = makeButton(box, "cmdPortDevice", {});
        c.portDevice->setFont(c.list(Field::BaudRate)->font());
        fitFieldHeight(c.portDevice);
        // Never widens the window: a long device name is cut to the room there is.
        c.portDevice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        layout->addWidget(c.portDevice, 1);
    }
}

void SettingsForm::setKeyboardOrder() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const FieldRow& row : fieldRows())
        order.emplace_back(row.form.tab, control(row.field));
    for (const FormActionInfo& action : formActions())
        order.emplace_back(action.tab, controls_.action(action.action));
    order.emplace_back(kSymbolsTab, controls_.symbols);
    order.emplace_back(kPortDeviceTab, controls_.portDevice);
    order.emplace_back(kPreviewTab, controls_.preview);
    // Stable: the picker comes after the Alternate Table box, whose place it shares.
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    first_ = order.front().second;
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].second, order[i].second);
}

DeviceSettings SettingsForm::settings() const {
    DeviceSettings s;
    for (const FieldRow& row : fieldRows()) {
        if (const FieldEdit* edit = controls_.edit(row.field))
            *fieldText(s, row.field) = textOf(edit);
        else if (const QCheckBox* box = controls_.box(row.field))
            *fieldNumber(s, row.field) = checkValue(box);
        else
            *fieldNumber(s, row.field) = controls_.list(row.field)->currentIndex();
    }
    return s;
}

void SettingsForm::applySettings(const DeviceSettings& s) {
    for (const FieldRow& row : fieldRows()) {
        if (FieldEdit* edit = controls_.edit(row.field)) {
            write(edit, *fieldText(s, row.field));
        } else if (QCheckBox* box = controls_.box(row.field)) {
            writeCheck(box, *fieldNumber(s, row.field));
        } else {
            // Text typed into the Mic-E list stays while neither the record nor the list
            // chooses one.
            QComboBox* list = controls_.list(row.field);
            const int index = *fieldNumber(s, row.field);
            if (index >= 0 || list->currentIndex() >= 0)
                writeChoice(list, index);
        }
    }
}

QWidget* SettingsForm::control(Field field) const {
    return controls_.fields[static_cast<std::size_t>(field)];
}

}  // namespace zelvar

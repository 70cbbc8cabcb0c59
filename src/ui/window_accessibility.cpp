#include "ui/window_accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QDialog>
#include <QLineEdit>

#include "ui/labelled_list.h"

namespace zelvar {
namespace {

// What a screen reader reads of a LabelledList: its own accessible name, the chosen entry as the
// value and as its text (where screen readers look for a list's value), and the list's popup
// (and its edit, when it takes typing) as children.
class LabelledListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit LabelledListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return entry();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State shown = QAccessibleWidget::state();
        shown.expandable = true;
        shown.expanded = list()->view()->isVisible();
        shown.editable = list()->isEditable();
        return shown;
    }

    int childCount() const override { return list()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->isEditable())
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* shown) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (child(index) == shown)
                return index;
        }
        return -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    // The entry as read-only text.
    QString text(int start, int end) const override { return entry().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(entry().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    QString entry() const { return list()->currentText(); }
};

QAccessibleInterface* accessibleFor(const QString& key, QObject* object) {
    if (key == QLatin1String(LabelledList::staticMetaObject.className()))
        return new LabelledListAccessible(static_cast<LabelledList*>(object));
    auto* window = qobject_cast<QWidget*>(object);
    // Only this program's windows, by their most derived class; dialogs have their own.
    if (!window || !window->isWindow() || qobject_cast<QDialog*>(window) ||
        key != QLatin1String(object->metaObject()->className()) ||
        !key.startsWith(QLatin1String("zelvar::"))) {
        return nullptr;
    }
    return new QAccessibleWidget(
        window, window->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
}

}  // namespace

void installWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}

}  // namespace zelvar

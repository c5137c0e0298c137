#include "windows/keyboard.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "windows/reading_order.h"

namespace kestrani {

namespace {

class ReturnPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool returnKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!returnKey || key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

bool takesTab(const QWidget& widget) { return (widget.focusPolicy() & Qt::TabFocus) != 0; }

// Appends container's controls to order in reading order.
void readControls(QWidget& container, std::vector<QWidget*>& order) {
    std::vector<QWidget*> units;
    std::vector<WindowRect> places;
    auto gather = [&](auto& self, QWidget& parent) -> void {
        for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow())
                continue;
            if (takesTab(*child) || qobject_cast<QGroupBox*>(child)) {
                const QPoint at = child->mapTo(&container, QPoint(0, 0));
                units.push_back(child);
                places.push_back({at.x(), at.y(), child->width(), child->height()});
            } else {
                self(self, *child);
            }
        }
    };
    gather(gather, container);
    for (std::size_t i : readingOrder(places)) {
        if (takesTab(*units[i]))
            order.push_back(units[i]);
        else
            readControls(*units[i], order);
    }
}

}  // namespace

void pressButtonsOnReturn(QWidget& window) {
    auto* filter = new ReturnPressesButton(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

void orderTabsByLayout(QWidget& window) {
    std::vector<QWidget*> order;
    readControls(window, order);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace kestrani

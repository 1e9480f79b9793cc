#include "app/AccessibleGuard.h"

#include <QtWidgets/private/qwidget_p.h>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>

namespace lmr {

namespace {

// A scroll area as a screen reader sees it, the same as Qt shows it (a client whose children
// are the viewport, each shown scroll bar's holder and the shown corner widget; texts, state
// and actions those of any widget), with every index checked against the children there now.
class ScrollAreaAccessible final : public QAccessibleWidget {
public:
    explicit ScrollAreaAccessible(QAbstractScrollArea* area)
        : QAccessibleWidget(area, QAccessible::Client) {}

    bool isValid() const override {
        return QAccessibleWidget::isValid() && Area() != nullptr && Area()->viewport() != nullptr;
    }

    int childCount() const override { return static_cast<int>(Children().size()); }

    QAccessibleInterface* child(int index) const override {
        const QWidgetList children = Children();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || child->object() == nullptr) return -1;
        return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        if (!Area()->isVisible()) return nullptr;
        for (QWidget* w : Children()) {
            if (QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(x, y)) {
                return QAccessible::queryAccessibleInterface(w);
            }
        }
        return nullptr;
    }

private:
    QAbstractScrollArea* Area() const { return static_cast<QAbstractScrollArea*>(widget()); }

    QWidgetList Children() const {
        QWidgetList children;
        if (QWidget* viewport = Area()->viewport()) children.append(viewport);
        for (const QScrollBar* bar : {Area()->horizontalScrollBar(), Area()->verticalScrollBar()}) {
            if (bar != nullptr && bar->isVisible()) children.append(bar->parentWidget());
        }
        if (QWidget* corner = Area()->cornerWidget(); corner != nullptr && corner->isVisible()) {
            children.append(corner);
        }
        return children;
    }
};

// Asked before Qt's own factory at each class of an object's ancestry, from the most derived
// up: answering only where Qt would make its scroll area leaves item views, text edits and
// every other class to Qt.
QAccessibleInterface* ScrollAreaFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QAbstractScrollArea") &&
        className != QLatin1String("QScrollArea")) {
        return nullptr;
    }
    auto* area = qobject_cast<QAbstractScrollArea*>(object);
    // A widget being destroyed is no longer in the accessibility cache; an interface made for
    // it now would outlive it there.
    if (area == nullptr || QWidgetPrivate::get(area)->data.in_destructor) return nullptr;
    return new ScrollAreaAccessible(area);
}

}  // namespace

void GuardAccessibleScrollAreas() {
    // Installing again does nothing: Qt keeps each factory once.
    QAccessible::installFactory(&ScrollAreaFactory);
}

}  // namespace lmr

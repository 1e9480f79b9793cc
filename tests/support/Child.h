#pragma once

#include <QAbstractAxis>
#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace lmr::test {

namespace detail {

// A chart, one of its series (or bar sets) or one of its axes, named so: they sit in a chart view's
// scene, not among the window's children.
template <class T>
T* InCharts(const QObject& window, const QString& objectName) {
    for (QChartView* view : window.findChildren<QChartView*>()) {
        QChart* chart = view->chart();
        if (chart == nullptr) continue;
        if (chart->objectName() == objectName) {
            if (T* t = qobject_cast<T*>(chart)) return t;
        }
        for (QAbstractSeries* s : chart->series()) {
            if (s->objectName() == objectName) {
                if (T* t = qobject_cast<T*>(s)) return t;
            }
            if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
                for (QBarSet* set : bars->barSets()) {
                    if (set->objectName() != objectName) continue;
                    if (T* t = qobject_cast<T*>(set)) return t;
                }
            }
        }
        for (QAbstractAxis* a : chart->axes()) {
            if (a->objectName() == objectName) {
                if (T* t = qobject_cast<T*>(a)) return t;
            }
        }
    }
    return nullptr;
}

}  // namespace detail

// The window's component of that name and class: a widget, action or timer among its
// children, or a chart, series, bar set or axis of one of its chart views. A test that names a
// component the window lacks stops there, saying which.
template <class T>
T& Child(const QObject& window, const QString& objectName) {
    T* found = window.findChild<T*>(objectName);
    if (found == nullptr) found = detail::InCharts<T>(window, objectName);
    if (found == nullptr) {
        qFatal("%s has no %s named %s", qPrintable(window.objectName()),
               T::staticMetaObject.className(), qPrintable(objectName));
    }
    return *found;
}

template <class T>
T& Child(const QObject& window, const char* objectName) {
    return Child<T>(window, QString::fromLatin1(objectName));
}

}  // namespace lmr::test

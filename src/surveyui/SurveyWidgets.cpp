#include "surveyui/SurveyWidgets.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "survey/SurveyLimits.h"
#include "surveyui/DateField.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // No more than the file may hold.
    e->setMaxLength(kSurveyTextLimit);
    return e;
}

DateField* MakeDate(QWidget* parent, const char* name) {
    auto* d = new DateField(Text(kNotGiven), parent);
    d->setObjectName(QString::fromLatin1(name));
    return d;
}

void FitRows(QTableWidget* t) {
    constexpr int kLeast = 2;
    constexpr int kMost = 8;
    const int rows = std::clamp(t->rowCount(), kLeast, kMost);
    const int rowHeight = t->verticalHeader()->defaultSectionSize();
    const int scrollBar = t->horizontalScrollBar()->sizeHint().height();
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height() + rows * rowHeight + scrollBar +
                      2 * t->frameWidth());
}

QTableWidget* MakeTable(QWidget* parent, const char* name, const char* const* headers, int count) {
    auto* t = new QTableWidget(0, count, parent);
    t->setObjectName(QString::fromLatin1(name));
    QStringList labels;
    for (int i = 0; i < count; ++i) labels << Text(headers[i]);
    t->setHorizontalHeaderLabels(labels);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    FitRows(t);
    return t;
}

QPushButton* MakeButton(QWidget* parent, const char* caption, const char* name) {
    auto* b = new QPushButton(Text(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QScrollArea* Scrolled(QWidget* page, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    return scroll;
}

}  // namespace lmr

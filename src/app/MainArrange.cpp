// Where the main window's parts stand: the form as designed, or drawn closer together when the
// window is maximised on a screen narrower than the form.
#include <QHeaderView>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include "app/TFMain.h"

namespace lmr {

namespace {

// The window's client area at the start; the rest of the form is reached by scrolling or by
// making the window larger.
constexpr int kClientWidth = 441;
constexpr int kClientHeight = 270;
// What a window frame takes of the screen's width, at most.
constexpr int kFrameAllowance = 16;
// The scrolled content reaches to the page control and the tab set below it.
constexpr int kContentWidth = 472 + 655;
constexpr int kContentHeight = 48 + 523 + 4;

struct FormPlaces {
    QSize content;
    QRect clockStrip, saveClock, copyClock, cells, readCells, pages;
    int cellWidth, cellHeaderWidth;
};

// As designed: the clock and the memory cells on the left, the pages beside them, lower down.
constexpr FormPlaces kDesigned{{kContentWidth, kContentHeight},
                               {0, 0, 440, 28},
                               {220, 3, 145, 22},
                               {368, 3, 67, 22},
                               {0, 30, 441, 196},
                               {0, 225, 440, 25},
                               {472, 48, 655, 523},
                               61,
                               61};

// Maximised on a screen narrower than the form, width wide: the pages at the top, at the right
// edge; the clock's buttons under its fields and the cells' columns narrower, in what is left.
FormPlaces Compact(int width) {
    constexpr int kPagesWidth = 655;
    constexpr int kPagesHeight = 523;
    constexpr int kNarrowest = 357;  // the cells' captions still whole
    constexpr int kHeaderWidth = 49;
    const int pagesLeft = std::max(width, kNarrowest + 4 + kPagesWidth) - kPagesWidth;
    const int left = pagesLeft - 4;
    return {{pagesLeft + kPagesWidth, kPagesHeight + 4},
            {0, 0, left, 54},
            {3, 29, 145, 22},
            {151, 29, 67, 22},
            {0, 56, left, 196},
            {0, 251, left, 25},
            {pagesLeft, 0, kPagesWidth, kPagesHeight},
            (left - 2 - kHeaderWidth) / 6,
            kHeaderWidth};
}

}  // namespace

void TFMain::ArrangeForm(int compactWidth) {
    compactWidth_ = compactWidth;
    const FormPlaces f = compactWidth > 0 ? Compact(compactWidth) : kDesigned;
    PanelDataTime->parentWidget()->setFixedSize(f.content);
    PanelDataTime->setGeometry(f.clockStrip);
    ButtonSave->setGeometry(f.saveClock);
    Button1->setGeometry(f.copyClock);
    StringGridM->setGeometry(f.cells);
    StringGridM->horizontalHeader()->setDefaultSectionSize(f.cellWidth);
    StringGridM->verticalHeader()->setFixedWidth(f.cellHeaderWidth);
    ButtonReadMemo->setGeometry(f.readCells);
    PageControl->setGeometry(f.pages);
    // In the page control's own tab row, at its right end: lower down, where the
    // form had it, it would cover the dew point's caption and digits. Wide enough
    // for both captions in this toolkit's tabs.
    const int tabSetWidth = std::max(112, TabSet->sizeHint().width());
    TabSet->setGeometry(f.pages.right() - tabSetWidth - 2, f.pages.top() + 2, tabSetWidth,
                        PageControl->tabBar()->sizeHint().height() - 2);
}

void TFMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    const int width = e->size().width();
    const bool compact = (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0 &&
                         e->size().width() < kContentWidth;
    if (compact ? width != compactWidth_ : compactWidth_ != 0) ArrangeForm(compact ? width : 0);
}

void TFMain::SizeToForm(const QScrollArea& scroll) {
    // The window opens at its client area plus the scroll bars, which come on top of it so that
    // all of it stays in view beside them. It may grow up to the whole form (on a laptop's
    // screen the live page and its charts are then seen at once); the form keeps its fixed
    // places, and the scroll bars show only while the window is smaller than the form.
    const int bar = scroll.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int menuHeight = MainMenu->heightForWidth(kContentWidth);
    setMaximumSize(kContentWidth, kContentHeight + kMainStatusHeight +
                                      std::max(menuHeight, MainMenu->sizeHint().height()));
    // Wide enough for every item of the menu bar, none behind its overflow, where the screen
    // has room.
    int startWidth = std::max(kClientWidth + bar, MainMenu->sizeHint().width());
    if (const QScreen* s = screen()) {
        startWidth = std::min(startWidth, s->availableGeometry().width() - kFrameAllowance);
    }
    resize(startWidth, MainMenu->heightForWidth(startWidth) + kClientHeight + bar);
}

}  // namespace lmr

// The main window's survey commands: the window, and the surveys in "Файл".
#include "app/TFMain.h"
#include "surveyui/SurveyTexts.h"
#include "windows/WindowPlacement.h"

namespace lmr {

void TFMain::BuildSurveyMenuItems() {
    MenuFile->addSeparator();
    FileNewSurvey = MenuFile->addAction(QString::fromUtf8(kMenuNewSurveyKeyed));
    FileNewSurvey->setObjectName(QStringLiteral("FileNewSurvey"));
    connect(FileNewSurvey, &QAction::triggered, this, [this] {
        if (FSurvey_ == nullptr) return;
        FSurvey_->NewSurvey();
        ShowSurveyWindow();
    });
    FileOpenSurvey = MenuFile->addAction(QString::fromUtf8(kMenuOpenSurveyKeyed));
    FileOpenSurvey->setObjectName(QStringLiteral("FileOpenSurvey"));
    connect(FileOpenSurvey, &QAction::triggered, this, [this] {
        if (FSurvey_ == nullptr) return;
        FSurvey_->OpenSurvey();
        ShowSurveyWindow();
    });
    MenuRecentSurveys = MenuFile->addMenu(QString::fromUtf8(kMenuRecentSurveysKeyed));
    MenuRecentSurveys->setObjectName(QStringLiteral("MenuRecentSurveys"));
    // Filled as it opens: the list changes with every survey made or opened.
    connect(MenuRecentSurveys, &QMenu::aboutToShow, this, [this] {
        if (FSurvey_ != nullptr) FSurvey_->FillRecentMenu(MenuRecentSurveys);
    });
    connect(MenuRecentSurveys, &QMenu::triggered, this, [this] { ShowSurveyWindow(); });
}

void TFMain::MenuSurveyClick() { Toggle(FSurvey_); }

void TFMain::ShowSurveyWindow() {
    if (FSurvey_->isVisible()) {
        FSurvey_->raise();
        FSurvey_->activateWindow();
        return;
    }
    ShowWithinScreenOf(FSurvey_, this);
}

}  // namespace lmr

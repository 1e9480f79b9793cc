// The survey window's construction: the tree, the two pages, the buttons and the status line.
#include "surveyui/FormSurvey.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "assess/AssessTexts.h"
#include "survey/SurveyLimits.h"
#include "surveyui/DateField.h"
#include "surveyui/SurveyDialogs.h"
#include "surveyui/SurveyWidgets.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr int kWriteDelayMs = 500;
QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The wheel scrolls the page over a field it passes: a spin box or list changes its value only
// once the user is in it, never as the page scrolls by.
class WheelOnlyWhenFocused final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            if (auto* w = qobject_cast<QWidget*>(watched); w != nullptr && !w->hasFocus()) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

TFSurvey::TFSurvey(SurveyHost& host, QSettings* settings, QWidget* parent)
    : QWidget(parent), host_(host), settings_(settings) {
    setObjectName(QStringLiteral("FSurvey"));
    setWindowTitle(Text(kSurveyTitle));
    setWindowFlag(Qt::Window);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("SplitterSurvey"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(BuildTree());
    Pages = new QTabWidget(splitter);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(Scrolled(BuildItemPage(), Pages), Text(kPageItem));
    Pages->addTab(Scrolled(BuildSurveyPage(), Pages), Text(kPageSurvey));
    splitter->addWidget(Pages);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);

    LabelStatus = new QLabel(this);
    LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
    LabelStatus->setWordWrap(true);
    LabelStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    BuildMenu();
    layout->setMenuBar(MenuBar);
    layout->addWidget(splitter, 1);
    layout->addWidget(BuildButtons());
    layout->addWidget(LabelStatus);

    timerWrite_ = new QTimer(this);
    timerWrite_->setSingleShot(true);
    timerWrite_->setInterval(kWriteDelayMs);
    connect(timerWrite_, &QTimer::timeout, this, &TFSurvey::WritePending);
    ConnectFields();
    ConnectItemFields();
    auto* wheel = new WheelOnlyWhenFocused(this);
    for (QAbstractSpinBox* s : findChildren<QAbstractSpinBox*>()) {
        s->setFocusPolicy(Qt::StrongFocus);
        s->installEventFilter(wheel);
    }
    for (QComboBox* c : findChildren<QComboBox*>()) {
        c->setFocusPolicy(Qt::StrongFocus);
        c->installEventFilter(wheel);
    }
    timerLiveWatch_ = new QTimer(this);
    timerLiveWatch_->setInterval(kLiveWatchMs);
    connect(timerLiveWatch_, &QTimer::timeout, this, &TFSurvey::WatchLive);
    connect(&host_.Live(), &LiveSession::rowsAdded, this, &TFSurvey::TakeLiveRows);
    connect(&host_.Live(), &LiveSession::cleared, this, [this] { liveRowsBefore_ = 0; });

    AskPath = [this](const QString& caption, const QString& filter, const QString& suffix,
                     const QString& proposed) {
        // Surveys and protocols are documents; the dialog starts where the last one went.
        if (folder_.isEmpty()) {
            folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        }
        QFileDialog dialog(this, caption, folder_, filter);
        dialog.setFileMode(suffix.isEmpty() ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setAcceptMode(suffix.isEmpty() ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        // The suffix is added before the dialog asks whether to replace a file of that name.
        dialog.setDefaultSuffix(suffix);
        if (!proposed.isEmpty()) dialog.selectFile(proposed + QLatin1Char('.') + suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        const QString path = dialog.selectedFiles().first();
        folder_ = QFileInfo(path).absolutePath();
        return path;
    };
    AskSpan = [this](const TimeSpan& whole) {
        const QString place = PlaceText(SelectedPlace());
        return AskSpanInDialog(this, host_.Logger(), whole, place,
                               doc_ ? doc_->Data().header : SurveyHeader{});
    };
    AskConfirm = [this](const QString& question) {
        return AskInBox(this, question, kRemove, QMessageBox::DestructiveRole);
    };
    AskHeight = [this](const QString& what, const std::vector<std::pair<qint64, QString>>& heights) {
        return AskHeightInDialog(this, what, heights);
    };
    AskMixing = [this](const QString& question) {
        return AskInBox(this, question, kAdd, QMessageBox::AcceptRole);
    };
    // Not modal to the writing: the protocol is written while the warning is read.
    ShowWarning = [this](const QString& text) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };

    // The texts these show carry names as typed (of items, of files), never markup.
    for (QLabel* l : {LabelStatus, LabelVerdict, LabelOutdoorNote, LabelAirSpeedNote}) {
        l->setTextFormat(Qt::PlainText);
    }
    resize(1000, 560);
    Say(Text(kNoSurvey));
    FillTree();
    ShowItem();
}

TFSurvey::~TFSurvey() {
    // A protocol being written stops at its next page, and its half is removed.
    delete protocolJob_;
    protocolJob_ = nullptr;
    WritePending();
    // The fields lose the keyboard as the window goes, which would write them to a window
    // already half gone.
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->disconnect(this);
}

void TFSurvey::BuildMenu() {
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBarSurvey"));
    // The item the keyboard is on (Alt or F10 and the arrows) stands out, as on the main window.
    MenuBar->setStyleSheet(QStringLiteral(
        "QMenuBar::item:selected { background: palette(highlight); color: "
        "palette(highlighted-text); }"));
    MenuSurveyFile = MenuBar->addMenu(Text(kSurveyMenu));
    MenuSurveyFile->setObjectName(QStringLiteral("MenuSurveyFile"));
    const auto add = [this](const char* caption, const char* name, auto handler) {
        QAction* a = MenuSurveyFile->addAction(Text(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    add(kMenuNewSurveyKeyed, "SurveyNew", [this] { NewSurvey(); });
    add(kMenuOpenSurveyKeyed, "SurveyOpen", [this] { OpenSurvey(); });
    MenuRecent = MenuSurveyFile->addMenu(Text(kMenuRecentSurveysKeyed));
    MenuRecent->setObjectName(QStringLiteral("SurveyRecent"));
    connect(MenuRecent, &QMenu::aboutToShow, this, [this] { FillRecentMenu(MenuRecent); });
    MenuSurveyFile->addSeparator();
    add(kMenuProtocolPdf, "SurveyProtocolPdf", [this] { ButtonProtocolPdfClick(); });
    add(kMenuProtocolXlsx, "SurveyProtocolXlsx", [this] { ButtonProtocolXlsxClick(); });
    add(kMenuProtocolPrint, "SurveyPrint", [this] { ButtonPrintClick(); });
    MenuSurveyFile->addSeparator();
    QAction* close = add(kMenuCloseWindow, "SurveyClose", [this] { hide(); });
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    // Escape itself is the window's own shortcut; the menu only shows it.
    close->setShortcutContext(Qt::WidgetShortcut);
    // The protocol's commands want a survey; they are looked at as the menu opens.
    connect(MenuSurveyFile, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : MenuSurveyFile->actions()) {
            if (a->objectName().startsWith(QLatin1String("SurveyProtocol")) ||
                a->objectName() == QLatin1String("SurveyPrint")) {
                a->setEnabled(doc_ != nullptr);
            }
        }
    });
}

QWidget* TFSurvey::BuildTree() {
    auto* pane = new QWidget(this);
    TreeSurvey = new QTreeWidget(pane);
    TreeSurvey->setObjectName(QStringLiteral("TreeSurvey"));
    TreeSurvey->setColumnCount(2);
    TreeSurvey->setHeaderLabels({Text(kTreeHeaders[0]), Text(kTreeHeaders[1])});
    TreeSurvey->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    TreeSurvey->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    TreeSurvey->header()->setStretchLastSection(false);
    TreeSurvey->setMinimumWidth(240);
    connect(TreeSurvey, &QTreeWidget::currentItemChanged, this, [this] {
        WritePending();
        ShowItem();
    });

    ButtonAddWorkplace = MakeButton(pane, kAddWorkplace, "ButtonAddWorkplace");
    ButtonAddPoint = MakeButton(pane, kAddPoint, "ButtonAddPoint");
    ButtonAddHeight = MakeButton(pane, kAddHeight, "ButtonAddHeight");
    ButtonRemove = MakeButton(pane, kRemoveItem, "ButtonRemove");
    connect(ButtonAddWorkplace, &QPushButton::clicked, this, &TFSurvey::ButtonAddWorkplaceClick);
    connect(ButtonAddPoint, &QPushButton::clicked, this, &TFSurvey::ButtonAddPointClick);
    connect(ButtonAddHeight, &QPushButton::clicked, this, &TFSurvey::ButtonAddHeightClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFSurvey::ButtonRemoveClick);

    auto* add = new QHBoxLayout;
    add->addWidget(new QLabel(Text(kAddLabel), pane));
    add->addWidget(ButtonAddWorkplace);
    add->addWidget(ButtonAddPoint);
    add->addWidget(ButtonAddHeight);
    add->addStretch(1);
    auto* remove = new QHBoxLayout;
    remove->addStretch(1);
    remove->addWidget(ButtonRemove);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TreeSurvey, 1);
    layout->addLayout(add);
    layout->addLayout(remove);
    return pane;
}

QWidget* TFSurvey::BuildItemPage() {
    auto* page = new QWidget;
    LabelChoose = new QLabel(Text(kChooseItem), page);
    LabelChoose->setObjectName(QStringLiteral("LabelChoose"));
    LabelChoose->setWordWrap(true);

    GroupWorkplace = new QGroupBox(Text(kWorkplaceGroup), page);
    GroupWorkplace->setObjectName(QStringLiteral("GroupWorkplace"));
    auto* wf = new QFormLayout(GroupWorkplace);
    EditWorkplaceName = MakeEdit(GroupWorkplace, "EditWorkplaceName");
    ComboCategory = new QComboBox(GroupWorkplace);
    ComboCategory->setObjectName(QStringLiteral("ComboCategory"));
    for (const WorkCategory c : {WorkCategory::Ia, WorkCategory::Ib, WorkCategory::IIa,
                                 WorkCategory::IIb, WorkCategory::III}) {
        ComboCategory->addItem(CategoryText(c), static_cast<int>(c));
    }
    ComboPosture = new QComboBox(GroupWorkplace);
    ComboPosture->setObjectName(QStringLiteral("ComboPosture"));
    ComboPosture->addItems({Text(kPostures[0]), Text(kPostures[1])});
    SpinShiftHours = new QDoubleSpinBox(GroupWorkplace);
    SpinShiftHours->setObjectName(QStringLiteral("SpinShiftHours"));
    SpinShiftHours->setRange(kSurveyMinShiftHours, kSurveyMaxShiftHours);
    SpinShiftHours->setDecimals(1);
    SpinShiftHours->setSingleStep(0.5);
    wf->addRow(Text(kWorkplaceName), EditWorkplaceName);
    wf->addRow(Text(kCategory), ComboCategory);
    wf->addRow(Text(kPosture), ComboPosture);
    wf->addRow(Text(kShiftHours), SpinShiftHours);

    GroupPoint = new QGroupBox(Text(kPointGroup), page);
    GroupPoint->setObjectName(QStringLiteral("GroupPoint"));
    auto* pf = new QFormLayout(GroupPoint);
    EditPointName = MakeEdit(GroupPoint, "EditPointName");
    pf->addRow(Text(kPointName), EditPointName);

    GroupHeight = new QGroupBox(Text(kHeightGroup), page);
    GroupHeight->setObjectName(QStringLiteral("GroupHeight"));
    auto* hf = new QFormLayout(GroupHeight);
    SpinHeight = new QDoubleSpinBox(GroupHeight);
    SpinHeight->setObjectName(QStringLiteral("SpinHeight"));
    SpinHeight->setRange(kSurveyMinHeight, kSurveyMaxHeight);
    SpinHeight->setDecimals(2);
    SpinHeight->setSingleStep(0.1);
    EditAirSpeed = MakeEdit(GroupHeight, "EditAirSpeed");
    EditAirSpeed->setPlaceholderText(Text(kAirSpeedNotMeasured));
    LabelAirSpeedNote = new QLabel(GroupHeight);
    LabelAirSpeedNote->setObjectName(QStringLiteral("LabelAirSpeedNote"));
    LabelAirSpeedNote->setWordWrap(true);
    LabelAirSpeedNote->hide();
    hf->addRow(Text(kHeightMetres), SpinHeight);
    hf->addRow(Text(kAirSpeed), EditAirSpeed);
    hf->addRow(LabelAirSpeedNote);
    ComboIrradiatedShare = new QComboBox(GroupHeight);
    ComboIrradiatedShare->setObjectName(QStringLiteral("ComboIrradiatedShare"));
    for (const char* share : kIrradiatedShareNames) ComboIrradiatedShare->addItem(Text(share));
    hf->addRow(Text(kIrradiatedShareLabel), ComboIrradiatedShare);

    // The figures stand above the measurements, and come first on Tab.
    auto* figures = new QGroupBox(Text(kFiguresGroup), page);
    figures->setObjectName(QStringLiteral("GroupFigures"));
    TableFigures = MakeTable(figures, "TableFigures", kFigureHeaders, 9);
    TableFigures->setAccessibleName(Text(kFiguresGroup));
    TableFigures->setSelectionMode(QAbstractItemView::NoSelection);
    LabelVerdict = new QLabel(figures);
    LabelVerdict->setObjectName(QStringLiteral("LabelVerdict"));
    LabelVerdict->setWordWrap(true);
    LabelVerdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* fl = new QVBoxLayout(figures);
    fl->addWidget(TableFigures);
    fl->addWidget(LabelVerdict);

    auto* measurements = new QGroupBox(Text(kMeasurementsGroup), page);
    measurements->setObjectName(QStringLiteral("GroupMeasurements"));
    TableMeasurements = MakeTable(measurements, "TableMeasurements", kMeasurementHeaders, 6);
    TableMeasurements->setAccessibleName(Text(kMeasurementsGroup));
    ButtonRemoveMeasurement = MakeButton(measurements, kRemoveMeasurement, "ButtonRemoveMeasurement");
    connect(ButtonRemoveMeasurement, &QPushButton::clicked, this,
            &TFSurvey::ButtonRemoveMeasurementClick);
    ButtonMoveMeasurement = MakeButton(measurements, kMoveMeasurement, "ButtonMoveMeasurement");
    connect(ButtonMoveMeasurement, &QPushButton::clicked, this,
            &TFSurvey::ButtonMoveMeasurementClick);
    // The table's context menu holds the buttons' commands.
    TableMeasurements->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QPushButton* b : {ButtonMoveMeasurement, ButtonRemoveMeasurement}) {
        auto* a = new QAction(b->text(), TableMeasurements);
        connect(a, &QAction::triggered, b, &QPushButton::click);
        TableMeasurements->addAction(a);
    }
    auto* ml = new QVBoxLayout(measurements);
    ml->addWidget(TableMeasurements);
    auto* mb = new QHBoxLayout;
    mb->addStretch(1);
    mb->addWidget(ButtonMoveMeasurement);
    mb->addWidget(ButtonRemoveMeasurement);
    ml->addLayout(mb);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(LabelChoose);
    layout->addWidget(GroupWorkplace);
    layout->addWidget(GroupPoint);
    layout->addWidget(GroupHeight);
    layout->addWidget(figures);
    layout->addWidget(measurements);
    layout->addStretch(1);
    return page;
}

QWidget* TFSurvey::BuildButtons() {
    auto* row = new QWidget(this);
    ButtonLive = MakeButton(row, kStartLive, "ButtonLive");
    ButtonTakeSpan = MakeButton(row, kTakeSpan, "ButtonTakeSpan");
    ButtonProtocolPdf = MakeButton(row, kProtocolPdf, "ButtonProtocolPdf");
    ButtonProtocolXlsx = MakeButton(row, kProtocolXlsx, "ButtonProtocolXlsx");
    ButtonPrint = MakeButton(row, kProtocolPrint, "ButtonPrint");
    connect(ButtonLive, &QPushButton::clicked, this, &TFSurvey::ButtonLiveClick);
    connect(ButtonTakeSpan, &QPushButton::clicked, this, &TFSurvey::ButtonTakeSpanClick);
    connect(ButtonProtocolPdf, &QPushButton::clicked, this, [this] { ButtonProtocolPdfClick(); });
    connect(ButtonProtocolXlsx, &QPushButton::clicked, this, [this] { ButtonProtocolXlsxClick(); });
    connect(ButtonPrint, &QPushButton::clicked, this, &TFSurvey::ButtonPrintClick);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ButtonLive);
    layout->addWidget(ButtonTakeSpan);
    layout->addStretch(1);
    layout->addWidget(ButtonProtocolPdf);
    layout->addWidget(ButtonProtocolXlsx);
    layout->addWidget(ButtonPrint);
    return row;
}

void TFSurvey::Say(const QString& text) {
    LabelStatus->setText(text);
}

void TFSurvey::hideEvent(QHideEvent* e) {
    WritePending();
    QWidget::hideEvent(e);
}

}  // namespace lmr

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
#include "surveyui/SurveyTables.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr int kWriteDelayMs = 500;
QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

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

}  // namespace

void FitRows(QTableWidget* t) {
    constexpr int kLeast = 2;
    constexpr int kMost = 8;
    const int rows = std::clamp(t->rowCount(), kLeast, kMost);
    const int rowHeight = t->verticalHeader()->defaultSectionSize();
    const int scrollBar = t->horizontalScrollBar()->sizeHint().height();
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height() + rows * rowHeight + scrollBar +
                      2 * t->frameWidth());
}

namespace {

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

QString DayText(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

// The span of the logger page to take for a height, asked in a dialog that names the height and
// shows the records' dates beside the survey's days: from and to, the whole by default.
std::optional<TimeSpan> AskSpanInDialog(QWidget* parent, const LoggerTable& table,
                                        const TimeSpan& whole, const QString& place,
                                        const SurveyHeader& header) {
    QDialog dialog(parent);
    dialog.setWindowTitle(Text(kSpanCaption));
    dialog.setMinimumWidth(380);  // the title in full
    auto* form = new QFormLayout(&dialog);
    auto* forWhat = new QLabel(Text(kSpanFor).arg(place), &dialog);
    forWhat->setTextFormat(Qt::PlainText);
    forWhat->setWordWrap(true);
    const QString days =
        header.firstDate.isValid() || header.lastDate.isValid()
            ? QStringLiteral("%1 – %2").arg(DayText(header.firstDate), DayText(header.lastDate))
            : Text(kDaysNotGiven);
    auto* surveyDays = new QLabel(Text(kSpanSurveyDays).arg(days), &dialog);
    auto* from = new QDateTimeEdit(whole.from, &dialog);
    auto* to = new QDateTimeEdit(whole.to, &dialog);
    for (QDateTimeEdit* e : {from, to}) {
        e->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        e->setDateTimeRange(whole.from, whole.to);
    }
    auto* count = new QLabel(&dialog);
    auto* dates = new QLabel(&dialog);
    const auto recount = [&] {
        const SurveyMeasurement m =
            SpanMeasurement(table, {from->dateTime(), to->dateTime()}, QString());
        count->setText(Text(kSpanCount).arg(m.readings.size()));
        const std::optional<TimeSpan> span = ReadingsSpan(m.readings);
        const QString moment = QStringLiteral("dd.MM.yyyy HH:mm");
        dates->setText(span ? Text(kSpanDates).arg(span->from.toString(moment),
                                                   span->to.toString(moment))
                            : QString());
    };
    QObject::connect(from, &QDateTimeEdit::dateTimeChanged, &dialog, recount);
    QObject::connect(to, &QDateTimeEdit::dateTimeChanged, &dialog, recount);
    recount();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(kTake));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(forWhat);
    form->addRow(surveyDays);
    form->addRow(Text(kSpanFrom), from);
    form->addRow(Text(kSpanTo), to);
    form->addRow(count);
    form->addRow(dates);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return TimeSpan{from->dateTime(), to->dateTime()};
}

// The height to move a measurement to, chosen from a list.
std::optional<qint64> AskHeightInDialog(QWidget* parent, const QString& what,
                                        const std::vector<std::pair<qint64, QString>>& heights) {
    QDialog dialog(parent);
    dialog.setWindowTitle(Text(kMoveCaption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(Text(kMoveTo).arg(what), &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto* choice = new QComboBox(&dialog);
    for (const auto& [id, place] : heights) choice->addItem(place, id);
    label->setBuddy(choice);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(kMove));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(choice);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return choice->currentData().toLongLong();
}

// A question answered by yes (its own caption) or the default Отмена.
bool AskInBox(QWidget* parent, const QString& question, const char* yesCaption,
              QMessageBox::ButtonRole yesRole) {
    QMessageBox box(QMessageBox::Question, parent->windowTitle(), question, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(Text(yesCaption), yesRole);
    box.setDefaultButton(box.addButton(Text(kKeep), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}

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

QWidget* TFSurvey::BuildSurveyPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildHeaderGroup());
    layout->addWidget(BuildLaboratoryGroup());
    layout->addWidget(BuildInstrumentGroup());
    layout->addStretch(1);
    return page;
}

QGroupBox* TFSurvey::BuildHeaderGroup() {
    auto* group = new QGroupBox(Text(kHeaderGroup));
    auto* form = new QFormLayout(group);
    EditOrganisation = MakeEdit(group, "EditOrganisation");
    EditAddress = MakeEdit(group, "EditAddress");
    EditCustomer = MakeEdit(group, "EditCustomer");
    EditPurpose = MakeEdit(group, "EditPurpose");
    EditPurpose->setMaxLength(kSurveyPurposeLimit);
    EditProtocolNumber = MakeEdit(group, "EditProtocolNumber");
    DateProtocol = MakeDate(group, "DateProtocol");
    DateFirst = MakeDate(group, "DateFirst");
    DateLast = MakeDate(group, "DateLast");
    EditOperators = MakeEdit(group, "EditOperators");
    ComboSeason = new QComboBox(group);
    ComboSeason->setObjectName(QStringLiteral("ComboSeason"));
    ComboSeason->addItems({SeasonText(Season::Cold), SeasonText(Season::Warm)});
    ComboKind = new QComboBox(group);
    ComboKind->setObjectName(QStringLiteral("ComboKind"));
    ComboKind->addItems({Text(kKinds[0]), Text(kKinds[1])});
    EditOutdoor = MakeEdit(group, "EditOutdoor");
    EditOutdoor->setPlaceholderText(Text(kNotGiven));
    LabelOutdoorNote = new QLabel(group);
    LabelOutdoorNote->setObjectName(QStringLiteral("LabelOutdoorNote"));
    LabelOutdoorNote->setWordWrap(true);
    LabelOutdoorNote->hide();

    form->addRow(Text(kOrganisation), EditOrganisation);
    form->addRow(Text(kAddress), EditAddress);
    form->addRow(Text(kCustomer), EditCustomer);
    form->addRow(Text(kPurpose), EditPurpose);
    form->addRow(Text(kProtocolNumber), EditProtocolNumber);
    form->addRow(Text(kProtocolDate), DateProtocol);
    auto* dates = new QHBoxLayout;
    dates->addWidget(DateFirst);
    auto* toLabel = new QLabel(Text(kLastDate), group);
    toLabel->setBuddy(DateLast);
    dates->addWidget(toLabel);
    dates->addWidget(DateLast);
    dates->addStretch(1);
    form->addRow(Text(kFirstDate), dates);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(dates))) label->setBuddy(DateFirst);
    form->addRow(Text(kOperators), EditOperators);
    form->addRow(Text(kSeason), ComboSeason);
    form->addRow(Text(kKind), ComboKind);
    form->addRow(Text(kOutdoor), EditOutdoor);
    form->addRow(LabelOutdoorNote);
    return group;
}

QGroupBox* TFSurvey::BuildInstrumentGroup() {
    auto* group = new QGroupBox(Text(kInstrumentGroup));
    auto* form = new QFormLayout(group);
    // Made in the order they stand, which Tab follows.
    EditModel = MakeEdit(group, "EditModel");
    ButtonFromMeter = MakeButton(group, kFromMeter, "ButtonFromMeter");
    EditHead = MakeEdit(group, "EditHead");
    EditTypeName = MakeEdit(group, "EditTypeName");
    EditRegisterNumber = MakeEdit(group, "EditRegisterNumber");
    EditRanges = MakeEdit(group, "EditRanges");
    EditSerial = MakeEdit(group, "EditSerial");
    EditCertificate = MakeEdit(group, "EditCertificate");
    DateCertificate = MakeDate(group, "DateCertificate");
    DateValidUntil = MakeDate(group, "DateValidUntil");
    EditErrorAir = MakeEdit(group, "EditErrorAir");
    EditErrorRh = MakeEdit(group, "EditErrorRh");
    EditErrorGlobe = MakeEdit(group, "EditErrorGlobe");
    EditErrorSpeed = MakeEdit(group, "EditErrorSpeed");
    EditErrorSpeedPercent = MakeEdit(group, "EditErrorSpeedPercent");
    for (QLineEdit* e : {EditErrorAir, EditErrorRh, EditErrorGlobe, EditErrorSpeed,
                         EditErrorSpeedPercent}) {
        e->setPlaceholderText(Text(kNotGiven));
    }
    LabelErrorNote = new QLabel(group);
    LabelErrorNote->setObjectName(QStringLiteral("LabelErrorNote"));
    LabelErrorNote->setWordWrap(true);
    LabelErrorNote->hide();
    connect(ButtonFromMeter, &QPushButton::clicked, this, &TFSurvey::ButtonFromMeterClick);
    auto* model = new QHBoxLayout;
    model->addWidget(EditModel, 1);
    model->addWidget(ButtonFromMeter);
    form->addRow(Text(kModel), model);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(model))) label->setBuddy(EditModel);
    form->addRow(Text(kHead), EditHead);
    form->addRow(Text(kTypeName), EditTypeName);
    form->addRow(Text(kRegisterNumber), EditRegisterNumber);
    form->addRow(Text(kRanges), EditRanges);
    form->addRow(Text(kSerial), EditSerial);
    form->addRow(Text(kCertificate), EditCertificate);
    form->addRow(Text(kCertificateDate), DateCertificate);
    form->addRow(Text(kValidUntil), DateValidUntil);
    form->addRow(Text(kErrorAir), EditErrorAir);
    form->addRow(Text(kErrorRh), EditErrorRh);
    form->addRow(Text(kErrorGlobe), EditErrorGlobe);
    form->addRow(Text(kErrorSpeed), EditErrorSpeed);
    form->addRow(Text(kErrorSpeedPercent), EditErrorSpeedPercent);
    form->addRow(LabelErrorNote);
    return group;
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

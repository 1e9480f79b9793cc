// The survey window's construction: the tree, the two pages, the buttons and the status line.
#include "surveyui/FormSurvey.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
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
#include "surveyui/SurveyTables.h"
#include "surveyui/SurveyTexts.h"

namespace lmr {

namespace {

constexpr int kWriteDelayMs = 500;
// A date field's lowest date stands for "not given".
const QDate kNoDate(2000, 1, 1);

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // No more than the file may hold.
    e->setMaxLength(kSurveyTextLimit);
    return e;
}

QDateEdit* MakeDate(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setMinimumDate(kNoDate);
    d->setSpecialValueText(Text(kNotGiven));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setDate(kNoDate);
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

// The span of the logger page to take, asked in a dialog: from and to, the whole by default.
std::optional<TimeSpan> AskSpanInDialog(QWidget* parent, const LoggerTable& table,
                                        const TimeSpan& whole) {
    QDialog dialog(parent);
    dialog.setWindowTitle(Text(kSpanCaption));
    dialog.setMinimumWidth(380);  // the title in full
    auto* form = new QFormLayout(&dialog);
    auto* from = new QDateTimeEdit(whole.from, &dialog);
    auto* to = new QDateTimeEdit(whole.to, &dialog);
    for (QDateTimeEdit* e : {from, to}) {
        e->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        e->setDateTimeRange(whole.from, whole.to);
    }
    auto* count = new QLabel(&dialog);
    const auto recount = [&] {
        count->setText(Text(kSpanCount).arg(
            SpanMeasurement(table, {from->dateTime(), to->dateTime()}, QString())
                .readings.size()));
    };
    QObject::connect(from, &QDateTimeEdit::dateTimeChanged, &dialog, recount);
    QObject::connect(to, &QDateTimeEdit::dateTimeChanged, &dialog, recount);
    recount();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(kTake));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(Text(kSpanFrom), from);
    form->addRow(Text(kSpanTo), to);
    form->addRow(count);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return TimeSpan{from->dateTime(), to->dateTime()};
}

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
    layout->addWidget(splitter, 1);
    layout->addWidget(BuildButtons());
    layout->addWidget(LabelStatus);

    timerWrite_ = new QTimer(this);
    timerWrite_->setSingleShot(true);
    timerWrite_->setInterval(kWriteDelayMs);
    connect(timerWrite_, &QTimer::timeout, this, &TFSurvey::WritePending);
    ConnectFields();
    ConnectItemFields();
    timerLiveWatch_ = new QTimer(this);
    timerLiveWatch_->setInterval(kLiveWatchMs);
    connect(timerLiveWatch_, &QTimer::timeout, this, &TFSurvey::WatchLive);
    connect(&host_.Live(), &LiveSession::rowsAdded, this, &TFSurvey::TakeLiveRows);
    connect(&host_.Live(), &LiveSession::cleared, this, [this] { liveRowsBefore_ = 0; });

    AskPath = [this](const QString& caption, const QString& filter, const QString& suffix) {
        // Surveys and protocols are documents; the dialog starts where the last one went.
        if (folder_.isEmpty()) {
            folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        }
        QFileDialog dialog(this, caption, folder_, filter);
        dialog.setFileMode(suffix.isEmpty() ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setAcceptMode(suffix.isEmpty() ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        // The suffix is added before the dialog asks whether to replace a file of that name.
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        const QString path = dialog.selectedFiles().first();
        folder_ = QFileInfo(path).absolutePath();
        return path;
    };
    AskSpan = [this](const TimeSpan& whole) {
        return AskSpanInDialog(this, host_.Logger(), whole);
    };
    AskConfirm = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::NoButton, this);
        box.setTextFormat(Qt::PlainText);  // the item's name as typed
        QPushButton* yes = box.addButton(Text(kRemove), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(Text(kKeep), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == yes;
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
    WritePending();
    // The fields lose the keyboard as the window goes, which would write them to a window
    // already half gone.
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->disconnect(this);
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
    EditModel = MakeEdit(group, "EditModel");
    EditHead = MakeEdit(group, "EditHead");
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
    ButtonFromMeter = MakeButton(group, kFromMeter, "ButtonFromMeter");
    connect(ButtonFromMeter, &QPushButton::clicked, this, &TFSurvey::ButtonFromMeterClick);
    auto* model = new QHBoxLayout;
    model->addWidget(EditModel, 1);
    model->addWidget(ButtonFromMeter);
    form->addRow(Text(kModel), model);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(model))) label->setBuddy(EditModel);
    form->addRow(Text(kHead), EditHead);
    EditTypeName = MakeEdit(group, "EditTypeName");
    EditRegisterNumber = MakeEdit(group, "EditRegisterNumber");
    EditRanges = MakeEdit(group, "EditRanges");
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

    auto* measurements = new QGroupBox(Text(kMeasurementsGroup), page);
    measurements->setObjectName(QStringLiteral("GroupMeasurements"));
    TableMeasurements = MakeTable(measurements, "TableMeasurements", kMeasurementHeaders, 6);
    TableMeasurements->setAccessibleName(Text(kMeasurementsGroup));
    ButtonRemoveMeasurement = MakeButton(measurements, kRemoveMeasurement, "ButtonRemoveMeasurement");
    connect(ButtonRemoveMeasurement, &QPushButton::clicked, this,
            &TFSurvey::ButtonRemoveMeasurementClick);
    auto* ml = new QVBoxLayout(measurements);
    ml->addWidget(TableMeasurements);
    auto* mb = new QHBoxLayout;
    mb->addStretch(1);
    mb->addWidget(ButtonRemoveMeasurement);
    ml->addLayout(mb);

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

// The assessment window's widgets: made, laid out and connected to what they change.
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "windows/FormAssess.h"

namespace lmr {

namespace {

constexpr int kRefreshMs = 1000;

QDateTimeEdit* MakeTimeEdit(QWidget* parent) {
    auto* e = new QDateTimeEdit(parent);
    e->setTimeSpec(Qt::UTC);
    e->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    e->setEnabled(false);
    return e;
}

QTableWidget* MakeTable(int rows, const QStringList& columns, QWidget* parent) {
    auto* t = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
    t->setHorizontalHeaderLabels(columns);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setWordWrap(true);
    return t;
}

}  // namespace

TFAssess::TFAssess(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FAssess"));
    setWindowTitle(QString::fromUtf8(kAssessTitle));
    setAttribute(Qt::WA_QuitOnClose, false);

    QGroupBox* inputs = BuildInputs();
    QLabel* classCaption = BuildVerdict();
    QGroupBox* place = BuildPlace();

    auto* left = new QVBoxLayout;
    left->addWidget(inputs);
    left->addWidget(classCaption);
    left->addWidget(LabelClass);
    left->addWidget(LabelFactor);
    left->addWidget(LabelWbgt);
    left->addWidget(TableFigures);
    left->addStretch(1);

    TableResults = MakeTable(0, {QStringLiteral("Показатель"), QStringLiteral("Значение")}, this);
    TableResults->setObjectName(QStringLiteral("TableResults"));
    TableResults->setAccessibleName(QStringLiteral("Результаты оценки"));
    TableResults->verticalHeader()->hide();
    TableResults->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    TableResults->horizontalHeader()->setStretchLastSection(true);
    TableResults->setColumnWidth(0, 250);

    auto* right = new QVBoxLayout;
    right->addWidget(TableResults, 1);
    right->addWidget(place);

    // The inputs scroll on a screen lower than they are (a small laptop's 600 pixels).
    auto* leftPane = new QWidget;
    leftPane->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    auto* leftScroll = new QScrollArea(this);
    leftScroll->setObjectName(QStringLiteral("ScrollInputs"));
    leftScroll->setFrameShape(QFrame::NoFrame);
    leftScroll->setWidgetResizable(true);
    leftScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    leftScroll->setWidget(leftPane);
    leftScroll->setMinimumWidth(leftPane->sizeHint().width() +
                                leftScroll->verticalScrollBar()->sizeHint().width());

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(leftScroll, 0);
    layout->addLayout(right, 1);
    resize(1120, 760);

    ConnectInputs();

    AirSpeedChange();
    CategoryChange();
}

QGroupBox* TFAssess::BuildInputs() {
    // Inputs.
    auto* inputs = new QGroupBox(QStringLiteral("Исходные данные"), this);
    auto* form = new QFormLayout(inputs);
    ComboBoxSource = new QComboBox(inputs);
    ComboBoxSource->setObjectName(QStringLiteral("ComboBoxSource"));
    ComboBoxSource->addItem(QString::fromUtf8(kSourceLive));
    ComboBoxSource->addItem(QString::fromUtf8(kSourceLogger));
    form->addRow(QStringLiteral("&Источник:"), ComboBoxSource);

    CheckBoxPeriod = new QCheckBox(QStringLiteral("Только за &период"), inputs);
    CheckBoxPeriod->setObjectName(QStringLiteral("CheckBoxPeriod"));
    DateTimeEditFrom = MakeTimeEdit(inputs);
    DateTimeEditFrom->setObjectName(QStringLiteral("DateTimeEditFrom"));
    DateTimeEditTo = MakeTimeEdit(inputs);
    DateTimeEditTo->setObjectName(QStringLiteral("DateTimeEditTo"));
    auto* period = new QHBoxLayout;
    auto* fromLabel = new QLabel(QStringLiteral("&с"), inputs);
    fromLabel->setBuddy(DateTimeEditFrom);
    auto* toLabel = new QLabel(QStringLiteral("п&о"), inputs);
    toLabel->setBuddy(DateTimeEditTo);
    period->addWidget(fromLabel);
    period->addWidget(DateTimeEditFrom);
    period->addWidget(toLabel);
    period->addWidget(DateTimeEditTo);
    form->addRow(CheckBoxPeriod, period);

    ComboBoxSeason = new QComboBox(inputs);
    ComboBoxSeason->setObjectName(QStringLiteral("ComboBoxSeason"));
    ComboBoxSeason->addItem(SeasonText(Season::Cold));
    ComboBoxSeason->addItem(SeasonText(Season::Warm));
    LabelSeasonNote = new QLabel(QString::fromUtf8(kSeasonNote), inputs);
    LabelSeasonNote->setObjectName(QStringLiteral("LabelSeasonNote"));
    LabelSeasonNote->setWordWrap(true);
    form->addRow(QStringLiteral("П&ериод года:"), ComboBoxSeason);
    form->addRow(LabelSeasonNote);

    ComboBoxCategory = new QComboBox(inputs);
    ComboBoxCategory->setObjectName(QStringLiteral("ComboBoxCategory"));
    for (const ThsNormRow& row : ThsNorms()) ComboBoxCategory->addItem(CategoryText(row.category));
    form->addRow(QStringLiteral("&Категория работ:"), ComboBoxCategory);

    EditAirSpeed = new QLineEdit(inputs);
    EditAirSpeed->setObjectName(QStringLiteral("EditAirSpeed"));
    EditAirSpeed->setPlaceholderText(QStringLiteral("не измерена"));
    LabelAirSpeedNote = new QLabel(inputs);
    LabelAirSpeedNote->setObjectName(QStringLiteral("LabelAirSpeedNote"));
    LabelAirSpeedNote->setWordWrap(true);
    form->addRow(QStringLiteral("Скорость во&здуха (анемометр), м/с:"), EditAirSpeed);
    form->addRow(LabelAirSpeedNote);

    ComboBoxIrradiatedShare = new QComboBox(inputs);
    ComboBoxIrradiatedShare->setObjectName(QStringLiteral("ComboBoxIrradiatedShare"));
    for (const char* share : kIrradiatedShareNames) {
        ComboBoxIrradiatedShare->addItem(QString::fromUtf8(share));
    }
    form->addRow(QString::fromUtf8(kIrradiatedShareLabel), ComboBoxIrradiatedShare);

    ComboBoxWorkLevel = new QComboBox(inputs);
    ComboBoxWorkLevel->setObjectName(QStringLiteral("ComboBoxWorkLevel"));
    for (const WorkLevel& level : WbgtWorkLevels()) {
        ComboBoxWorkLevel->addItem(WorkLevelText(level.watts));
    }
    ComboBoxWorkLevel->addItem(QStringLiteral("другая (M задаётся)"));
    SpinBoxM = new QSpinBox(inputs);
    SpinBoxM->setObjectName(QStringLiteral("SpinBoxM"));
    SpinBoxM->setRange(60, 1000);
    SpinBoxM->setSuffix(QStringLiteral(" Вт"));
    SpinBoxM->setAccessibleName(QStringLiteral("M, Вт"));
    auto* level = new QHBoxLayout;
    level->addWidget(ComboBoxWorkLevel, 1);
    level->addWidget(SpinBoxM);
    form->addRow(QStringLiteral("&Уровень работ (WBGT):"), level);
    if (auto* l = qobject_cast<QLabel*>(form->labelForField(level))) l->setBuddy(ComboBoxWorkLevel);

    CheckBoxAcclimatised = new QCheckBox(QStringLiteral("Работник &акклиматизирован"), inputs);
    CheckBoxAcclimatised->setObjectName(QStringLiteral("CheckBoxAcclimatised"));
    CheckBoxAcclimatised->setChecked(true);
    form->addRow(CheckBoxAcclimatised);
    return inputs;
}

// The class, the factor that set it, the WBGT verdict and the figures; the caption above them.
QLabel* TFAssess::BuildVerdict() {
    // The class and the WBGT verdict.
    auto* classCaption =
        new QLabel(QStringLiteral("Класс условий труда по показателям микроклимата:"), this);
    LabelClass = new QLabel(this);
    LabelClass->setObjectName(QStringLiteral("LabelClass"));
    LabelClass->setAlignment(Qt::AlignCenter);
    LabelClass->setWordWrap(true);
    LabelClass->setAutoFillBackground(true);
    LabelClass->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    LabelClass->setMinimumHeight(56);
    QFont big = LabelClass->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    LabelClass->setFont(big);
    classCaption->setBuddy(LabelClass);
    LabelFactor = new QLabel(this);
    LabelFactor->setObjectName(QStringLiteral("LabelFactor"));
    LabelFactor->setWordWrap(true);
    LabelWbgt = new QLabel(this);
    LabelWbgt->setObjectName(QStringLiteral("LabelWbgt"));
    LabelWbgt->setWordWrap(true);
    TableFigures = MakeTable(4,
                             {QStringLiteral("Среднее"), QStringLiteral("Мин."),
                              QStringLiteral("Макс."), QStringLiteral("Средневзв.")},
                             this);
    TableFigures->setObjectName(QStringLiteral("TableFigures"));
    TableFigures->setVerticalHeaderLabels({QStringLiteral("tв, °C"), QStringLiteral("RH, %"),
                                           QStringLiteral("ТНС, °C"), QStringLiteral("WBGT, °C")});
    TableFigures->setAccessibleName(QStringLiteral("Показатели"));
    TableFigures->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    TableFigures->setFixedHeight(TableFigures->horizontalHeader()->sizeHint().height() +
                                 4 * TableFigures->verticalHeader()->defaultSectionSize() + 4);
    return classCaption;
}

QGroupBox* TFAssess::BuildPlace() {
    // The place of measurement, for the protocol.
    auto* place = new QGroupBox(QStringLiteral("Место измерений (для протокола)"), this);
    auto* placeForm = new QFormLayout(place);
    for (int i = 0; i < kPlaceFieldCount; ++i) {
        auto* e = new QLineEdit(place);
        e->setObjectName(QStringLiteral("EditPlace%1").arg(i + 1));
        placeForm->addRow(QString::fromUtf8(kPlaceFieldNames[i]) + QLatin1Char(':'), e);
        EditPlace[static_cast<std::size_t>(i)] = e;
    }
    return place;
}

void TFAssess::ConnectInputs() {
    TimerRefresh = new QTimer(this);
    TimerRefresh->setObjectName(QStringLiteral("TimerRefresh"));
    TimerRefresh->setInterval(kRefreshMs);
    connect(TimerRefresh, &QTimer::timeout, this, &TFAssess::TimerRefreshTimer);

    const auto recompute = [this] { Recompute(); };
    connect(ComboBoxSource, qOverload<int>(&QComboBox::currentIndexChanged), this, recompute);
    // The window sets the period of the year and the work level with their signals blocked: a
    // change that comes through is the user's pick, and the defaults stop following.
    connect(ComboBoxSeason, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        seasonPicked_ = true;
        LabelSeasonNote->setText(
            QStringLiteral("Выбран вручную. Тёплый период — среднесуточная температура "
                           "наружного воздуха выше +10 °C."));
        Recompute();
    });
    connect(ComboBoxCategory, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TFAssess::CategoryChange);
    connect(EditAirSpeed, &QLineEdit::textChanged, this, &TFAssess::AirSpeedChange);
    connect(ComboBoxIrradiatedShare, qOverload<int>(&QComboBox::currentIndexChanged), this,
            recompute);
    connect(ComboBoxWorkLevel, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        workLevelPicked_ = true;
        WorkLevelChange();
    });
    connect(SpinBoxM, qOverload<int>(&QSpinBox::valueChanged), this, recompute);
    connect(CheckBoxAcclimatised, &QCheckBox::toggled, this, recompute);
    connect(CheckBoxPeriod, &QCheckBox::toggled, this, [this](bool on) {
        DateTimeEditFrom->setEnabled(on);
        DateTimeEditTo->setEnabled(on);
        Recompute();
    });
    connect(DateTimeEditFrom, &QDateTimeEdit::dateTimeChanged, this, recompute);
    connect(DateTimeEditTo, &QDateTimeEdit::dateTimeChanged, this, recompute);
}
}  // namespace lmr

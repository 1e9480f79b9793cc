#include "app/FormLogo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "windows/WindowPlacement.h"

// The picture lives in a statically linked library, so its resource is registered by hand.
static void InitWindowResources() {
    Q_INIT_RESOURCE(windows);
}

namespace lmr {

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);

QTextEdit* Memo(QWidget* parent, const char* name, const QRect& place, const QString& text,
                int pixelSize, bool italic) {
    auto* memo = new QTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(place);
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->viewport()->setCursor(Qt::ArrowCursor);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setItalic(italic);
    memo->setFont(font);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, kSkyBlue);
    memo->setPalette(palette);
    memo->document()->setDocumentMargin(0);
    QTextOption option = memo->document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    memo->document()->setDefaultTextOption(option);
    memo->setPlainText(text);
    // Lines a fixed two pixels apart, so the lines of each memo fit its height whatever
    // face stands in for the form's.
    QTextCursor all(memo->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat lines;
    lines.setLineHeight(pixelSize + 2, QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(lines);
    memo->setAccessibleName(text);
    return memo;
}

}  // namespace

TFLogo::TFLogo(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    InitWindowResources();
    setWindowTitle(QStringLiteral("FLogo"));
    PlaceFixedWindow(this, 604, 211);

    PanelLogo = new QFrame(this);
    PanelLogo->setObjectName(QStringLiteral("PanelLogo"));
    PanelLogo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelLogo->setGeometry(0, 0, 605, 211);

    ImageLMR = new QLabel(PanelLogo);
    ImageLMR->setObjectName(QStringLiteral("ImageLMR"));
    ImageLMR->setGeometry(2, 3, 300, 205);
    ImageLMR->setPixmap(QPixmap(QStringLiteral(":/windows/logo.jpg")));
    ImageLMR->setAccessibleName(QStringLiteral("ЛМР"));

    PanelAtributi = new QFrame(PanelLogo);
    PanelAtributi->setObjectName(QStringLiteral("PanelAtributi"));
    PanelAtributi->setGeometry(304, 0, 300, 211);
    PanelAtributi->setAutoFillBackground(true);
    QPalette sky = PanelAtributi->palette();
    sky.setColor(QPalette::Window, kSkyBlue);
    PanelAtributi->setPalette(sky);

    Memo1 = Memo(PanelAtributi, "Memo1", QRect(4, 12, 292, 38),
                 QStringLiteral("Программа ЛМР\nизмеритель микроклимата"), 17, false);
    Memo2 = Memo(PanelAtributi, "Memo2", QRect(4, 64, 292, 19),
                 QStringLiteral("Оценка теплового состояния"), 16, true);
    Memo3 = Memo(PanelAtributi, "Memo3", QRect(4, 88, 292, 57),
                 QStringLiteral("RH, температура воздуха tв\n"
                                "и чёрного шара tсф; расчёт\n"
                                "ТНС, WBGT, tвт, tтр, tрад, W"),
                 13, false);
    Memo4 = Memo(PanelAtributi, "Memo4", QRect(4, 144, 292, 60),
                 QStringLiteral("Справка: меню \"?\" или клавиша F1\n"
                                "Протокол обследования: меню\n"
                                "\"Обследование\" → \"Протокол PDF…\"\n"
                                "Щелчок или Esc закрывает это окно"),
                 13, false);

    for (QObject* target :
         {static_cast<QObject*>(PanelLogo), static_cast<QObject*>(ImageLMR),
          static_cast<QObject*>(PanelAtributi), static_cast<QObject*>(Memo1->viewport()),
          static_cast<QObject*>(Memo2->viewport()), static_cast<QObject*>(Memo3->viewport()),
          static_cast<QObject*>(Memo4->viewport())})
        target->installEventFilter(this);
}

bool TFLogo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return QWidget::eventFilter(watched, event);
    using Handler = void (TFLogo::*)();
    const std::pair<QObject*, Handler> targets[] = {
        {PanelLogo, &TFLogo::PanelLogoClick},         {ImageLMR, &TFLogo::ImageLMRClick},
        {PanelAtributi, &TFLogo::PanelAtributiClick}, {Memo1->viewport(), &TFLogo::Memo1Click},
        {Memo2->viewport(), &TFLogo::Memo2Click},     {Memo3->viewport(), &TFLogo::Memo3Click},
        {Memo4->viewport(), &TFLogo::Memo4Click},
    };
    for (const auto& [target, handler] : targets) {
        if (target == watched) {
            (this->*handler)();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFLogo::PanelLogoClick() {
    close();
}
void TFLogo::ImageLMRClick() {
    close();
}
void TFLogo::PanelAtributiClick() {
    close();
}
void TFLogo::Memo1Click() {
    close();
}
void TFLogo::Memo2Click() {
    close();
}
void TFLogo::Memo3Click() {
    close();
}
void TFLogo::Memo4Click() {
    close();
}

void TFLogo::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (QApplication::activeWindow() != this) before_ = QApplication::activeWindow();
}

void TFLogo::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    // The window manager may leave no window with the keyboard once the splash that had it
    // is gone.
    if (isActiveWindow() && before_ != nullptr && before_->isVisible()) before_->activateWindow();
    before_ = nullptr;
}

}  // namespace lmr

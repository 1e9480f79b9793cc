#include "app/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace lmr {

QSize ElidedLabel::minimumSizeHint() const {
    return {minimumWidth(), QLabel::minimumSizeHint().height()};
}

QString ElidedLabel::ShownText() const {
    const int room = contentsRect().width() - 2 * margin() - 2 * indent();
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(room, 0));
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), ShownText(),
                          foregroundRole());
}

}  // namespace lmr

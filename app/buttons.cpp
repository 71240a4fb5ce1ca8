#include "app/buttons.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QStyleOptionButton>

QPushButton* addButton(QWidget& window, const Window::Button& spec)
{
    auto* button = new QPushButton(spec.caption, &window);
    button->setObjectName(spec.name);
    button->setGeometry(spec.x, spec.y, spec.width, spec.height);
    button->setAccessibleName(spec.accessibleName);
    button->setAccessibleDescription(spec.description);
    button->setPalette(QGuiApplication::palette());
    fitCaption(*button, window.font());
    return button;
}

void fitCaption(QPushButton& button, QFont font)
{
    constexpr qreal smallest = 6;
    constexpr int air = 2;
    for (;; font.setPointSizeF(font.pointSizeF() - 0.5)) {
        button.setFont(font);
        QStyleOptionButton option;
        option.initFrom(&button);
        const int room =
            button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width() - 2 * air;
        if (button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width() <= room ||
            font.pointSizeF() - 0.5 < smallest)
            return;
    }
}

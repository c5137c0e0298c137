#include "windows/design_scaling.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>

#include "windows/window_geometry.h"

namespace kestrani {

namespace {

const char* const followsTextProperty = "kestraniFollowsText";

QFont scaledFont(QFont font, DesignScale scale) {
    if (font.pixelSize() > 0)
        font.setPixelSize(scaleFontPixelHeight(font.pixelSize(), scale));
    return font;
}

void scaleChildren(QWidget& parent, DesignScale scale) {
    for (QObject* object : parent.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        const QRect g = child->geometry();
        const WindowRect scaled = scaleControl({g.x(), g.y(), g.width(), g.height()}, scale);
        child->setGeometry(scaled.left, scaled.top, scaled.width, scaled.height);
        if (child->testAttribute(Qt::WA_SetFont))
            child->setFont(scaledFont(child->font(), scale));
        if (child->property(followsTextProperty).toBool())
            child->adjustSize();
        scaleChildren(*child, {scale.numerator, scale.denominator, 0});
    }
}

// Where a button's caption is drawn.
int captionRoom(QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(&button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(&button))
        contents = QStyle::SE_RadioButtonContents;
    return button.style()->subElementRect(contents, &option, &button).width();
}

void fitAll(QWidget& parent, const QWidget& window) {
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        fitText(*child, window);
        fitAll(*child, window);
    }
}

}  // namespace

void scaleContents(QWidget& window, DesignScale scale) {
    window.setFont(scaledFont(window.font(), scale));
    scaleChildren(window, scale);
}

DesignLayout::DesignLayout(QWidget& window) : window_(window), font_(window.font()) {
    for (QWidget* control : window.findChildren<QWidget*>())
        if (!control->isWindow())
            controls_.push_back({control, control->geometry(), control->font(), control->testAttribute(Qt::WA_SetFont)});
}

void DesignLayout::scaleTo(DesignScale scale) {
    window_.setFont(font_);
    for (const Control& c : controls_) {
        c.widget->setGeometry(c.geometry);
        c.widget->setFont(c.ownFont ? c.font : QFont());
    }
    scaleContents(window_, scale);
}

void fitTexts(QWidget& window) { fitAll(window, window); }

void fitText(QWidget& control, const QWidget& window) {
    auto* label = qobject_cast<QLabel*>(&control);
    auto* button = qobject_cast<QAbstractButton*>(&control);
    // Trailing blanks show nothing, so they may run past the edge.
    QString text;
    if (label)
        text = label->text();
    else if (button)
        text = button->text();
    while (text.endsWith(' '))
        text.chop(1);
    if (text.isEmpty() || control.font().pixelSize() <= 0)
        return;
    // A label's text stands at the left of its box, which may run past the
    // window's right edge.
    const int room = button ? captionRoom(*button)
                            : std::min(label->contentsRect().width(),
                                       window.width() - label->mapTo(&window, label->contentsRect().topLeft()).x());
    QFont font = control.font();
    const int fitting = fittingPixelHeight(font.pixelSize(), room, [&font, &text](int height) {
        font.setPixelSize(height);
        return QFontMetrics(font).horizontalAdvance(text);
    });
    if (fitting == control.font().pixelSize())
        return;
    font.setPixelSize(fitting);
    control.setFont(font);
    if (label && label->property(followsTextProperty).toBool())
        label->adjustSize();
}

void followText(QLabel& label) {
    markFollowingText(label);
    label.adjustSize();
}

void markFollowingText(QLabel& label) { label.setProperty(followsTextProperty, true); }

QFont designFont(const DesignFamily& family, int pixelHeight) {
    QFont font(family.name);
    font.setStyleHint(family.fallback);
    font.setPixelSize(pixelHeight);
    return font;
}

}  // namespace kestrani

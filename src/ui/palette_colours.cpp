#include "ui/palette_colours.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

namespace zelvar {
namespace {

constexpr float kLightnessStep = 0.01F;

// Each background role with the text role drawn on it.
constexpr std::pair<QPalette::ColorRole, QPalette::ColorRole> kTextOn[] = {
    {QPalette::Window, QPalette::WindowText},
    {QPalette::Button, QPalette::ButtonText},
    {QPalette::Base, QPalette::Text}};

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

// The darkest and the lightest colour a push button's style paints under its text, in each state
// the button can show. Styles shade the face themselves: Fusion paints a gradient lighter than
// the palette's Button colour, which a dark palette's colours must be judged on.
std::pair<QColor, QColor> paintedFace(const QPushButton* button, const QPalette& palette,
                                      QPalette::ColorGroup group) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.palette = palette;
    option.palette.setCurrentColorGroup(group);
    option.rect = QRect(QPoint(), button->size().expandedTo(button->sizeHint()));
    const QStyle* style = button->style();
    const QRect under = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    QColor darkest = Qt::white;
    QColor lightest = Qt::black;
    for (const QStyle::State shown : {QStyle::State_None, QStyle::State_MouseOver,
                                      QStyle::State_HasFocus, QStyle::State_Sunken}) {
        QStyleOptionButton drawn = option;
        drawn.state = (option.state &
                       ~(QStyle::State_MouseOver | QStyle::State_HasFocus | QStyle::State_Sunken)) |
                      shown;
        QImage face(option.rect.size(), QImage::Format_RGB32);
        face.fill(palette.color(group, QPalette::Window));
        QPainter painter(&face);
        style->drawControl(QStyle::CE_PushButtonBevel, &drawn, &painter, button);
        painter.end();
        for (int y = under.top(); y <= under.bottom(); ++y) {
            for (int x = under.left(); x <= under.right(); ++x) {
                const QColor colour = face.pixel(x, y);
                if (luminance(colour) < luminance(darkest))
                    darkest = colour;
                if (luminance(colour) > luminance(lightest))
                    lightest = colour;
            }
        }
    }
    return {darkest, lightest};
}

QPalette::ColorRole textRoleOn(QPalette::ColorRole background) {
    for (const auto& [on, text] : kTextOn) {
        if (on == background)
            return text;
    }
    return QPalette::WindowText;
}

}  // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor textColourFor(const QColor& background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

QColor readableOn(const QColor& wanted, const QColor& background) {
    return readableOn(wanted, background, background);
}

QColor readableOn(const QColor& wanted, const QColor& darkest, const QColor& lightest) {
    // Light text on a dark face must stand out from its lightest shade, dark text on a light
    // face from its darkest.
    const bool lighten = textColourFor(lightest) == QColor(Qt::white);
    const QColor& nearest = lighten ? lightest : darkest;
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    wanted.toHsl().getHslF(&hue, &saturation, &lightness);
    QColor colour = wanted;
    while (contrastRatio(colour, nearest) < kReadableContrast &&
           (lighten ? lightness < 1 : lightness > 0)) {
        lightness =
            std::clamp(lightness + (lighten ? kLightnessStep : -kLightnessStep), 0.0F, 1.0F);
        colour = QColor::fromHslF(hue, saturation, lightness).toRgb();
    }
    return colour;
}

void setTextColour(QWidget* widget, std::optional<QColor> colour) {
    // An empty palette inherits the parent's, so the system colours come back.
    widget->setPalette(QPalette());
    if (!colour)
        return;
    QPalette palette = widget->palette();
    const auto* button = qobject_cast<const QPushButton*>(widget);
    for (const auto& [background, text] : kTextOn) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const QColor plain = palette.color(group, background);
            const auto [darkest, lightest] = button && background == QPalette::Button
                                                 ? paintedFace(button, palette, group)
                                                 : std::pair(plain, plain);
            palette.setColor(group, text, readableOn(*colour, darkest, lightest));
        }
    }
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, QPalette::ColorRole background, std::optional<QColor> colour) {
    widget->setPalette(QPalette());
    if (!colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(background, *colour);
    palette.setColor(textRoleOn(background), textColourFor(*colour));
    widget->setPalette(palette);
}

}  // namespace zelvar
